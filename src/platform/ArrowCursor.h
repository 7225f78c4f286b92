// The standard arrow cursor image, painted into recorded frames.
#pragma once

#include <QImage>
#include <QPointF>

struct CursorImage {
    // Format_ARGB32_Premultiplied; null when the desktop has no cursor theme with an arrow.
    QImage image;
    // Measured from the image's top-left corner.
    QPointF hotSpot;
};

class ArrowCursor {
public:
    virtual ~ArrowCursor() = default;

    virtual CursorImage arrowCursor() const = 0;
};
