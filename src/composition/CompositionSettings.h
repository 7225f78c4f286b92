// What the composition reads for every frame: the three overlay switches and the watermark.
// Called on the capture queue while the settings change on the main thread, so
// implementations answer from thread-safe copies.
#pragma once

#include "WatermarkSettings.h"

class CompositionSettings {
public:
    virtual ~CompositionSettings() = default;

    virtual bool isShowMouse() const = 0;
    virtual bool isMouseHight() const = 0;
    virtual bool isMouseClickEffect() const = 0;
    virtual WatermarkSettings watermarkSettings() const = 0;
    // "Watermark_center_x", "Watermark_center_y" and "Watermark_scale" as they are now.
    virtual WatermarkPlacement watermarkPlacement() const = 0;
};
