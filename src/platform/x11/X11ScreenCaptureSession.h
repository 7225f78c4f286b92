// Screen capture on X11: a grab thread takes the display's crop rectangle from the root window
// through MIT-SHM at the minimum frame duration and queues each frame on the output's serial
// queue. The session has its own X connection, so losing it is noticed here.
#pragma once

#include "PacedScreenCaptureSession.h"

#include <QByteArray>
#include <QPointer>
#include <QRect>

#include <thread>

class X11Connection;
class X11Damage;
class X11FramePool;

class X11ScreenCaptureSession : public PacedScreenCaptureSession {
    Q_OBJECT
public:
    explicit X11ScreenCaptureSession(const QByteArray& displayName);
    ~X11ScreenCaptureSession() override;

    bool addInput(uint32_t displayNumber, double minFrameDuration) override;
    void startRunning() override;
    void stopRunning() override;

    // Frames skipped because every buffer was still held by the consumer.
    uint64_t skippedFrames() const;

private:
    void grabLoop();
    // The desktop pixels to grab now; empty when nothing can be grabbed.
    QRect grabArea() const;
    // Whether this frame may go ungrabbed: the same area as the last grab, nothing drawn in it
    // since, and the consumer content with its previous picture. Called without the lock.
    bool mayRepeat(const QRect& area, const RepeatTest& test);
    void fail(const QString& error);
    void joinGrabThread();

    // Made here on the main thread; the grab thread posts its notifications through copies.
    const QPointer<const QObject> m_guard;
    std::shared_ptr<X11Connection> m_connection;
    std::shared_ptr<X11FramePool> m_pool;
    // Grab thread only: what changed since the last grab, and where that grab was.
    std::unique_ptr<X11Damage> m_damage;
    QRect m_grabbed;

    QRect m_display;
    uint64_t m_skipped = 0;
    std::thread m_grabThread;
};
