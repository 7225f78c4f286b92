#include "SRClipMagnifierView.h"

#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kCircleSize = 24;
constexpr int kCrossLength = 34;

// The picture's pixel under an overlay point: rows are counted from the top.
QPoint pixelUnder(const QImage& image, const QPointF& pointer) {
    return {int(std::floor(pointer.x())), image.height() - int(std::floor(pointer.y()))};
}

} // namespace

SRClipMagnifierView::SRClipMagnifierView(QWidget* parent)
    : QWidget(parent), cursorImageView_(new QLabel(this)), cursorTextView_(new QLabel(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet("SRClipMagnifierView { background: rgba(0, 0, 0, 190); }"
                  "QLabel { color: white; font-size: 10px; }");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->setSpacing(2);
    cursorImageView_->setFixedSize(kZoomSize, kZoomSize);
    cursorTextView_->setAlignment(Qt::AlignCenter);
    layout->addWidget(cursorImageView_);
    layout->addWidget(cursorTextView_);
    setFixedWidth(kZoomSize);
    hide();
}

QString SRClipMagnifierView::cursorText(const QImage& screenImage, const QPointF& pointer,
                                        const QPoint& screenOrigin) {
    const QPoint pixel = pixelUnder(screenImage, pointer);
    if (!screenImage.valid(pixel))
        return QString();
    const QColor colour = screenImage.pixelColor(pixel);
    const QPoint onDesktop = screenOrigin + pixel;
    return QString::asprintf("%d,%d\n%.f,%.f,%.f", onDesktop.x(), onDesktop.y(),
                             colour.redF() * 255, colour.greenF() * 255, colour.blueF() * 255);
}

QImage SRClipMagnifierView::zoomedImage(const QImage& screenImage, const QPointF& pointer) {
    if (screenImage.isNull())
        return QImage();
    const QPoint pixel = pixelUnder(screenImage, pointer);
    const QRect cut(pixel.x() - kCutSize / 2, pixel.y() - kCutSize / 2, kCutSize, kCutSize);
    QImage zoomed(kZoomSize, kZoomSize, QImage::Format_ARGB32_Premultiplied);
    zoomed.fill(Qt::black);
    QPainter painter(&zoomed);
    // copy() fills the parts outside the picture, so the pointer stays in the middle at edges.
    painter.drawImage(QRect(0, 0, kZoomSize, kZoomSize), screenImage.copy(cut));
    // The pointer's pixel starts at the centre; the bars are whole pixels wide.
    const int centre = kZoomSize / 2;
    painter.fillRect(centre, centre - kCrossLength / 2, 1, kCrossLength, Qt::red);
    painter.fillRect(centre - kCrossLength / 2, centre, kCrossLength, 1, Qt::red);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, 1));
    painter.drawEllipse(QPointF(centre, centre), kCircleSize / 2.0, kCircleSize / 2.0);
    return zoomed;
}

void SRClipMagnifierView::showPointer(const QImage& screenImage, const QPointF& pointer,
                                      const QPoint& screenOrigin) {
    const QString text = cursorText(screenImage, pointer, screenOrigin);
    if (text.isEmpty()) {
        hide();
        return;
    }
    cursorImageView_->setPixmap(QPixmap::fromImage(zoomedImage(screenImage, pointer)));
    cursorTextView_->setText(text);
    adjustSize();
    show();
    raise();
}
