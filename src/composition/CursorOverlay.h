// Draws the cursor highlight, the click ring, the arrow cursor and the watermark into each
// composed screen frame, in that order, in place.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QRectF>

#include <functional>

#include "FrameCoordinates.h"

class ArrowCursor;
class CompositionSettings;
class Displays;
class Pointer;
struct ClickEffectState;

class CursorOverlay {
public:
    // captureArea: what the recording takes its frames from, read for every frame; displays
    // place window bounds. now: the clock of the time watermark.
    CursorOverlay(Pointer& pointer, ArrowCursor& cursor, const Displays& displays,
                  ClickEffectState& clickEffect, const CompositionSettings& settings,
                  std::function<CaptureArea()> captureArea,
                  std::function<QDateTime()> now = &QDateTime::currentDateTime);

    // frame: Format_ARGB32_Premultiplied or Format_RGB32, the capture rectangle's size. Runs on the capture
    // queue; advances the click ring by one step.
    void appendMouseCursor(QImage& frame);

private:
    // Where this frame lies in global points (origin bottom left, y up), like the pointer.
    QRectF frameRect() const;

    Pointer& pointer_;
    ArrowCursor& cursor_;
    const Displays& displays_;
    ClickEffectState& clickEffect_;
    const CompositionSettings& settings_;
    std::function<CaptureArea()> captureArea_;
    std::function<QDateTime()> now_;
};
