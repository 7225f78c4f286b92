// Cutting a window down to the pixels it shows. Without a compositing manager a window cannot be
// see-through, but its shape can follow what it draws, so that the desktop stays visible and
// live everywhere else.
#pragma once

#include <QRect>
#include <QtGlobal>

#include <vector>

class WindowShape {
public:
    virtual ~WindowShape() = default;

    // The window (a native id) shows exactly these rectangles of itself, none when empty.
    virtual void setShape(quintptr window, const std::vector<QRect>& shown) = 0;
    // Inside `area` the window shows exactly `shown`; outside it nothing changes.
    virtual void reshape(quintptr window, const QRect& area, const std::vector<QRect>& shown) = 0;
};
