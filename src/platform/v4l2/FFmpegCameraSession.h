// A camera capture session on FFmpeg: a reader thread decodes the source's pictures and queues
// each as a BGRA frame on the output's serial queue. Sources that do not pace themselves
// (files, generated pictures) are played at their own frame times. A source that ends or goes
// away is a runtime error of the session.
#pragma once

#include "CameraCapture.h"

#include <QPointer>

#include <atomic>
#include <mutex>
#include <thread>

class CameraStream;

class FFmpegCameraSession : public CameraCaptureSession {
    Q_OBJECT
public:
    FFmpegCameraSession();
    ~FFmpegCameraSession() override;

    bool addInput(const CameraDevice& camera, QString* error = nullptr) override;
    void removeInput() override;
    void addOutput(std::shared_ptr<SerialQueue> queue, FrameHandler handler) override;
    void removeOutput() override;
    void startRunning() override;
    void stopRunning() override;

    // Pictures left out because the receiver still held earlier ones.
    uint64_t skippedFrames() const { return skipped_.load(); }

private:
    void readLoop();
    // Queues the frame unless the receiver is behind; false when nobody receives.
    void deliver(QImage frame);
    void joinReader();
    void startReader();

    // Made here on the main thread; the reader posts its notifications through copies.
    const QPointer<const QObject> guard_;
    std::mutex mutex_;
    std::unique_ptr<CameraStream> stream_;
    std::shared_ptr<SerialQueue> queue_;
    FrameHandler handler_;
    bool running_ = false;
    std::atomic<bool> stopRequested_ = false;
    std::thread reader_;
    std::atomic<bool> readerEnded_ = false;
    // Frames queued and not yet handled; more than a few means the receiver is behind.
    std::shared_ptr<std::atomic<int>> inFlight_ = std::make_shared<std::atomic<int>>(0);
    std::atomic<uint64_t> skipped_ = 0;
};
