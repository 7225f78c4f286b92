#include "X11WindowList.h"

#include "CoordinateSpace.h"
#include "KTLog.h"
#include "X11Connection.h"
#include "X11Drawables.h"
#include "X11Monitors.h"

#include <xcb/composite.h>

#include <algorithm>
#include <cstring>

namespace {

std::vector<uint32_t> uint32List(const QByteArray& value) {
    std::vector<uint32_t> list(value.size() / 4);
    if (!list.empty())
        std::memcpy(list.data(), value.constData(), list.size() * 4);
    return list;
}

bool contains(const std::vector<uint32_t>& list, xcb_atom_t atom) {
    return atom != XCB_ATOM_NONE && std::find(list.begin(), list.end(), atom) != list.end();
}

QRect truncatedRect(const QRectF& r) {
    return QRect(int(r.x()), int(r.y()), int(r.width()), int(r.height()));
}

} // namespace

X11WindowList::X11WindowList(std::shared_ptr<X11Connection> connection)
    : m_connection(std::move(connection)) {
    xcb_connection_t* c = m_connection->xcb();
    auto version = xcbReply(
        xcb_composite_query_version_reply(c, xcb_composite_query_version(c, 0, 4), nullptr));
    // Automatic redirection keeps every top-level window's content in its own pixmap while
    // the server still draws the screen as usual. It lasts as long as this connection.
    m_composite = version && (version->major_version > 0 || version->minor_version >= 2);
    if (m_composite)
        xcb_composite_redirect_subwindows(c, m_connection->root(),
                                          XCB_COMPOSITE_REDIRECT_AUTOMATIC);
    else
        KTLOG("no XComposite: covered windows are pictured as seen");
    xcb_flush(c);
}

std::vector<WindowInfo> X11WindowList::onScreenWindows() const {
    const std::vector<uint32_t> stacking = uint32List(m_connection->property(
        m_connection->root(), m_connection->atom("_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW));
    const CoordinateSpace space = desktopCoordinateSpace(*m_connection);
    std::vector<WindowInfo> windows;
    // The stacking list runs bottom to top; callers want front to back.
    for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) {
        if (auto info = describe(*it, space))
            windows.push_back(*info);
    }
    return windows;
}

std::optional<WindowInfo> X11WindowList::windowInfo(uint32_t number) const {
    return describe(number, desktopCoordinateSpace(*m_connection));
}

std::optional<WindowInfo> X11WindowList::describe(xcb_window_t window,
                                                  const CoordinateSpace& space) const {
    xcb_connection_t* c = m_connection->xcb();
    auto attributesCookie = xcb_get_window_attributes(c, window);
    auto geometryCookie = xcb_get_geometry(c, window);
    auto originCookie = xcb_translate_coordinates(c, window, m_connection->root(), 0, 0);
    auto attributes = xcbReply(xcb_get_window_attributes_reply(c, attributesCookie, nullptr));
    auto geometry = xcbReply(xcb_get_geometry_reply(c, geometryCookie, nullptr));
    auto origin = xcbReply(xcb_translate_coordinates_reply(c, originCookie, nullptr));
    if (!attributes || !geometry || !origin || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return std::nullopt;
    const std::vector<uint32_t> state = uint32List(
        m_connection->property(window, m_connection->atom("_NET_WM_STATE"), XCB_ATOM_ATOM));
    if (contains(state, m_connection->atom("_NET_WM_STATE_HIDDEN")))
        return std::nullopt;

    // The bounds take in the window manager's decoration, as the user sees the window.
    const std::vector<uint32_t> extents = uint32List(m_connection->property(
        window, m_connection->atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL));
    QRect desktop(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    if (extents.size() == 4)
        desktop.adjust(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));

    WindowInfo info;
    info.number = window;
    info.bounds = space.toWindowList(desktop);
    info.layer = layerOf(window);
    info.name = m_connection->textProperty(window, "_NET_WM_NAME", true);
    if (info.name.isEmpty())
        info.name = m_connection->textProperty(window, "WM_NAME", false);
    // WM_CLASS is "instance\0Class\0"; the class names the application.
    const QList<QByteArray> wmClass =
        m_connection->property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0');
    info.ownerName =
        QString::fromLatin1(wmClass.value(1).isEmpty() ? wmClass.value(0) : wmClass.value(1));
    return info;
}

int32_t X11WindowList::layerOf(xcb_window_t window) const {
    const X11Connection& x = *m_connection;
    const std::vector<uint32_t> types =
        uint32List(x.property(window, x.atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM));
    if (contains(types, x.atom("_NET_WM_WINDOW_TYPE_DESKTOP")))
        return kWindowLayerDesktop;
    if (contains(types, x.atom("_NET_WM_WINDOW_TYPE_DOCK")))
        return kWindowLayerDock;
    const std::vector<uint32_t> state =
        uint32List(x.property(window, x.atom("_NET_WM_STATE"), XCB_ATOM_ATOM));
    if (contains(state, x.atom("_NET_WM_STATE_ABOVE")))
        return kWindowLayerFloating;
    return kWindowLayerNormal;
}

xcb_window_t X11WindowList::topLevelOf(xcb_window_t window) const {
    xcb_connection_t* c = m_connection->xcb();
    for (;;) {
        auto tree = xcbReply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        if (!tree || tree->parent == XCB_WINDOW_NONE || tree->parent == tree->root)
            return window;
        window = tree->parent;
    }
}

void X11WindowList::drawWindow(xcb_window_t window, const QRect& target, QImage& image) const {
    xcb_connection_t* c = m_connection->xcb();
    const xcb_window_t topLevel = topLevelOf(window);
    auto geometry = xcbReply(xcb_get_geometry_reply(c, xcb_get_geometry(c, topLevel), nullptr));
    if (!geometry)
        return;
    // The parent is the root, so the geometry is in desktop pixels; a pixmap and GetImage on
    // a window both start inside the border.
    const QPoint origin(geometry->x + geometry->border_width, geometry->y + geometry->border_width);
    const QRect area = target & QRect(origin, QSize(geometry->width, geometry->height));
    if (area.isEmpty())
        return;
    if (m_composite) {
        const xcb_pixmap_t pixmap = xcb_generate_id(c);
        xcb_generic_error_t* error =
            xcb_request_check(c, xcb_composite_name_window_pixmap_checked(c, topLevel, pixmap));
        if (!error) {
            const bool copied =
                copyDrawable(*m_connection, pixmap, origin, area, image, target.topLeft());
            xcb_free_pixmap(c, pixmap);
            if (copied)
                return;
        }
        std::free(error);
    }
    copyDrawable(*m_connection, topLevel, origin, area, image, target.topLeft());
}

QImage X11WindowList::blankImage(const QRectF& bounds, QRect& target) const {
    target = truncatedRect(desktopCoordinateSpace(*m_connection).fromWindowList(bounds));
    if (target.isEmpty())
        return {};
    QImage image(target.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage X11WindowList::imageOfWindows(const QRectF& bounds,
                                     const std::vector<uint32_t>& windows) const {
    QRect target;
    QImage image = blankImage(bounds, target);
    if (image.isNull())
        return image;
    // Painted back to front so that front windows end up on top.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        drawWindow(*it, target, image);
    return image;
}

QImage X11WindowList::imageOfScreen(const QRectF& bounds) const {
    QRect target;
    QImage image = blankImage(bounds, target);
    if (image.isNull())
        return image;
    const xcb_screen_t* screen = m_connection->screen();
    const QRect root(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    copyDrawable(*m_connection, m_connection->root(), QPoint(0, 0), target & root, image,
                 target.topLeft());
    return image;
}
