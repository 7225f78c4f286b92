// A screen capture session driven by the test: deliver() queues a frame on the output queue
// as the real session does; start, stop and errors emit the notifications at once.
#pragma once

#include "ScreenCaptureSession.h"
#include "SerialQueue.h"

#include <set>

class FakeScreenCaptureSession : public ScreenCaptureSession {
public:
    // Display numbers addInput accepts.
    std::set<uint32_t> knownDisplays{1};

    bool hasInput = false;
    uint32_t displayNumber = 0;
    double minFrameDuration = 0;
    QRectF cropRect;
    std::shared_ptr<SerialQueue> queue;
    FrameHandler handler;
    bool running = false;

    bool addInput(uint32_t number, double duration) override {
        if (!knownDisplays.count(number) || !(duration > 0))
            return false;
        hasInput = true;
        displayNumber = number;
        minFrameDuration = duration;
        return true;
    }
    void setCropRect(const QRectF& crop) override { cropRect = crop; }
    void removeInput() override { hasInput = false; }
    void addOutput(std::shared_ptr<SerialQueue> q, FrameHandler h) override {
        queue = std::move(q);
        handler = std::move(h);
    }
    void removeOutput() override {
        queue.reset();
        handler = nullptr;
    }
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

    // Queues the frame for the output; false when nothing would receive it.
    bool deliver(QImage frame) {
        if (!running || !hasInput || !queue || !handler)
            return false;
        queue->async([h = handler, frame = std::move(frame)]() mutable { h(std::move(frame)); });
        return true;
    }
    void failWith(const QString& error) {
        running = false;
        emit runtimeError(error);
        emit didStopRunning();
    }
};
