#include "WaylandScreenCaptureSession.h"

#include <pthread.h>

#include "CoordinateSpace.h"
#include "KTLog.h"
#include "MainQueue.h"
#include "SerialQueue.h"
#include "WaylandScreenCast.h"

WaylandScreenCaptureSession::WaylandScreenCaptureSession(
    std::function<std::shared_ptr<WaylandScreenCast>()> cast)
    : m_guard(this), m_openCast(std::move(cast)) {}

WaylandScreenCaptureSession::~WaylandScreenCaptureSession() {
    stopPacing();
}

bool WaylandScreenCaptureSession::addInput(uint32_t, double minFrameDuration) {
    // The monitor itself is chosen in the portal's dialog.
    if (!(minFrameDuration > 0))
        return false;
    std::lock_guard lock(m_mutex);
    m_hasInput = true;
    m_frameDuration = std::chrono::nanoseconds(int64_t(minFrameDuration * 1e9));
    m_wake.notify_all();
    return true;
}

void WaylandScreenCaptureSession::startRunning() {
    if (isRunning() || m_cast)
        return;
    stopPacing();
    m_cast = m_openCast();
    // Queued: ending the session ends the cast, which must not happen while it speaks.
    connect(m_cast.get(), &WaylandScreenCast::failed, this, &WaylandScreenCaptureSession::fail,
            Qt::QueuedConnection);
    if (m_cast->isStreaming())
        return MainQueue::async([this] { castStarted(QString()); }, m_guard);
    m_cast->start([this](const QString& error) { castStarted(error); });
}

void WaylandScreenCaptureSession::castStarted(const QString& error) {
    if (!error.isEmpty())
        return fail(error);
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
        m_stopRequested = false;
        m_paceThread = std::thread([this] { paceLoop(); });
    }
    emit didStartRunning();
}

void WaylandScreenCaptureSession::stopRunning() {
    const bool wasRunning = isRunning();
    stopPacing();
    m_cast.reset();
    if (wasRunning)
        MainQueue::async([this] { emit didStopRunning(); }, m_guard);
}

void WaylandScreenCaptureSession::stopPacing() {
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    if (m_paceThread.joinable())
        m_paceThread.join();
    std::lock_guard lock(m_mutex);
    m_running = false;
}

void WaylandScreenCaptureSession::fail(const QString& error) {
    KTLOG("%s", qPrintable(error));
    stopPacing();
    m_cast.reset();
    emit runtimeError(error);
    emit didStopRunning();
}

void WaylandScreenCaptureSession::paceLoop() {
    pthread_setname_np(pthread_self(), "ScreenPace");
    Clock::time_point due = Clock::now();
    // The picture and area of the frame sent last.
    qint64 sentPicture = 0;
    QRect sentArea;
    std::unique_lock lock(m_mutex);
    while (waitForFrame(lock, due)) {
        // Nothing to send before the first picture; afterwards the newest one, again if the
        // screen has not changed.
        const QImage latest = m_cast->latest();
        if (latest.isNull() || !m_hasInput || !m_queue)
            continue;
        const QRect whole = latest.rect();
        const QRectF crop = m_crop;
        const RepeatTest repeatTest = m_repeatTest;
        lock.unlock();
        QRect area = whole;
        if (!crop.isNull()) {
            const QRectF pixels = CoordinateSpace::screenLocalToDesktop(crop, whole);
            area =
                QRect(int(pixels.x()), int(pixels.y()), int(pixels.width()), int(pixels.height())) &
                whole;
        }
        if (area.isEmpty()) {
            lock.lock();
            m_running = false;
            lock.unlock();
            MainQueue::async(
                [this] { fail(QStringLiteral("the crop rectangle lies outside the display")); },
                m_guard);
            return;
        }
        // No new picture since the last frame: the receiver may repeat its own.
        if (repeatTest && latest.cacheKey() == sentPicture && area == sentArea && repeatTest()) {
            lock.lock();
            queueFrame(QImage());
            continue;
        }
        sentPicture = latest.cacheKey();
        sentArea = area;
        // The whole picture is shared: a receiver that draws on it gets a copy of its own
        // then (Qt copies on write), so the picture repeated next time stays clean.
        QImage frame = area == whole ? latest : latest.copy(area);
        lock.lock();
        queueFrame(std::move(frame));
    }
}
