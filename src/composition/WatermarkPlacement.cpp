#include "WatermarkPlacement.h"

#include "PreferenceKeys.h"
#include "Preferences.h"

namespace {

// The placement window shows frames 594 points wide; pictures wider than 560 are fitted first.
constexpr double kPreviewWidth = 594.0;
constexpr double kMaxBaseWidth = 560;

} // namespace

WatermarkPlacement storedWatermarkPlacement(const Preferences& store) {
    WatermarkPlacement placement;
    placement.centerX = float(store.floating(PrefKey::Watermark_center_x));
    placement.centerY = float(store.floating(PrefKey::Watermark_center_y));
    if (store.contains(PrefKey::Watermark_scale))
        placement.scale = float(store.floating(PrefKey::Watermark_scale));
    return placement;
}

QRectF watermarkRect(const QSizeF& imageSize, int frameWidth, int frameHeight,
                     const WatermarkPlacement& placement, bool isTimeWatermark) {
    const float k = float(frameWidth / kPreviewWidth) * placement.scale;
    float centerX = placement.centerX * float(frameWidth);
    float centerY = placement.centerY * float(frameHeight);

    double w = imageSize.width();
    double h = imageSize.height();
    if (w > kMaxBaseWidth) {
        h = h / w * kMaxBaseWidth;
        w = kMaxBaseWidth;
    }
    const double drawnW = k * w;
    const double drawnH = k * h;

    if (isTimeWatermark) {
        if (centerX <= 0)
            centerX = float(drawnW / 2);
        if (centerY <= 0)
            centerY = float(drawnH / 2);
    }
    return QRectF(centerX - drawnW / 2, centerY - drawnH / 2, drawnW, drawnH);
}
