#include "DrawView.h"

DrawView::DrawView(QWidget* parent) : QWidget(parent), drawView_(new DrawTouchPointView(this)) {
    setAttribute(Qt::WA_NoSystemBackground);
    drawView_->setGeometry(rect());
    drawView_->setCanDrawLine(true);
    drawView_->setLineColor(Qt::red);
    drawView_->setLineWidth(3);
}

void DrawView::setLineColor(const QColor& color) {
    lineColor_ = color;
    drawView_->setStrokeColor(color);
}

void DrawView::setLineWidth(double width) {
    lineWidth_ = width;
    drawView_->setStrokeWidth(width);
}

void DrawView::resizeEvent(QResizeEvent*) {
    drawView_->setGeometry(rect());
}
