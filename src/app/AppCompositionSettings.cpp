#include "AppCompositionSettings.h"

#include "AppDelegate.h"
#include "PreferenceKeys.h"
#include "Preferences.h"

AppCompositionSettings::AppCompositionSettings(AppDelegate& delegate, Preferences& store)
    : delegate_(delegate), store_(store) {
    refresh();
}

bool AppCompositionSettings::isShowMouse() const {
    return delegate_.isShowMouse;
}

bool AppCompositionSettings::isMouseHight() const {
    return delegate_.isMouseHight;
}

bool AppCompositionSettings::isMouseClickEffect() const {
    return delegate_.isMouseClickEffect;
}

WatermarkSettings AppCompositionSettings::watermarkSettings() const {
    WatermarkSettings settings;
    {
        std::lock_guard lock(mutex_);
        settings = watermark_;
    }
    // The switches that change on their own are read live.
    settings.watermarkType = delegate_.watermarkType;
    settings.isTimeTextWatermark = delegate_.isTimeTextWatermark;
    settings.watermarkAlpha = delegate_.watermarkAlpha;
    settings.timeFramStyleIndex = delegate_.timeFramStyleIndex;
    return settings;
}

WatermarkPlacement AppCompositionSettings::watermarkPlacement() const {
    return {float(store_.floating(PrefKey::Watermark_center_x)),
            float(store_.floating(PrefKey::Watermark_center_y)),
            float(store_.floating(PrefKey::Watermark_scale))};
}

void AppCompositionSettings::refresh() {
    WatermarkSettings copy;
    copy.watermarkImage = delegate_.watermarkImage;
    copy.textWatermarkFont = delegate_.textWatermarkFont;
    copy.textWatermarkColor = delegate_.textWatermarkColor;
    copy.timeFramStyles = delegate_.timeFramStyles;
    std::lock_guard lock(mutex_);
    watermark_ = std::move(copy);
}
