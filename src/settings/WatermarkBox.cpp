#include "WatermarkBox.h"

namespace {
constexpr double kMaxBaseWidth = 560;
}

QSizeF watermarkBaseSize(const QSizeF& image) {
    if (image.width() <= kMaxBaseWidth)
        return image;
    return {kMaxBaseWidth, image.height() / image.width() * kMaxBaseWidth};
}

QRectF initialWatermarkBox(const QSizeF& image) {
    return {QPointF(0, 0), watermarkBaseSize(image)};
}

WatermarkPlacement placementOfBox(const QRectF& box, const QSizeF& preview, double baseWidth) {
    WatermarkPlacement placement;
    placement.centerX = float((box.x() + box.width() / 2) / preview.width());
    placement.centerY = float((box.y() + box.height() / 2) / preview.height());
    placement.scale = float(box.width() / baseWidth);
    return placement;
}
