#include "X11TestDesktop.h"

#include "TestApplication.h"

#include <QRegularExpression>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

int number(const QString& text, const QString& label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) +
                                     QStringLiteral(":\\s*(-?\\d+)"));
    return pattern.match(text).captured(1).toInt();
}

// True once the window manager lists the window as a client.
bool isManaged(uint32_t window) {
    const QString list = runTool("xprop", {"-root", "_NET_CLIENT_LIST"});
    return list.contains(QStringLiteral("0x%1").arg(window, 0, 16));
}

} // namespace

TestWindow::TestWindow(const Options& options) : m_connection(xcb_connect(nullptr, nullptr)) {
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    m_window = xcb_generate_id(m_connection);
    const uint32_t values[] = {options.colour & 0xffffff};
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root,
                      int16_t(options.geometry.x()), int16_t(options.geometry.y()),
                      uint16_t(options.geometry.width()), uint16_t(options.geometry.height()), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                      values);
    const QByteArray name = options.name.toUtf8();
    xcb_change_property(
        m_connection, XCB_PROP_MODE_REPLACE, m_window, internAtom(m_connection, "_NET_WM_NAME"),
        internAtom(m_connection, "UTF8_STRING"), 8, uint32_t(name.size()), name.constData());
    const QByteArray wmClass = options.wmClass.toLower() + '\0' + options.wmClass + '\0';
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, uint32_t(wmClass.size()), wmClass.constData());
    if (options.windowType) {
        const xcb_atom_t type = internAtom(m_connection, options.windowType);
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window,
                            internAtom(m_connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1,
                            &type);
    }
    // Program-specified position and size, so the window manager keeps the asked geometry.
    uint32_t hints[18] = {};
    hints[0] = (1u << 2) | (1u << 3); // PPosition | PSize
    hints[1] = uint32_t(options.geometry.x());
    hints[2] = uint32_t(options.geometry.y());
    hints[3] = uint32_t(options.geometry.width());
    hints[4] = uint32_t(options.geometry.height());
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    xcb_map_window(m_connection, m_window);
    xcb_flush(m_connection);
    spinUntil([this] { return isManaged(m_window); });
    runTool("xdotool",
            {"windowmove", "--sync", QString::number(m_window),
             QString::number(options.geometry.x()), QString::number(options.geometry.y())});
}

TestWindow::~TestWindow() {
    xcb_destroy_window(m_connection, m_window);
    xcb_flush(m_connection);
    xcb_disconnect(m_connection);
    spinUntil([this] { return !isManaged(m_window); });
}

QRect TestWindow::desktopRect() const {
    const QString info = runTool("xwininfo", {"-id", QString::number(m_window)});
    return QRect(number(info, "Absolute upper-left X"), number(info, "Absolute upper-left Y"),
                 number(info, "Width"), number(info, "Height"));
}

QMargins TestWindow::frameExtents() const {
    const QString value =
        runTool("xprop", {"-id", QString::number(m_window), "_NET_FRAME_EXTENTS"});
    const QRegularExpression pattern(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"));
    const QRegularExpressionMatch m = pattern.match(value);
    if (!m.hasMatch())
        return {};
    // left, right, top, bottom
    return QMargins(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(2).toInt(),
                    m.captured(4).toInt());
}

void TestWindow::raise() const {
    runTool("xdotool", {"windowraise", QString::number(m_window)});
    // The stacking list shows the window last (topmost) once the window manager is done.
    spinUntil([this] {
        const QString stacking = runTool("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
        return stacking.trimmed().endsWith(QStringLiteral("0x%1").arg(m_window, 0, 16));
    });
}

void TestWindow::addState(const char* state) const {
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = m_window;
    message.type = internAtom(m_connection, "_NET_WM_STATE");
    message.data.data32[0] = 1; // _NET_WM_STATE_ADD
    message.data.data32[1] = internAtom(m_connection, state);
    message.data.data32[3] = 1; // from a normal application
    xcb_send_event(m_connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(m_connection);
    spinUntil([&] {
        return runTool("xprop", {"-id", QString::number(m_window), "_NET_WM_STATE"})
            .contains(QLatin1String(state));
    });
}
