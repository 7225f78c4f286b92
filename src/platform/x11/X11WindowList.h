// The on-screen windows from the window manager's EWMH stacking list, and pictures of them
// from their XComposite pixmaps, so a covered window still shows its own content.
#pragma once

#include "WindowList.h"

#include <xcb/xcb.h>

#include <memory>

class X11Connection;
class CoordinateSpace;

class X11WindowList : public WindowList {
public:
    explicit X11WindowList(std::shared_ptr<X11Connection> connection);

    std::vector<WindowInfo> onScreenWindows() const override;
    std::optional<WindowInfo> windowInfo(uint32_t number) const override;
    QImage imageOfWindows(const QRectF& bounds,
                          const std::vector<uint32_t>& windows) const override;
    QImage imageOfScreen(const QRectF& bounds) const override;

private:
    std::optional<WindowInfo> describe(xcb_window_t window, const CoordinateSpace& space) const;
    int32_t layerOf(xcb_window_t window) const;
    // The child of the root that holds the window: the window manager's frame around it.
    xcb_window_t topLevelOf(xcb_window_t window) const;
    // A transparent picture of bounds; target gets its desktop pixels.
    QImage blankImage(const QRectF& bounds, QRect& target) const;
    void drawWindow(xcb_window_t window, const QRect& target, QImage& image) const;

    std::shared_ptr<X11Connection> m_connection;
    bool m_composite = false;
};
