// Cameras and a capture session for one of them: BGRA frames delivered on a serial queue.
// Notifications arrive on the main queue.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class SerialQueue;

struct CameraDevice {
    // Stable while the camera stays plugged in, and what the backend opens: a device's by-id
    // path, or any other source the backend reads.
    QString uniqueID;
    // The name shown to the user.
    QString localizedName;
    bool operator==(const CameraDevice&) const = default;
};

class CameraCaptureSession : public QObject {
    Q_OBJECT
public:
    // A frame is BGRA premultiplied (QImage::Format_ARGB32_Premultiplied) at the camera's own
    // size, unmirrored; the handler holds the only reference.
    using FrameHandler = std::function<void(QImage frame)>;

    ~CameraCaptureSession() override = default;

    // False when the camera is gone or cannot be opened; `error` then says why.
    virtual bool addInput(const CameraDevice& camera, QString* error = nullptr) = 0;
    virtual void removeInput() = 0;
    virtual void addOutput(std::shared_ptr<SerialQueue> queue, FrameHandler handler) = 0;
    // After this returns no further frame is queued; frames already queued still run.
    virtual void removeOutput() = 0;
    virtual void startRunning() = 0;
    virtual void stopRunning() = 0;

signals:
    void didStartRunning();
    void didStopRunning();
    // The camera went away or its stream ended; didStopRunning follows.
    void runtimeError(const QString& error);
};

class Cameras {
public:
    virtual ~Cameras() = default;
    // Every camera attached now, read fresh at each call.
    virtual std::vector<CameraDevice> videoDevices() const = 0;
    // The camera to use when none was chosen; none without any camera.
    virtual std::optional<CameraDevice> defaultDevice() const = 0;
    // A new, idle session each call.
    virtual std::unique_ptr<CameraCaptureSession> createCameraCaptureSession() = 0;
};
