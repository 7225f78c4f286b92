#include "WatermarkText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr qreal kMeasureBox = 1080;
constexpr qreal kExtraWidth = 40;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QImage emptyImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage saveImageWithText(const QString& text, const WatermarkSettings& settings) {
    // Measured and drawn on images so one point is one pixel, whatever the screen's density.
    const QImage probe = emptyImage(1, 1);
    const QFontMetricsF metrics(settings.textWatermarkFont, &probe);
    const QSizeF size =
        metrics.boundingRect(QRectF(0, 0, kMeasureBox, kMeasureBox), kTextFlags, text).size();
    const int width = int(std::ceil(size.width()));
    const int height = int(std::ceil(size.height()));
    if (text.isEmpty() || width <= 0 || height <= 0)
        return {};

    QImage image = emptyImage(width, height);
    QColor color = settings.textWatermarkColor;
    color.setAlphaF(settings.watermarkAlpha);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(settings.textWatermarkFont);
    painter.setPen(color);
    painter.drawText(QRectF(0, 0, width + kExtraWidth, height), kTextFlags, text);
    return image;
}
