#include "CoordinateSpace.h"

namespace {
// The line y = 0 of the bottom-left space, in desktop coordinates.
double bottomEdge(const QRect& primary) {
    return double(primary.y()) + primary.height();
}
} // namespace

QRectF CoordinateSpace::toBottomLeft(const QRectF& desktop) const {
    return {desktop.x() - m_primary.x(), bottomEdge(m_primary) - (desktop.y() + desktop.height()),
            desktop.width(), desktop.height()};
}

QRectF CoordinateSpace::fromBottomLeft(const QRectF& bottomLeft) const {
    return {bottomLeft.x() + m_primary.x(),
            bottomEdge(m_primary) - (bottomLeft.y() + bottomLeft.height()), bottomLeft.width(),
            bottomLeft.height()};
}

QPointF CoordinateSpace::pointToBottomLeft(const QPointF& desktop) const {
    return {desktop.x() - m_primary.x(), bottomEdge(m_primary) - 1 - desktop.y()};
}

QRectF CoordinateSpace::toWindowList(const QRectF& desktop) const {
    return desktop.translated(-m_primary.x(), -m_primary.y());
}

QRectF CoordinateSpace::fromWindowList(const QRectF& windowList) const {
    return windowList.translated(m_primary.x(), m_primary.y());
}

QRectF CoordinateSpace::screenLocalToDesktop(const QRectF& local, const QRect& screen) {
    return {screen.x() + local.x(), bottomEdge(screen) - (local.y() + local.height()),
            local.width(), local.height()};
}
