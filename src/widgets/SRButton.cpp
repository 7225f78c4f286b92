#include "SRButton.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace {

constexpr int kTitleGap = 4;
constexpr qreal kDisabledOpacity = 0.4;

} // namespace

SRButton::SRButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void SRButton::setImageName(const QString& name) {
    setImages(SRImage::variantName(name, SRImageState::Normal),
              SRImage::variantName(name, SRImageState::Down),
              SRImage::variantName(name, SRImageState::On));
}

void SRButton::setImages(const QString& normal, const QString& down, const QString& on) {
    images_[size_t(SRImageState::Normal)] = normal;
    images_[size_t(SRImageState::Down)] = down;
    images_[size_t(SRImageState::On)] = on;
    updateGeometry();
    update();
}

QString SRButton::imageName(SRImageState state) const {
    return images_[size_t(state)];
}

QString SRButton::currentImageName() const {
    SRImageState state = SRImageState::Normal;
    if (isDown())
        state = SRImageState::Down;
    else if (isChecked())
        state = SRImageState::On;
    const QString& name = images_[size_t(state)];
    if (state != SRImageState::Normal && SRImage::exists(name))
        return name;
    return images_[size_t(SRImageState::Normal)];
}

void SRButton::setTitlePosition(TitlePosition position) {
    titlePosition_ = position;
    updateGeometry();
    update();
}

QSize SRButton::sizeHint() const {
    QSize image = SRImage::naturalSize(imageName(SRImageState::Normal));
    if (!image.isValid())
        image = QSize(0, 0);
    if (text().isEmpty())
        return image.isEmpty() ? QSize(24, 24) : image;
    const QFontMetrics metrics = fontMetrics();
    const QSize title(metrics.horizontalAdvance(text()) + 2 * kTitleGap,
                      metrics.height() + kTitleGap);
    if (titlePosition_ == TitlePosition::Below)
        return {std::max(image.width(), title.width()), image.height() + title.height()};
    return image.expandedTo(title);
}

// Over: the image fills the button as its background. Below: the image keeps its proportions in
// the space above the title line.
QRect SRButton::imageRect() const {
    QRect area = rect();
    if (titlePosition_ == TitlePosition::Below && !text().isEmpty())
        area.setBottom(area.bottom() - fontMetrics().height() - kTitleGap);
    if (titlePosition_ == TitlePosition::Over && !text().isEmpty())
        return area;
    return SRImage::fittedRect(currentImageName(), area);
}

bool SRButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(text().isEmpty() ? toolTip() : QString());
    return QAbstractButton::event(event);
}

void SRButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(kDisabledOpacity);
    const QRect target = imageRect();
    const QPixmap image = SRImage::pixmap(currentImageName(), target.size(), devicePixelRatioF());
    if (!image.isNull())
        painter.drawPixmap(target, image);
    if (!text().isEmpty()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        QRect titleRect = rect();
        if (titlePosition_ == TitlePosition::Below)
            titleRect.setTop(target.bottom() + kTitleGap);
        painter.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
