// Cameras driven by the test: deliver() queues a frame on the session's output queue as a
// real camera does. Sessions are kept in `sessions` until destroyed.
#pragma once

#include <algorithm>

#include "CameraCapture.h"
#include "FakeFrameOutput.h"

class FakeCameraCaptureSession : public FakeFrameOutput<CameraCaptureSession> {
public:
    std::vector<CameraDevice> attached;
    std::optional<CameraDevice> input;

    bool addInput(const CameraDevice& camera, QString* error = nullptr) override {
        if (std::find(attached.begin(), attached.end(), camera) == attached.end()) {
            if (error)
                *error = "no such camera";
            return false;
        }
        input = camera;
        return true;
    }
    void removeInput() override { input.reset(); }
    void startRunning() override { running = true; }
    void stopRunning() override {
        if (std::exchange(running, false))
            emit didStopRunning();
    }

private:
    bool inputSet() const override { return input.has_value(); }
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
        FakeCameraCaptureSession* raw = session.get();
        sessions.push_back(raw);
        QObject::connect(raw, &QObject::destroyed, &context_, [this, raw] {
            sessions.erase(std::remove(sessions.begin(), sessions.end(), raw), sessions.end());
        });
        return session;
    }

private:
    // Ends the bookkeeping connections when the cameras go before their sessions.
    QObject context_;
};
