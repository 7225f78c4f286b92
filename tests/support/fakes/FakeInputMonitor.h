// Input monitors whose events the test sends with post(); handlers run at once, in the
// calling thread, like the real ones run on the main queue.
#pragma once

#include "InputMonitor.h"

#include <map>
#include <vector>

class FakeInputMonitor : public InputMonitor {
public:
    MonitorId addMonitor(uint32_t mask, Handler handler) override {
        m_monitors.emplace(m_nextId, Entry{mask, std::move(handler)});
        return m_nextId++;
    }
    void removeMonitor(MonitorId id) override { m_monitors.erase(id); }

    size_t monitorCount() const { return m_monitors.size(); }

    void post(const InputEvent& event) {
        const uint32_t bit = inputEventMaskFor(event.type);
        std::vector<Handler> handlers;
        for (const auto& [id, entry] : m_monitors) {
            if (entry.mask & bit)
                handlers.push_back(entry.handler);
        }
        for (const Handler& handler : handlers)
            handler(event);
    }
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
    struct Entry {
        uint32_t mask;
        Handler handler;
    };
    std::map<MonitorId, Entry> m_monitors;
    MonitorId m_nextId = 1;
};
