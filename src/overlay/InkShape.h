// Which pixels of a drawing a window without an alpha channel shows: those more than half
// covered. The canvas paints them at full strength and the window's shape is cut to them.
#pragma once

#include <QImage>
#include <QRect>

#include <vector>

inline constexpr int kInkAlpha = 129;

// Rectangles covering exactly the pixels of `area` whose alpha is at least kInkAlpha; runs of
// one row continue downwards while the next row repeats them.
std::vector<QRect> inkRects(const QImage& image, const QRect& area);
