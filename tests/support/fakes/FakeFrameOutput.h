// The output half shared by the fake capture sessions: deliver() queues a frame on the output
// queue as a real session does.
#pragma once

#include "SerialQueue.h"

#include <QImage>

#include <memory>

template <class Session> class FakeFrameOutput : public Session {
public:
    std::shared_ptr<SerialQueue> queue;
    typename Session::FrameHandler handler;
    bool running = false;

    void addOutput(std::shared_ptr<SerialQueue> q, typename Session::FrameHandler h) override {
        queue = std::move(q);
        handler = std::move(h);
    }
    void removeOutput() override {
        queue.reset();
        handler = nullptr;
    }

    // Queues the frame for the output; false when nothing would receive it.
    bool deliver(QImage frame) {
        if (!running || !inputSet() || !queue || !handler)
            return false;
        queue->async([h = handler, frame = std::move(frame)]() mutable { h(std::move(frame)); });
        return true;
    }

private:
    virtual bool inputSet() const = 0;
};
