// The camera chain: one capture session on the chosen camera, delivering frames on
// "VideoOutputQueue". A session that stops by itself is let go; a camera that cannot be opened,
// goes away or ends is reported as a runtime error.
#pragma once

#include <QObject>

#include <memory>
#include <optional>

#include "CameraCapture.h"

class Platform;
class SerialQueue;

class CameraCaptureChain : public QObject {
    Q_OBJECT
public:
    CameraCaptureChain(Platform& platform, CameraCaptureSession::FrameHandler frames);
    // Frames still queued run before the chain goes.
    ~CameraCaptureChain() override;

    // Replaces any session with a new one reading `camera`.
    void open(const CameraDevice& camera);
    // Stops the session; it stays until it has said it stopped, or until the next open.
    void close();
    CameraCaptureSession* session() const { return session_.get(); }
    // The camera the running chain reads; none while closed.
    std::optional<CameraDevice> camera() const { return camera_; }

signals:
    void runtimeError(const QString& error);

private:
    void stoppedRunning(CameraCaptureSession* session);

    Platform& platform_;
    CameraCaptureSession::FrameHandler frames_;
    std::unique_ptr<CameraCaptureSession> session_;
    std::optional<CameraDevice> camera_;
    std::shared_ptr<SerialQueue> queue_;
};
