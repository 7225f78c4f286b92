// Screen capture on Wayland: the ScreenCast portal hands over a monitor's PipeWire stream, and
// a pacing thread queues the newest picture, cropped, at the minimum frame duration. The
// compositor only sends a picture when the screen changes, so a still screen repeats the last
// one and the frame rate holds.
#pragma once

#include "ScreenCaptureSession.h"

#include <QImage>
#include <QPointer>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class PipeWireScreenStream;
class Preferences;
class ScreenCastPortal;

class WaylandScreenCaptureSession : public ScreenCaptureSession {
    Q_OBJECT
public:
    // The portal's token for the monitor chosen last is kept in `preferences`, so the next run
    // skips the dialog.
    explicit WaylandScreenCaptureSession(Preferences& preferences);
    ~WaylandScreenCaptureSession() override;

    bool addInput(uint32_t displayNumber, double minFrameDuration) override;
    void setCropRect(const QRectF& crop) override;
    void removeInput() override;
    void addOutput(std::shared_ptr<SerialQueue> queue, FrameHandler handler) override;
    void removeOutput() override;
    void startRunning() override;
    void stopRunning() override;
    bool isRunning() const override;

private:
    void castStarted(int fd, uint32_t node, const QString& error);
    void paceLoop();
    void fail(const QString& error);
    void stopPacing();

    const QPointer<const QObject> m_guard;
    Preferences& m_preferences;
    ScreenCastPortal* m_portal = nullptr;
    std::unique_ptr<PipeWireScreenStream> m_stream;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_hasInput = false;
    std::chrono::nanoseconds m_frameDuration{0};
    QRectF m_crop;
    QImage m_latest;
    std::shared_ptr<SerialQueue> m_queue;
    FrameHandler m_handler;
    bool m_running = false;
    bool m_stopRequested = false;
    std::thread m_paceThread;
};
