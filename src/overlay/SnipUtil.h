// Rectangle helpers shared by window picking and the overlays.
#pragma once

#include <QPointF>
#include <QRectF>

class Displays;

class SnipUtil {
public:
    // A window-list rectangle (origin top left of the primary screen, y down) in global screen
    // coordinates (origin bottom left of the primary screen, y up). The conversion is its own
    // inverse.
    static QRectF cgWindowRectToScreenRect(const QRectF& rect, const Displays& displays);
    // Left and bottom edges inside, right and top edges outside.
    static bool isPoint(const QPointF& point, const QRectF& rect);
    // The value rounded down to a multiple of 4.
    static double roundedDownTo4(double value);
};
