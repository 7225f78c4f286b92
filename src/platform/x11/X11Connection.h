// One connection to the X server with the handful of helpers every backend file needs.
// xcb serialises requests itself, so one connection may be used from several threads.
#pragma once

#include <QByteArray>
#include <QString>
#include <xcb/xcb.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>

template <typename T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> XcbReply<T> xcbReply(T* reply) {
    return XcbReply<T>(reply, &std::free);
}

class X11Connection {
public:
    // displayName empty: $DISPLAY. Null when the server cannot be reached.
    static std::shared_ptr<X11Connection> open(const QByteArray& displayName);
    ~X11Connection();

    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    xcb_connection_t* xcb() const { return m_connection; }
    xcb_screen_t* screen() const { return m_screen; }
    xcb_window_t root() const { return m_screen->root; }
    const QByteArray& displayName() const { return m_displayName; }
    // True once the connection is lost for good.
    bool hasError() const { return xcb_connection_has_error(m_connection) != 0; }

    xcb_atom_t atom(const char* name) const;

    // A window property's raw value, or an empty array when it is missing.
    QByteArray property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                        uint32_t maxBytes = 1u << 16) const;
    // A text property: UTF8_STRING for EWMH names, STRING (Latin-1) otherwise.
    QString textProperty(xcb_window_t window, const char* name, bool utf8) const;

private:
    X11Connection(xcb_connection_t* connection, xcb_screen_t* screen, QByteArray displayName);

    xcb_connection_t* m_connection;
    xcb_screen_t* m_screen;
    QByteArray m_displayName;
    mutable std::mutex m_atomsMutex;
    mutable std::map<std::string, xcb_atom_t> m_atoms;
};
