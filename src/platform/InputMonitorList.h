// The handlers an InputMonitor implementation keeps, and their dispatch.
#pragma once

#include "InputMonitor.h"

#include <map>

class InputMonitorList {
public:
    InputMonitor::MonitorId add(uint32_t mask, InputMonitor::Handler handler);
    void remove(InputMonitor::MonitorId id);
    size_t size() const { return m_monitors.size(); }

    // Calls every handler whose mask takes the event, in the order they were added. A handler
    // may add or remove monitors; the event goes to those that matched when it arrived.
    void dispatch(const InputEvent& event) const;

private:
    struct Monitor {
        uint32_t mask;
        InputMonitor::Handler handler;
    };
    std::map<InputMonitor::MonitorId, Monitor> m_monitors;
    InputMonitor::MonitorId m_nextId = 1;
};
