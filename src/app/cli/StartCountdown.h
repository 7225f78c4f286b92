// The countdown "tapedeck record --countdown N" shows before it records: the counter in a
// small window of its own in the middle of what will be recorded, which closes before the
// recording starts.
#pragma once

#include <QRect>

#include <functional>
#include <memory>

#include "CircleCounterView.h"

class QWidget;

class StartCountdown : public CircleCounterViewDelegate {
public:
    // Counts down `seconds` (as the countdown menu stores them) centred on `area` (desktop
    // pixels, origin top left), then runs `finished` once the window is gone.
    StartCountdown(int seconds, const QRect& area, std::function<void()> finished);
    ~StartCountdown() override;

    void counterDownFinished(CircleCounterView* view) override;

private:
    std::unique_ptr<QWidget> window_;
    std::function<void()> finished_;
};
