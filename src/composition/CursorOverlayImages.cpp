#include "CursorOverlayImages.h"

#include <QPainter>

namespace {

QImage transparentSquare(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage cursorHighlightImage() {
    QImage image = transparentSquare(40);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0, 1, 1, 0.6f));
    painter.drawEllipse(QRectF(0, 0, 40, 40));
    return image;
}

QImage clickRingImage(double radius) {
    QImage image = transparentSquare(60);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(56, 116, 175));
    pen.setWidthF(3);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(30, 30), radius, radius);
    return image;
}
