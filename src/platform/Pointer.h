// The mouse pointer's position.
#pragma once

#include <QPointF>

class Pointer {
public:
    virtual ~Pointer() = default;

    // Global points, origin at the bottom left of the primary display, y up.
    virtual QPointF mouseLocation() const = 0;
};
