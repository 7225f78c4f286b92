// The screen capture chain: one capture session on the recorded display, paced to the frame
// rate, cropped to the capture rectangle, delivering frames on "ScreenOutputQueue". A session
// that stops by itself is let go; its errors are passed on.
#pragma once

#include <QObject>
#include <QRectF>

#include <memory>
#include <optional>

#include "Displays.h"
#include "ScreenCaptureSession.h"

class Platform;
class SerialQueue;

class ScreenCaptureChain : public QObject {
    Q_OBJECT
public:
    // repeat: whether an unchanged screen may go ungrabbed (see ScreenCaptureSession).
    ScreenCaptureChain(Platform& platform, ScreenCaptureSession::FrameHandler frames,
                       ScreenCaptureSession::RepeatTest repeat);
    // Frames still queued run before the chain goes.
    ~ScreenCaptureChain() override;

    // Replaces any running session with a new one on `display`, at most one frame per
    // 1 / (integer part of fps) seconds, cropped to `crop` (display's own points, origin at
    // its lower-left corner, y up; null: the whole display).
    void open(const std::optional<DisplayInfo>& display, double fps, const QRectF& crop);
    // Stops the session; it stays until the next open.
    void close();
    void setCropRect(const QRectF& crop);
    ScreenCaptureSession* session() const { return session_.get(); }

signals:
    void runtimeError(const QString& error);

private:
    void stoppedRunning(ScreenCaptureSession* session);

    Platform& platform_;
    ScreenCaptureSession::FrameHandler frames_;
    ScreenCaptureSession::RepeatTest repeat_;
    std::unique_ptr<ScreenCaptureSession> session_;
    std::shared_ptr<SerialQueue> queue_;
};
