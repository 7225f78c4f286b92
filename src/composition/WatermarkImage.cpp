#include "WatermarkImage.h"

#include "WatermarkText.h"
#include "WatermarkTimeText.h"

QImage watermarkImageForFrame(const WatermarkSettings& settings, const QDateTime& now) {
    if (settings.isTimeTextWatermark) {
        const QString style = timeFramStyle(settings.timeFramStyles, settings.timeFramStyleIndex);
        return saveImageWithText(timeText(style, now), settings);
    }
    if (settings.watermarkType == WatermarkSettings::Text ||
        settings.watermarkType == WatermarkSettings::Image)
        return settings.watermarkImage;
    return {};
}
