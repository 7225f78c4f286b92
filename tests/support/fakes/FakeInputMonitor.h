// Input monitors whose events the test sends with post(); handlers run at once, in the
// calling thread, like the real ones run on the main queue.
#pragma once

#include "InputMonitor.h"
#include "InputMonitorList.h"

class FakeInputMonitor : public InputMonitor {
public:
    MonitorId addMonitor(uint32_t mask, Handler handler) override {
        return m_monitors.add(mask, std::move(handler));
    }
    void removeMonitor(MonitorId id) override { m_monitors.remove(id); }

    size_t monitorCount() const { return m_monitors.size(); }

    void post(const InputEvent& event) { m_monitors.dispatch(event); }
    void postMouseDown(QPointF location = {}) {
        InputEvent event;
        event.type = InputEvent::Type::LeftMouseDown;
        event.location = location;
        post(event);
    }
    void postKeyDown(uint16_t keyCode, uint32_t modifierFlags = 0) {
        InputEvent event;
        event.type = InputEvent::Type::KeyDown;
        event.keyCode = keyCode;
        event.modifierFlags = modifierFlags;
        post(event);
    }

private:
    InputMonitorList m_monitors;
};
