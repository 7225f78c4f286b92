#include "X11Monitors.h"

#include "X11Connection.h"

#include <xcb/randr.h>

namespace {

bool isBuiltInName(const QString& name) {
    // Laptop panels are wired through these connector kinds.
    for (const char* prefix : {"eDP", "LVDS", "DSI"}) {
        if (name.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString atomName(const X11Connection& connection, xcb_atom_t atom) {
    auto reply = xcbReply(xcb_get_atom_name_reply(
        connection.xcb(), xcb_get_atom_name(connection.xcb(), atom), nullptr));
    if (!reply)
        return {};
    return QString::fromLatin1(xcb_get_atom_name_name(reply.get()),
                               xcb_get_atom_name_name_length(reply.get()));
}

std::vector<X11Monitor> randrMonitors(const X11Connection& connection) {
    std::vector<X11Monitor> monitors;
    xcb_connection_t* c = connection.xcb();
    auto version =
        xcbReply(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
    if (!version || version->major_version < 1 ||
        (version->major_version == 1 && version->minor_version < 5))
        return monitors;
    auto reply = xcbReply(
        xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, connection.root(), 1), nullptr));
    if (!reply)
        return monitors;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
         xcb_randr_monitor_info_next(&it)) {
        const xcb_randr_monitor_info_t* m = it.data;
        X11Monitor monitor;
        monitor.desktopRect = QRect(m->x, m->y, m->width, m->height);
        monitor.info.name = atomName(connection, m->name);
        monitor.info.builtIn = isBuiltInName(monitor.info.name);
        // A monitor set up by hand may have no output; its name atom is then the stable id.
        const xcb_randr_output_t* outputs =
            xcb_randr_monitor_info_outputs(const_cast<xcb_randr_monitor_info_t*>(m));
        monitor.info.number = m->nOutput > 0 ? outputs[0] : m->name;
        if (m->primary)
            monitors.insert(monitors.begin(), monitor);
        else
            monitors.push_back(monitor);
    }
    return monitors;
}

} // namespace

std::vector<X11Monitor> queryMonitors(const X11Connection& connection) {
    std::vector<X11Monitor> monitors = randrMonitors(connection);
    if (monitors.empty()) {
        const xcb_screen_t* screen = connection.screen();
        X11Monitor whole;
        whole.desktopRect = QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
        whole.info.number = screen->root;
        whole.info.name = QStringLiteral("X screen");
        monitors.push_back(whole);
    }
    const CoordinateSpace space(monitors.front().desktopRect);
    for (X11Monitor& monitor : monitors)
        monitor.info.frame = space.toBottomLeft(monitor.desktopRect);
    return monitors;
}

CoordinateSpace desktopCoordinateSpace(const X11Connection& connection) {
    return CoordinateSpace(queryMonitors(connection).front().desktopRect);
}
