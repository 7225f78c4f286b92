#include "WaylandScreenCaptureSession.h"

#include <pthread.h>

#include "CoordinateSpace.h"
#include "KTLog.h"
#include "MainQueue.h"
#include "PipeWireScreenStream.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "ScreenCastPortal.h"
#include "SerialQueue.h"

WaylandScreenCaptureSession::WaylandScreenCaptureSession(Preferences& preferences)
    : m_guard(this), m_preferences(preferences) {}

WaylandScreenCaptureSession::~WaylandScreenCaptureSession() {
    stopPacing();
    m_stream.reset();
    delete m_portal;
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

void WaylandScreenCaptureSession::setCropRect(const QRectF& crop) {
    std::lock_guard lock(m_mutex);
    m_crop = crop;
}

void WaylandScreenCaptureSession::removeInput() {
    std::lock_guard lock(m_mutex);
    m_hasInput = false;
}

void WaylandScreenCaptureSession::addOutput(std::shared_ptr<SerialQueue> queue,
                                            FrameHandler handler) {
    std::lock_guard lock(m_mutex);
    m_queue = std::move(queue);
    m_handler = std::move(handler);
    m_wake.notify_all();
}

void WaylandScreenCaptureSession::removeOutput() {
    std::lock_guard lock(m_mutex);
    m_queue.reset();
    m_handler = nullptr;
}

void WaylandScreenCaptureSession::startRunning() {
    if (isRunning() || m_portal)
        return;
    stopPacing();
    m_portal = new ScreenCastPortal(m_preferences.string(PrefKey::ScreenCast_RestoreToken));
    m_portal->start([this](const ScreenCastPortal::Cast& cast, const QString& error) {
        const QString token = m_portal->restoreToken();
        if (token.isEmpty())
            m_preferences.remove(PrefKey::ScreenCast_RestoreToken);
        else
            m_preferences.setValue(PrefKey::ScreenCast_RestoreToken, token);
        castStarted(cast.pipeWireFd, cast.node, error);
    });
}

void WaylandScreenCaptureSession::castStarted(int fd, uint32_t node, const QString& error) {
    if (!error.isEmpty())
        return fail(error);
    QString streamError;
    m_stream = PipeWireScreenStream::open(
        fd, node,
        {[this](QImage picture) {
             std::lock_guard lock(m_mutex);
             m_latest = std::move(picture);
         },
         [this](const QString& e) { MainQueue::async([this, e] { fail(e); }, m_guard); }},
        streamError);
    if (!m_stream)
        return fail(streamError);
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
    m_stream.reset();
    delete m_portal;
    m_portal = nullptr;
    if (wasRunning)
        MainQueue::async([this] { emit didStopRunning(); }, m_guard);
}

bool WaylandScreenCaptureSession::isRunning() const {
    std::lock_guard lock(m_mutex);
    return m_running;
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
    m_latest = QImage();
}

void WaylandScreenCaptureSession::fail(const QString& error) {
    KTLOG("%s", qPrintable(error));
    stopPacing();
    m_stream.reset();
    delete m_portal;
    m_portal = nullptr;
    emit runtimeError(error);
    emit didStopRunning();
}

void WaylandScreenCaptureSession::paceLoop() {
    pthread_setname_np(pthread_self(), "ScreenPace");
    using Clock = std::chrono::steady_clock;
    Clock::time_point due = Clock::now();
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopRequested || (m_hasInput && m_queue); });
        if (m_stopRequested || m_wake.wait_until(lock, due, [this] { return m_stopRequested; }))
            return;
        due += m_frameDuration;
        if (due < Clock::now())
            due = Clock::now() + m_frameDuration;
        // Nothing to send before the first picture; afterwards the newest one, again if the
        // screen has not changed.
        if (m_latest.isNull() || !m_hasInput || !m_queue)
            continue;
        const QImage latest = m_latest;
        const QRect whole = latest.rect();
        const QRectF crop = m_crop;
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
        // The whole picture is shared: a receiver that draws on it gets a copy of its own
        // then (Qt copies on write), so the picture repeated next time stays clean.
        QImage frame = area == whole ? latest : latest.copy(area);
        lock.lock();
        // Queued under the lock, so no frame slips in after removeOutput() returns.
        if (m_queue)
            m_queue->async([handler = m_handler, frame = std::move(frame)]() mutable {
                handler(std::move(frame));
            });
    }
}
