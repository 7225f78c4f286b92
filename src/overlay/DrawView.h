// The container the drawing windows hold: one canvas covering it, and the width and colour the
// palette last gave it. Its operations pass on to the canvas.
#pragma once

#include "DrawTouchPointView.h"

#include <QWidget>

class DrawView : public QWidget {
    Q_OBJECT
public:
    // Drawing on, the canvas red at width 3; the container's own width is 2.
    explicit DrawView(QWidget* parent = nullptr);

    DrawTouchPointView* drawView() const { return drawView_; }
    double lineWidth() const { return lineWidth_; }
    QColor lineColor() const { return lineColor_; }

    void clearScreen() { drawView_->clearScreen(); }
    void revokeScreen() { drawView_->revokeScreen(); }
    void undoRevokeScreen() { drawView_->undoRevokeScreen(); }
    void eraseSreen() { drawView_->eraseSreen(); }
    void setDoodleType(int64_t type) { drawView_->setDoodleType(type); }
    void setStrokeColor(const QColor& color) { drawView_->setStrokeColor(color); }
    void setStrokeWidth(double width) { drawView_->setStrokeWidth(width); }
    void setLineColor(const QColor& color);
    void setLineWidth(double width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    DrawTouchPointView* drawView_;
    double lineWidth_ = 2;
    QColor lineColor_;
};
