// Key-downs and left mouse-downs in Tapedeck's own windows, the only input a Wayland client is
// given: Escape and Return on the area window, and the hotkeys while Tapedeck has the focus.
#pragma once

#include "InputMonitor.h"
#include "InputMonitorList.h"

#include <QObject>

#include <optional>

class QtInputMonitor : public QObject, public InputMonitor {
public:
    // Watches every window of the application from now on.
    QtInputMonitor();

    MonitorId addMonitor(uint32_t mask, Handler handler) override;
    void removeMonitor(MonitorId id) override;
    // An input that came another way (a shortcut the desktop handed over), told like the rest.
    void post(const InputEvent& event);

    // The event as the monitors see it; none for other events.
    static std::optional<InputEvent> inputEvent(const QEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputMonitorList m_monitors;
};
