#include "X11WindowShape.h"

#include "QtXcbConnection.h"

#include <xcb/shape.h>

namespace {

std::vector<xcb_rectangle_t> xcbRects(const std::vector<QRect>& rects) {
    std::vector<xcb_rectangle_t> out;
    out.reserve(rects.size());
    for (const QRect& r : rects)
        out.push_back({int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()), uint16_t(r.height())});
    return out;
}

void combine(xcb_connection_t* xcb, xcb_shape_op_t op, quintptr window,
             const std::vector<xcb_rectangle_t>& rects) {
    xcb_shape_rectangles(xcb, op, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED,
                         xcb_window_t(window), 0, 0, uint32_t(rects.size()), rects.data());
}

} // namespace

std::unique_ptr<X11WindowShape> X11WindowShape::create() {
    xcb_connection_t* xcb = qtXcbConnection();
    if (!xcb)
        return nullptr;
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(xcb, &xcb_shape_id);
    if (!shape || !shape->present)
        return nullptr;
    return std::unique_ptr<X11WindowShape>(new X11WindowShape(xcb));
}

void X11WindowShape::setShape(quintptr window, const std::vector<QRect>& shown) {
    combine(m_xcb, XCB_SHAPE_SO_SET, window, xcbRects(shown));
    xcb_flush(m_xcb);
}

void X11WindowShape::reshape(quintptr window, const QRect& area, const std::vector<QRect>& shown) {
    combine(m_xcb, XCB_SHAPE_SO_SUBTRACT, window, xcbRects({area}));
    if (!shown.empty())
        combine(m_xcb, XCB_SHAPE_SO_UNION, window, xcbRects(shown));
    xcb_flush(m_xcb);
}
