// One shape drawn on a drawing canvas: a rounded rectangle, an ellipse, an arrow, a straight
// line or a freehand line (also the eraser's), with its width, colour and compositing mode. It
// draws itself on request. Coordinates are the canvas's: origin bottom left, y up.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <cstdint>

class QPainter;

class DWStroke {
public:
    // Values of `blendMode`.
    static constexpr int32_t kBlendNormal = 0;
    static constexpr int32_t kBlendDestinationIn = 22;

    // Values of `doodleType`, which are also the canvas's tool numbers.
    enum Kind : int64_t { Rectangle = 0, Ellipse = 1, Arrow = 2, Line = 3, Pencil = 4, Text = 5 };

    int32_t blendMode = kBlendNormal;
    int64_t doodleType = Pencil;
    // The freehand line, kind 4 only.
    QPainterPath path;
    double strokeWidth = 0;
    double filletWidth = 5;
    QColor lineColor;
    QPointF beganPoint;
    QPointF endPoint;

    // Draws into `context` with its present transform and clip. Pen, brush and compositing mode
    // are left as the stroke set them.
    void strokeWithContext(QPainter& context) const;

    // Canvas area that drawing can touch, with room for wide joins; empty for text.
    QRectF bounds() const;
    // What the freehand line's newest segment changes: itself, and the end before it that
    // became a join.
    QRectF tailBounds() const;

    // The arrow's outline, tail at `beganPoint` and tip at `endPoint`.
    QPolygonF arrowPolygon() const;
};
