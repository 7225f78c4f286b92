#include "X11Displays.h"

#include "Pointer.h"
#include "X11Connection.h"
#include "X11Monitors.h"

X11Displays::X11Displays(std::shared_ptr<X11Connection> connection, const Pointer& pointer)
    : m_connection(std::move(connection)), m_pointer(pointer) {}

std::vector<DisplayInfo> X11Displays::screens() const {
    std::vector<DisplayInfo> result;
    for (const X11Monitor& monitor : queryMonitors(*m_connection))
        result.push_back(monitor.info);
    return result;
}

std::optional<DisplayInfo> X11Displays::mainScreen() const {
    return queryMonitors(*m_connection).front().info;
}

std::optional<DisplayInfo> X11Displays::currentScreenForMouseLocation() const {
    const QPointF location = m_pointer.mouseLocation();
    for (const DisplayInfo& screen : screens()) {
        if (screen.frame.contains(location))
            return screen;
    }
    return std::nullopt;
}
