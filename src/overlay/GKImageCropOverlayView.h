// The base of the selection overlays: a view that knows the size of its current selection.
#pragma once

#include <QSizeF>
#include <QWidget>

class GKImageCropOverlayView : public QWidget {
    Q_OBJECT
public:
    explicit GKImageCropOverlayView(QWidget* parent = nullptr) : QWidget(parent) {}

    QSizeF cropSize() const { return cropSize_; }
    void setCropSize(const QSizeF& size) { cropSize_ = size; }

private:
    QSizeF cropSize_;
};
