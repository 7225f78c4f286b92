// The dashed border around a selection, its eight handles, and the pointer shape they ask for.
// Mouse events go to the overlay underneath, which forwards the pointer here.
#pragma once

#include "CropHandles.h"

#include <QColor>
#include <QRectF>
#include <QWidget>

#include <array>

class GKCropBorderView : public QWidget {
    Q_OBJECT
public:
    explicit GKCropBorderView(QWidget* parent = nullptr);

    // Border coordinates (origin lower left, y up).
    std::array<QRectF, kCropHandleCount> handleTrackRectArray() const;
    QRectF contentTrackRect() const;
    bool isInResizeRect(const QPointF& q) const;

    bool beDragging() const { return beDragging_; }
    bool hideHandleRect() const { return hideHandleRect_; }
    void setHideHandleRect(bool hide);
    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& colour);

    // Pointer tracking, q in border coordinates. The shape chosen is set on the parent overlay.
    void pointerMoved(const QPointF& q);
    void pointerPressed();
    void pointerReleased(const QPointF& q);

    // The resize shape of handle i (the X cursor theme's resize cursors).
    static Qt::CursorShape cursorForHandle(int i);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    enum Area { None = -2, Content = -1 };
    int areaAt(const QPointF& q) const;
    void showCursor(Qt::CursorShape shape);

    bool beDragging_ = false;
    bool hideHandleRect_ = false;
    QColor borderColor_;
    int trackedArea_ = None;
};
