#include "ScreenCaptureChain.h"

#include <algorithm>

#include "KTLog.h"
#include "Platform.h"
#include "SerialQueue.h"

ScreenCaptureChain::ScreenCaptureChain(Platform& platform,
                                       ScreenCaptureSession::FrameHandler frames,
                                       ScreenCaptureSession::RepeatTest repeat)
    : platform_(platform), frames_(std::move(frames)), repeat_(std::move(repeat)) {}

ScreenCaptureChain::~ScreenCaptureChain() {
    close();
    // Frames still queued refer to the receiver; let them run before it goes.
    queue_.reset();
}

void ScreenCaptureChain::open(const std::optional<DisplayInfo>& display, double fps,
                              const QRectF& crop) {
    if (session_) {
        // The old chain stops delivering before it is replaced.
        session_->removeOutput();
        session_->stopRunning();
    }
    session_ = platform_.createScreenCaptureSession();
    if (!session_)
        return;
    for (const DisplayInfo& d : platform_.displays().screens())
        KTLOG("NSScreenNumber %u", d.number);
    KTLOG("screen NSScreenNumber %u", display ? display->number : 0u);

    // The integer part of the frame rate; below one frame a second still means one.
    const int rate = std::max(1, int(fps));
    if (!display || !session_->addInput(display->number, 1.0 / rate))
        KTLOG("screen input not added");
    if (!crop.isNull())
        session_->setCropRect(crop);
    if (!queue_)
        queue_ = std::make_shared<SerialQueue>("ScreenOutputQueue");
    session_->setRepeatTest(repeat_);
    session_->addOutput(queue_, frames_);
    ScreenCaptureSession* session = session_.get();
    connect(session, &ScreenCaptureSession::didStopRunning, this,
            [this, session] { stoppedRunning(session); });
    connect(session, &ScreenCaptureSession::runtimeError, this, &ScreenCaptureChain::runtimeError);
    session->startRunning();
}

void ScreenCaptureChain::close() {
    if (!session_)
        return;
    session_->removeInput();
    session_->removeOutput();
    session_->stopRunning();
}

void ScreenCaptureChain::setCropRect(const QRectF& crop) {
    if (session_)
        session_->setCropRect(crop);
}

void ScreenCaptureChain::stoppedRunning(ScreenCaptureSession* session) {
    if (session != session_.get())
        return;
    session->removeInput();
    session->removeOutput();
    // Deleted later: this runs inside the session's own signal.
    session_.release()->deleteLater();
}
