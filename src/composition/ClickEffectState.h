// The click ring's state: armed by a mouse-down on the main thread, advanced by the
// composition of each frame on the capture queue. Each field is read and written whole.
#pragma once

#include <QPointF>

#include <atomic>

struct ClickEffectState {
    // Counter value of a freshly armed ring.
    static constexpr float kArmedWidth = 30;

    // A ring is armed or running.
    std::atomic<bool> isCursorClick{false};
    // 30 when armed, then 32, 34, ... while running; 0 when idle.
    std::atomic<float> cursorEffectWidth{0};
    // Lower-left corner, in frame coordinates, of the 60 x 60 box the running ring is drawn in.
    std::atomic<QPointF> cursorCenter{QPointF()};

    void arm() {
        isCursorClick = true;
        cursorEffectWidth = kArmedWidth;
    }
};
