#include "DrawToolButton.h"

#include "SRImage.h"

#include <QPainter>

DrawToolButton::DrawToolButton(int index, const QString& imageName, QWidget* parent)
    : QAbstractButton(parent), index_(index), imageName_(imageName) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void DrawToolButton::setShowsSelected(bool selected) {
    if (showsSelected_ == selected)
        return;
    showsSelected_ = selected;
    update();
}

QString DrawToolButton::currentImageName() const {
    return showsSelected_ ? imageName_ + QStringLiteral("选中") : imageName_;
}

QSize DrawToolButton::sizeHint() const {
    const QSize natural = SRImage::naturalSize(imageName_);
    return natural.isValid() ? natural : QSize(32, 32);
}

void DrawToolButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QString name = currentImageName();
    const QRect target = SRImage::fittedRect(name, rect());
    painter.drawPixmap(target, SRImage::pixmap(name, target.size(), devicePixelRatioF()));
}

void DrawToolButton::enterEvent(QEnterEvent*) {
    setShowsSelected(true);
}

void DrawToolButton::leaveEvent(QEvent*) {
    setShowsSelected(false);
}
