// What was drawn on the screen since a point in time, from the DAMAGE extension: a grab can be
// left out when nothing in its area changed. Used on one thread.
#pragma once

#include <QRect>
#include <xcb/damage.h>

#include <memory>

class X11Connection;

class X11Damage {
public:
    // Watches the whole root window; null when the server has no DAMAGE extension.
    static std::unique_ptr<X11Damage> watch(std::shared_ptr<X11Connection> connection);
    ~X11Damage();

    // Starts a new interval; call just before the grab it stands for.
    void reset();
    // Whether anything was drawn inside area (desktop pixels) since the last reset. Asks the
    // server first, so whatever it drew before this call is known.
    bool changed(const QRect& area);

private:
    X11Damage(std::shared_ptr<X11Connection> connection, xcb_damage_damage_t damage,
              uint8_t notifyEvent);

    std::shared_ptr<X11Connection> m_connection;
    const xcb_damage_damage_t m_damage;
    const uint8_t m_notifyEvent;
    // Where drawing happened since the last reset.
    QRect m_drawn;
};
