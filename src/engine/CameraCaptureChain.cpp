#include "CameraCaptureChain.h"

#include "KTLog.h"
#include "Platform.h"
#include "SerialQueue.h"

CameraCaptureChain::CameraCaptureChain(Platform& platform,
                                       CameraCaptureSession::FrameHandler frames)
    : platform_(platform), frames_(std::move(frames)) {}

CameraCaptureChain::~CameraCaptureChain() {
    close();
    session_.reset();
    // Frames still queued refer to the receiver; let them run before it goes.
    queue_.reset();
}

void CameraCaptureChain::open(const CameraDevice& camera) {
    // The old session lets the device go before the new one opens it.
    close();
    if (session_)
        session_.release()->deleteLater();
    Cameras* cameras = platform_.cameras();
    if (!cameras)
        return;
    session_ = cameras->createCameraCaptureSession();
    CameraCaptureSession* session = session_.get();
    QString error;
    const bool opened = session->addInput(camera, &error);
    if (!opened) {
        KTLOG("videoInputError == %s", qPrintable(error));
        // Said once the caller is done, as a session's own error would be.
        QMetaObject::invokeMethod(
            this, [this, error] { emit runtimeError(error); }, Qt::QueuedConnection);
    }
    if (!queue_)
        queue_ = std::make_shared<SerialQueue>("VideoOutputQueue");
    session->addOutput(queue_, frames_);
    connect(session, &CameraCaptureSession::didStopRunning, this,
            [this, session] { stoppedRunning(session); });
    connect(session, &CameraCaptureSession::runtimeError, this, &CameraCaptureChain::runtimeError);
    if (opened)
        camera_ = camera;
    session->startRunning();
}

void CameraCaptureChain::close() {
    camera_.reset();
    if (!session_)
        return;
    session_->removeInput();
    session_->removeOutput();
    session_->stopRunning();
}

void CameraCaptureChain::stoppedRunning(CameraCaptureSession* session) {
    if (session != session_.get())
        return;
    camera_.reset();
    session->removeInput();
    session->removeOutput();
    // Deleted later: this runs inside the session's own signal.
    session_.release()->deleteLater();
}
