// Window shapes through the X SHAPE extension, sent on Qt's own connection so that they stay in
// order with Qt's drawing of the same window.
#pragma once

#include "WindowShape.h"

#include <memory>

struct xcb_connection_t;

class X11WindowShape : public WindowShape {
public:
    // Null unless Qt runs on X11 and the server has SHAPE.
    static std::unique_ptr<X11WindowShape> create();

    void setShape(quintptr window, const std::vector<QRect>& shown) override;
    void reshape(quintptr window, const QRect& area, const std::vector<QRect>& shown) override;

private:
    explicit X11WindowShape(xcb_connection_t* connection) : m_xcb(connection) {}

    xcb_connection_t* m_xcb;
};
