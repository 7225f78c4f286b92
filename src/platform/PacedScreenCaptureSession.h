// What the screen capture sessions share: the input, crop, output and repeat test they are
// given, guarded because their capturing thread reads them, and the pacing of that thread at
// the minimum frame duration.
#pragma once

#include "ScreenCaptureSession.h"

#include <QRectF>

#include <chrono>
#include <condition_variable>
#include <mutex>

class PacedScreenCaptureSession : public ScreenCaptureSession {
    Q_OBJECT
public:
    void setCropRect(const QRectF& crop) override;
    void removeInput() override;
    void addOutput(std::shared_ptr<SerialQueue> queue, FrameHandler handler) override;
    void setRepeatTest(RepeatTest test) override;
    void removeOutput() override;
    bool isRunning() const override;

protected:
    using Clock = std::chrono::steady_clock;
    // With `lock` held on m_mutex: waits until an input and an output are set and `due` has
    // come, then moves `due` on by one frame, from the previous due time so the rate holds, or
    // from now after a stall rather than in a burst. False once a stop is asked.
    bool waitForFrame(std::unique_lock<std::mutex>& lock, Clock::time_point& due);
    // With the lock held, so no frame slips in after removeOutput() returns.
    void queueFrame(QImage frame);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_hasInput = false;
    std::chrono::nanoseconds m_frameDuration{0};
    QRectF m_crop;
    std::shared_ptr<SerialQueue> m_queue;
    FrameHandler m_handler;
    RepeatTest m_repeatTest;
    bool m_running = false;
    bool m_stopRequested = false;
};
