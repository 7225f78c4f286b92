#include "SRVideoView.h"

#include <QPainter>

SRVideoView::SRVideoView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SRVideoView::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void SRVideoView::setNotice(const QString& notice) {
    notice_ = notice;
    update();
}

void SRVideoView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!picture_.isNull()) {
        const QSize size = picture_.size().scaled(this->size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2),
                           size);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, picture_);
    }
    if (!notice_.isEmpty()) {
        p.fillRect(rect(), QColor(0, 0, 0, 160));
        p.setPen(Qt::white);
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, notice_);
    }
}
