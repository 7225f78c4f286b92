// The standard arrow cursor image, painted into recorded frames.
#pragma once

#include <QImage>
#include <QPointF>

struct CursorImage {
    // Format_ARGB32_Premultiplied; null when the desktop has no cursor theme with an arrow.
    QImage image;
    // Measured from the image's top-left corner.
    QPointF hotSpot;
    // The pointer is off the recorded picture or hidden: neither it nor its highlight is drawn.
    bool hidden = false;
};

class ArrowCursor {
public:
    virtual ~ArrowCursor() = default;

    virtual CursorImage arrowCursor() const = 0;
};
