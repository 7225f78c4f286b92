#include "X11Connection.h"

#include "KTLog.h"

#include <cstring>

std::shared_ptr<X11Connection> X11Connection::open(const QByteArray& displayName) {
    int screenNumber = 0;
    xcb_connection_t* connection =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        KTLOG("cannot connect to X display %s", displayName.constData());
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::shared_ptr<X11Connection>(new X11Connection(connection, it.data, displayName));
}

X11Connection::X11Connection(xcb_connection_t* connection, xcb_screen_t* screen,
                             QByteArray displayName)
    : m_connection(connection), m_screen(screen), m_displayName(std::move(displayName)) {}

X11Connection::~X11Connection() {
    xcb_disconnect(m_connection);
}

xcb_atom_t X11Connection::atom(const char* name) const {
    std::lock_guard lock(m_atomsMutex);
    auto found = m_atoms.find(name);
    if (found != m_atoms.end())
        return found->second;
    auto reply = xcbReply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr));
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    // A lost connection answers nothing; do not remember that as the atom's value.
    if (value != XCB_ATOM_NONE)
        m_atoms.emplace(name, value);
    return value;
}

QByteArray X11Connection::property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                   uint32_t maxBytes) const {
    auto reply = xcbReply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, maxBytes / 4),
        nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE)
        return {};
    const int bytes = xcb_get_property_value_length(reply.get());
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())), bytes);
}

QString X11Connection::textProperty(xcb_window_t window, const char* name, bool utf8) const {
    const QByteArray value =
        property(window, atom(name), utf8 ? atom("UTF8_STRING") : xcb_atom_t(XCB_ATOM_STRING));
    return utf8 ? QString::fromUtf8(value) : QString::fromLatin1(value);
}
