#include "PacedScreenCaptureSession.h"

#include "SerialQueue.h"

void PacedScreenCaptureSession::setCropRect(const QRectF& crop) {
    std::lock_guard lock(m_mutex);
    m_crop = crop;
}

void PacedScreenCaptureSession::removeInput() {
    std::lock_guard lock(m_mutex);
    m_hasInput = false;
}

void PacedScreenCaptureSession::addOutput(std::shared_ptr<SerialQueue> queue,
                                          FrameHandler handler) {
    std::lock_guard lock(m_mutex);
    m_queue = std::move(queue);
    m_handler = std::move(handler);
    m_wake.notify_all();
}

void PacedScreenCaptureSession::setRepeatTest(RepeatTest test) {
    std::lock_guard lock(m_mutex);
    m_repeatTest = std::move(test);
}

void PacedScreenCaptureSession::removeOutput() {
    std::lock_guard lock(m_mutex);
    m_queue.reset();
    m_handler = nullptr;
}

bool PacedScreenCaptureSession::isRunning() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

bool PacedScreenCaptureSession::waitForFrame(std::unique_lock<std::mutex>& lock,
                                             Clock::time_point& due) {
    // Without an input or an output there is nothing to pace.
    m_wake.wait(lock, [this] { return m_stopRequested || (m_hasInput && m_queue); });
    if (m_stopRequested || m_wake.wait_until(lock, due, [this] { return m_stopRequested; }))
        return false;
    due += m_frameDuration;
    if (due < Clock::now())
        due = Clock::now() + m_frameDuration;
    return true;
}

void PacedScreenCaptureSession::queueFrame(QImage frame) {
    if (m_queue)
        m_queue->async([handler = m_handler, frame = std::move(frame)]() mutable {
            handler(std::move(frame));
        });
}
