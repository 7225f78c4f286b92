// Cameras driven by the test: deliver() queues a frame on the session's output queue as a
// real camera does.
#pragma once

#include <algorithm>

#include "CameraCapture.h"
#include "FakeFrameOutput.h"

class FakeCameraCaptureSession : public FakeFrameOutput<CameraCaptureSession> {
public:
    std::vector<CameraDevice> attached;
    std::optional<CameraDevice> input;

    bool addInput(const CameraDevice& camera) override {
        if (std::find(attached.begin(), attached.end(), camera) == attached.end())
            return false;
        input = camera;
        return true;
    }
    void removeInput() override { input.reset(); }
    void startRunning() override { running = true; }
    void stopRunning() override { running = false; }

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
        sessions.push_back(session.get());
        return session;
    }
};
