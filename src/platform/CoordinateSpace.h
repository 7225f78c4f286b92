// Conversions between the desktop's top-left pixel space (X11 root and Qt global coordinates)
// and the two conventions the rest of Tapedeck keeps: screen frames and capture rectangles with
// the origin at the bottom left of the primary screen, y up; window-list bounds with the origin
// at the top left of the primary screen, y down.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

class CoordinateSpace {
public:
    // primary: the primary screen's rectangle in desktop (top-left) coordinates.
    explicit CoordinateSpace(const QRect& primary) : m_primary(primary) {}

    QRectF toBottomLeft(const QRectF& desktop) const;
    QRectF fromBottomLeft(const QRectF& bottomLeft) const;

    // A pointer position names a pixel, so rows flip as index (height - 1 - y): the pointer
    // in the top row of a screen is still inside that screen's frame.
    QPointF pointToBottomLeft(const QPointF& desktop) const;

    QRectF toWindowList(const QRectF& desktop) const;
    QRectF fromWindowList(const QRectF& windowList) const;

    // A rectangle inside one screen (origin at that screen's lower-left corner, y up) to
    // desktop coordinates; screen is that screen's desktop rectangle.
    static QRectF screenLocalToDesktop(const QRectF& local, const QRect& screen);

private:
    QRect m_primary;
};
