#include "SRImageView.h"

#include "SRImage.h"

#include <QPainter>

SRImageView::SRImageView(QWidget* parent) : QWidget(parent) {}

void SRImageView::setImageName(const QString& name) {
    if (name == imageName_)
        return;
    imageName_ = name;
    updateGeometry();
    update();
}

void SRImageView::setRotation(qreal degrees) {
    rotation_ = degrees;
    update();
}

QSize SRImageView::sizeHint() const {
    const QSize natural = SRImage::naturalSize(imageName_);
    return natural.isValid() ? natural : QSize(0, 0);
}

void SRImageView::paintEvent(QPaintEvent*) {
    const QRect target = SRImage::fittedRect(imageName_, rect());
    const QPixmap image = SRImage::pixmap(imageName_, target.size(), devicePixelRatioF());
    if (image.isNull())
        return;
    QPainter painter(this);
    if (rotation_ != 0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF centre = QRectF(rect()).center();
        painter.translate(centre);
        painter.rotate(rotation_);
        painter.translate(-centre);
    }
    painter.drawPixmap(target, image);
}
