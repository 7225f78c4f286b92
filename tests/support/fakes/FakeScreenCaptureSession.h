// A screen capture session driven by the test: deliver() queues a frame on the output queue
// as the real session does; start, stop and errors emit the notifications at once.
#pragma once

#include "FakeFrameOutput.h"
#include "ScreenCaptureSession.h"

#include <set>

class FakeScreenCaptureSession : public FakeFrameOutput<ScreenCaptureSession> {
public:
    // Display numbers addInput accepts.
    std::set<uint32_t> knownDisplays{1};

    bool hasInput = false;
    uint32_t displayNumber = 0;
    double minFrameDuration = 0;
    QRectF cropRect;

    bool addInput(uint32_t number, double duration) override {
        if (!knownDisplays.count(number) || !(duration > 0))
            return false;
        hasInput = true;
        displayNumber = number;
        minFrameDuration = duration;
        return true;
    }
    RepeatTest repeatTest;

    void setCropRect(const QRectF& crop) override { cropRect = crop; }
    void setRepeatTest(RepeatTest test) override { repeatTest = std::move(test); }
    void removeInput() override { hasInput = false; }
    void startRunning() override {
        running = true;
        emit didStartRunning();
    }
    void stopRunning() override {
        if (!running)
            return;
        running = false;
        emit didStopRunning();
    }
    bool isRunning() const override { return running; }
    void failWith(const QString& error) {
        running = false;
        emit runtimeError(error);
        emit didStopRunning();
    }

private:
    bool inputSet() const override { return hasInput; }
};
