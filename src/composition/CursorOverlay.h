// Draws the cursor highlight, the click ring, the arrow cursor and the watermark into each
// composed screen frame, in that order, in place.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QRectF>

#include <functional>
#include <mutex>
#include <optional>

#include "FrameCoordinates.h"
#include "WatermarkSettings.h"

class ArrowCursor;
class CompositionSettings;
class Displays;
class Pointer;
struct ClickEffectState;
struct CursorImage;

class CursorOverlay {
public:
    // captureArea: what the recording takes its frames from, read for every frame; displays
    // place window bounds. now: the clock of the time watermark.
    CursorOverlay(Pointer& pointer, ArrowCursor& cursor, const Displays& displays,
                  ClickEffectState& clickEffect, const CompositionSettings& settings,
                  std::function<CaptureArea()> captureArea,
                  std::function<QDateTime()> now = &QDateTime::currentDateTime);

    // frame: Format_ARGB32_Premultiplied or Format_RGB32, the capture rectangle's size. Runs on the
    // capture queue; advances the click ring by one step.
    void appendMouseCursor(QImage& frame);
    // Whether a frame composed now would get what the last one got: the cursor at the same
    // place, no click ring, the same watermark. Any thread.
    bool drawsAsBefore() const;

private:
    // What decides the drawing, without the drawing itself.
    struct Drawing {
        QPoint mouse;
        qint64 arrow = 0;
        QPointF hotSpot;
        QRectF frame;
        bool showMouse = false, highlight = false, ring = false, hidden = false;
        unsigned watermarkType = 0;
        bool timeText = false;
        QString text;
        qint64 watermarkImage = 0;
        QFont font;
        QColor color;
        float alpha = 0;
        WatermarkPlacement placement;
        bool operator==(const Drawing&) const = default;
    };
    Drawing drawing(const QPointF& mouse, const CursorImage& arrow, const QRectF& frame,
                    const WatermarkSettings& watermark, const QDateTime& now) const;

    // Where this frame lies in global points (origin bottom left, y up), like the pointer.
    QRectF frameRect() const;

    Pointer& pointer_;
    ArrowCursor& cursor_;
    const Displays& displays_;
    ClickEffectState& clickEffect_;
    const CompositionSettings& settings_;
    std::function<CaptureArea()> captureArea_;
    std::function<QDateTime()> now_;
    mutable std::mutex drawnMutex_;
    std::optional<Drawing> drawn_; // the last frame's
};
