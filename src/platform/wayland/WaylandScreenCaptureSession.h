// Screen capture on Wayland: a monitor's cast (the one the user chose before, or a new one the
// portal asks for), and a pacing thread that queues the newest picture, cropped, at the minimum
// frame duration. The compositor only sends a picture when the screen changes, so a still
// screen repeats the last one and the frame rate holds.
#pragma once

#include "ScreenCaptureSession.h"

#include <QImage>
#include <QPointer>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class WaylandScreenCast;

class WaylandScreenCaptureSession : public ScreenCaptureSession {
    Q_OBJECT
public:
    // `cast` gives the cast to read when the session starts: one already open, or a new one.
    explicit WaylandScreenCaptureSession(std::function<std::shared_ptr<WaylandScreenCast>()> cast);
    ~WaylandScreenCaptureSession() override;

    bool addInput(uint32_t displayNumber, double minFrameDuration) override;
    void setCropRect(const QRectF& crop) override;
    void removeInput() override;
    void addOutput(std::shared_ptr<SerialQueue> queue, FrameHandler handler) override;
    // A picture the compositor has not replaced since the last frame is offered for repeating.
    void setRepeatTest(RepeatTest test) override;
    void removeOutput() override;
    void startRunning() override;
    void stopRunning() override;
    bool isRunning() const override;

private:
    void castStarted(const QString& error);
    void paceLoop();
    void fail(const QString& error);
    void stopPacing();

    const QPointer<const QObject> m_guard;
    std::function<std::shared_ptr<WaylandScreenCast>()> m_openCast;
    std::shared_ptr<WaylandScreenCast> m_cast;

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
    std::thread m_paceThread;
};
