// An arrow cursor of a known shape: a size x size opaque black square with the hot spot given.
#pragma once

#include "ArrowCursor.h"

class FakeArrowCursor : public ArrowCursor {
public:
    CursorImage arrow;

    explicit FakeArrowCursor(int width = 12, int height = 20, QPointF hotSpot = {1, 1}) {
        arrow.image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        arrow.image.fill(Qt::black);
        arrow.hotSpot = hotSpot;
    }

    CursorImage arrowCursor() const override { return arrow; }
};
