#include "X11CompositorCheck.h"

#include "X11Connection.h"

X11CompositorCheck::X11CompositorCheck(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection)) {}

std::unique_ptr<X11CompositorCheck> X11CompositorCheck::create(const QByteArray& displayName) {
    std::shared_ptr<X11Connection> connection = X11Connection::open(displayName);
    if (!connection)
        return nullptr;
    return std::make_unique<X11CompositorCheck>(std::move(connection));
}

bool X11CompositorCheck::isCompositing() const {
    xcb_connection_t* xcb = m_connection->xcb();
    const auto reply = xcbReply(xcb_get_selection_owner_reply(
        xcb, xcb_get_selection_owner(xcb, m_connection->atom("_NET_WM_CM_S0")), nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}
