#include "InputMonitorList.h"

#include <vector>

InputMonitor::MonitorId InputMonitorList::add(uint32_t mask, InputMonitor::Handler handler) {
    const InputMonitor::MonitorId id = m_nextId++;
    m_monitors.emplace(id, Monitor{mask, std::move(handler)});
    return id;
}

void InputMonitorList::remove(InputMonitor::MonitorId id) {
    m_monitors.erase(id);
}

void InputMonitorList::dispatch(const InputEvent& event) const {
    const uint32_t bit = event.type == InputEvent::Type::KeyDown ? kInputEventMaskKeyDown
                                                                 : kInputEventMaskLeftMouseDown;
    std::vector<InputMonitor::Handler> handlers;
    for (const auto& [id, monitor] : m_monitors) {
        if (monitor.mask & bit)
            handlers.push_back(monitor.handler);
    }
    for (const InputMonitor::Handler& handler : handlers)
        handler(event);
}
