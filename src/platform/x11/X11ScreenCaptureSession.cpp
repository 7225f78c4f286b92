#include "X11ScreenCaptureSession.h"

#include "CoordinateSpace.h"
#include "KTLog.h"
#include "MainQueue.h"
#include "SerialQueue.h"
#include "X11Connection.h"
#include "X11Damage.h"
#include "X11FramePool.h"
#include "X11Monitors.h"

#include <pthread.h>

namespace {
// Enough for the frame in the consumer's hands, one queued behind it and one being grabbed.
constexpr int kFrameBuffers = 4;
} // namespace

X11ScreenCaptureSession::X11ScreenCaptureSession(const QByteArray& displayName)
    : m_guard(this), m_connection(X11Connection::open(displayName)) {
    if (m_connection) {
        m_pool = X11FramePool::create(m_connection, kFrameBuffers);
        m_damage = X11Damage::watch(m_connection);
    }
}

X11ScreenCaptureSession::~X11ScreenCaptureSession() {
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    joinGrabThread();
}

bool X11ScreenCaptureSession::addInput(uint32_t displayNumber, double minFrameDuration) {
    if (!m_connection || !(minFrameDuration > 0))
        return false;
    for (const X11Monitor& monitor : queryMonitors(*m_connection)) {
        if (monitor.info.number != displayNumber)
            continue;
        std::lock_guard lock(m_mutex);
        m_hasInput = true;
        m_display = monitor.desktopRect;
        m_frameDuration = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::duration<double>(minFrameDuration));
        m_wake.notify_all();
        return true;
    }
    KTLOG("no display numbered %u", displayNumber);
    return false;
}

void X11ScreenCaptureSession::startRunning() {
    std::unique_lock lock(m_mutex);
    if (m_running)
        return;
    lock.unlock();
    // A grab thread that ended on an error is collected before a new one starts.
    joinGrabThread();
    if (!m_connection) {
        fail(QStringLiteral("cannot connect to the X server"));
        return;
    }
    lock.lock();
    m_running = true;
    m_stopRequested = false;
    m_grabThread = std::thread([this] { grabLoop(); });
    lock.unlock();
    MainQueue::async([this] { emit didStartRunning(); }, m_guard);
}

void X11ScreenCaptureSession::stopRunning() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_running)
            return;
        m_stopRequested = true;
    }
    m_wake.notify_all();
    joinGrabThread();
    MainQueue::async([this] { emit didStopRunning(); }, m_guard);
}

uint64_t X11ScreenCaptureSession::skippedFrames() const {
    std::lock_guard lock(m_mutex);
    return m_skipped;
}

void X11ScreenCaptureSession::joinGrabThread() {
    if (m_grabThread.joinable())
        m_grabThread.join();
    std::lock_guard lock(m_mutex);
    m_running = false;
}

QRect X11ScreenCaptureSession::grabArea() const {
    if (!m_hasInput)
        return {};
    if (m_crop.isNull())
        return m_display;
    const QRectF desktop = CoordinateSpace::screenLocalToDesktop(m_crop, m_display);
    // Whole pixels, as many as the rectangle covers; never beyond the display.
    const QRect pixels(int(desktop.x()), int(desktop.y()), int(desktop.width()),
                       int(desktop.height()));
    return pixels & m_display;
}

bool X11ScreenCaptureSession::mayRepeat(const QRect& area, const RepeatTest& test) {
    if (!test || !m_damage || area != m_grabbed || m_damage->changed(area))
        return false;
    return test();
}

void X11ScreenCaptureSession::fail(const QString& error) {
    KTLOG("%s", qPrintable(error));
    MainQueue::async(
        [this, error] {
            emit runtimeError(error);
            emit didStopRunning();
        },
        m_guard);
}

void X11ScreenCaptureSession::grabLoop() {
    pthread_setname_np(pthread_self(), "ScreenGrab");
    Clock::time_point due = Clock::now();
    std::unique_lock lock(m_mutex);
    while (waitForFrame(lock, due)) {
        const QRect area = grabArea();
        if (!m_hasInput || !m_queue)
            continue;
        if (area.isEmpty()) {
            m_running = false;
            lock.unlock();
            fail(QStringLiteral("the crop rectangle lies outside the display"));
            return;
        }
        const RepeatTest repeatTest = m_repeatTest;
        lock.unlock();
        if (mayRepeat(area, repeatTest)) {
            lock.lock();
            queueFrame(QImage());
            continue;
        }
        // Before the grab, so whatever is drawn while it runs counts for the next frame.
        if (m_damage)
            m_damage->reset();
        QImage frame;
        const X11FramePool::Grab result = m_pool->grab(area, frame);
        m_grabbed = result == X11FramePool::Grab::Done ? area : QRect();
        lock.lock();
        if (result == X11FramePool::Grab::NoFreeBuffer) {
            ++m_skipped;
            continue;
        }
        if (result == X11FramePool::Grab::Failed) {
            m_running = false;
            lock.unlock();
            fail(m_connection->hasError()
                     ? QStringLiteral("lost the connection to the X server")
                     : QStringLiteral("the display can no longer be captured"));
            return;
        }
        queueFrame(std::move(frame));
    }
}
