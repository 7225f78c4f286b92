// Screen capture on Wayland: a monitor's cast (the one the user chose before, or a new one the
// portal asks for), and a pacing thread that queues the newest picture, cropped, at the minimum
// frame duration. The compositor only sends a picture when the screen changes, so a still
// screen repeats the last one and the frame rate holds; a picture it has not replaced since
// the last frame is offered to the repeat test.
#pragma once

#include "PacedScreenCaptureSession.h"

#include <QImage>
#include <QPointer>

#include <functional>
#include <thread>

class WaylandScreenCast;

class WaylandScreenCaptureSession : public PacedScreenCaptureSession {
    Q_OBJECT
public:
    // `cast` gives the cast to read when the session starts: one already open, or a new one.
    explicit WaylandScreenCaptureSession(std::function<std::shared_ptr<WaylandScreenCast>()> cast);
    ~WaylandScreenCaptureSession() override;

    bool addInput(uint32_t displayNumber, double minFrameDuration) override;
    void startRunning() override;
    void stopRunning() override;

private:
    void castStarted(const QString& error);
    void paceLoop();
    void fail(const QString& error);
    void stopPacing();

    const QPointer<const QObject> m_guard;
    std::function<std::shared_ptr<WaylandScreenCast>()> m_openCast;
    std::shared_ptr<WaylandScreenCast> m_cast;

    std::thread m_paceThread;
};
