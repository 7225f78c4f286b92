// The overlay switches and the watermark as the application controller holds them, in a form
// the capture queue may read while the main thread changes them.
#pragma once

#include <mutex>

#include "CompositionSettings.h"

class AppDelegate;
class Preferences;

class AppCompositionSettings : public CompositionSettings {
public:
    AppCompositionSettings(AppDelegate& delegate, Preferences& store);

    bool isShowMouse() const override;
    bool isMouseHight() const override;
    bool isMouseClickEffect() const override;
    WatermarkSettings watermarkSettings() const override;
    WatermarkPlacement watermarkPlacement() const override;

    // Takes a new copy of the controller's watermark; call on the main thread after the
    // watermark changed.
    void refresh();

private:
    AppDelegate& delegate_;
    Preferences& store_;
    mutable std::mutex mutex_;
    WatermarkSettings watermark_;
};
