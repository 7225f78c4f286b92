// Cameras driven by the test: deliver() queues a frame on the session's output queue as a
// real camera does.
#pragma once

#include <algorithm>

#include "CameraCapture.h"
#include "SerialQueue.h"

class FakeCameraCaptureSession : public CameraCaptureSession {
public:
    std::vector<CameraDevice> attached;
    std::optional<CameraDevice> input;
    std::shared_ptr<SerialQueue> queue;
    FrameHandler handler;
    bool running = false;

    bool addInput(const CameraDevice& camera) override {
        if (std::find(attached.begin(), attached.end(), camera) == attached.end())
            return false;
        input = camera;
        return true;
    }
    void removeInput() override { input.reset(); }
    void addOutput(std::shared_ptr<SerialQueue> q, FrameHandler h) override {
        queue = std::move(q);
        handler = std::move(h);
    }
    void removeOutput() override {
        queue.reset();
        handler = nullptr;
    }
    void startRunning() override { running = true; }
    void stopRunning() override { running = false; }

    // Queues the frame for the output; false when nothing would receive it.
    bool deliver(QImage frame) {
        if (!running || !input || !queue || !handler)
            return false;
        queue->async([h = handler, frame = std::move(frame)]() mutable { h(std::move(frame)); });
        return true;
    }
};

class FakeCameras : public Cameras {
public:
    std::vector<CameraDevice> attached;
    std::vector<FakeCameraCaptureSession*> sessions;

    std::vector<CameraDevice> videoDevices() const override { return attached; }
    std::optional<CameraDevice> defaultDevice() const override {
        if (attached.empty())
            return std::nullopt;
        return attached.front();
    }
    std::unique_ptr<CameraCaptureSession> createCameraCaptureSession() override {
        auto session = std::make_unique<FakeCameraCaptureSession>();
        session->attached = attached;
        sessions.push_back(session.get());
        return session;
    }
};
