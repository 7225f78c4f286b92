#include "X11Pointer.h"

#include "X11Connection.h"
#include "X11Monitors.h"

X11Pointer::X11Pointer(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection)) {}

QPointF X11Pointer::mouseLocation() const {
    xcb_connection_t* c = m_connection->xcb();
    auto reply =
        xcbReply(xcb_query_pointer_reply(c, xcb_query_pointer(c, m_connection->root()), nullptr));
    if (!reply)
        return {};
    return desktopCoordinateSpace(*m_connection)
        .pointToBottomLeft(QPointF(reply->root_x, reply->root_y));
}
