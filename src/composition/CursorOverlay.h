// Draws the cursor highlight, the click ring, the arrow cursor and the watermark into each
// composed screen frame, in that order, in place.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QRectF>

#include <functional>

class ArrowCursor;
class CompositionSettings;
class Pointer;
struct ClickEffectState;

class CursorOverlay {
public:
    // captureRect: the recorded rectangle in global points (origin bottom left, y up), read
    // for every frame. now: the clock of the time watermark.
    CursorOverlay(Pointer& pointer, ArrowCursor& cursor, ClickEffectState& clickEffect,
                  const CompositionSettings& settings, std::function<QRectF()> captureRect,
                  std::function<QDateTime()> now = &QDateTime::currentDateTime);

    // frame: Format_ARGB32_Premultiplied, the capture rectangle's size. Runs on the capture
    // queue; advances the click ring by one step.
    void appendMouseCursor(QImage& frame);

private:
    Pointer& pointer_;
    ArrowCursor& cursor_;
    ClickEffectState& clickEffect_;
    const CompositionSettings& settings_;
    std::function<QRectF()> captureRect_;
    std::function<QDateTime()> now_;
};
