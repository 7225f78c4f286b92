#include "X11Damage.h"

#include "KTLog.h"
#include "X11Connection.h"

#include <cstdlib>

std::unique_ptr<X11Damage> X11Damage::watch(std::shared_ptr<X11Connection> connection) {
    xcb_connection_t* c = connection->xcb();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!extension || !extension->present) {
        KTLOG("no DAMAGE extension: every frame is grabbed");
        return nullptr;
    }
    // The server answers damage requests only after the version is agreed on.
    auto version = xcbReply(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    if (!version)
        return nullptr;
    const xcb_damage_damage_t damage = xcb_generate_id(c);
    // One event each time the bounding box of what was drawn grows, not one per drawing.
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_damage_create_checked(c, damage, connection->root(),
                                                       XCB_DAMAGE_REPORT_LEVEL_BOUNDING_BOX));
    if (error) {
        std::free(error);
        return nullptr;
    }
    return std::unique_ptr<X11Damage>(new X11Damage(
        std::move(connection), damage, uint8_t(extension->first_event + XCB_DAMAGE_NOTIFY)));
}

X11Damage::X11Damage(std::shared_ptr<X11Connection> connection, xcb_damage_damage_t damage,
                     uint8_t notifyEvent)
    : m_connection(std::move(connection)), m_damage(damage), m_notifyEvent(notifyEvent) {}

X11Damage::~X11Damage() {
    xcb_damage_destroy(m_connection->xcb(), m_damage);
    xcb_flush(m_connection->xcb());
}

void X11Damage::reset() {
    xcb_damage_subtract(m_connection->xcb(), m_damage, XCB_NONE, XCB_NONE);
    m_drawn = QRect();
}

bool X11Damage::changed(const QRect& area) {
    xcb_connection_t* c = m_connection->xcb();
    // Events the server sent before answering this are in our queue once the answer is.
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
        if ((event->response_type & 0x7f) == m_notifyEvent) {
            const auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            if (notify->damage == m_damage)
                m_drawn |=
                    QRect(notify->area.x, notify->area.y, notify->area.width, notify->area.height);
        }
        std::free(event);
    }
    // A lost connection cannot tell; the grab that follows finds out.
    return m_connection->hasError() || m_drawn.intersects(area);
}
