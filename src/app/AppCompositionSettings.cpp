#include "AppCompositionSettings.h"

#include "AppDelegate.h"
#include "WatermarkPlacement.h"

AppCompositionSettings::AppCompositionSettings(AppDelegate& delegate, Preferences& store)
    : delegate_(delegate), store_(store) {
    refresh();
}

bool AppCompositionSettings::isShowMouse() const {
    return delegate_.composition.isShowMouse;
}

bool AppCompositionSettings::isMouseHight() const {
    return delegate_.composition.isMouseHight;
}

bool AppCompositionSettings::isMouseClickEffect() const {
    return delegate_.composition.isMouseClickEffect;
}

WatermarkSettings AppCompositionSettings::watermarkSettings() const {
    WatermarkSettings settings;
    {
        std::lock_guard lock(mutex_);
        settings = watermark_;
    }
    // The switches that change on their own are read live.
    settings.watermarkType = delegate_.composition.watermarkType;
    settings.isTimeTextWatermark = delegate_.composition.isTimeTextWatermark;
    settings.watermarkAlpha = delegate_.composition.watermarkAlpha;
    settings.timeFramStyleIndex = delegate_.composition.timeFramStyleIndex;
    return settings;
}

WatermarkPlacement AppCompositionSettings::watermarkPlacement() const {
    return storedWatermarkPlacement(store_);
}

void AppCompositionSettings::refresh() {
    WatermarkSettings copy;
    copy.watermarkImage = delegate_.composition.watermarkImage;
    copy.textWatermarkFont = delegate_.composition.textWatermarkFont;
    copy.textWatermarkColor = delegate_.composition.textWatermarkColor;
    copy.timeFramStyles = delegate_.composition.timeFramStyles;
    std::lock_guard lock(mutex_);
    watermark_ = std::move(copy);
}
