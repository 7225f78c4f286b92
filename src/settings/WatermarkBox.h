// The arithmetic of the watermark placement window: where the box starts and what its final
// place and size store.
#pragma once

#include "WatermarkSettings.h"

#include <QRectF>
#include <QSizeF>

// The preview stands for a frame this many points wide (the composition scales by it).
inline constexpr double kWatermarkPreviewWidth = 594;

// The width the scale is measured against: the picture's, at most 560 (the height follows).
QSizeF watermarkBaseSize(const QSizeF& image);
// The box a picture starts as: its base size at the bottom-left corner.
QRectF initialWatermarkBox(const QSizeF& image);
// The box's centre as fractions of the preview (0 left and bottom, 1 right and top) and its
// width over the base width.
WatermarkPlacement placementOfBox(const QRectF& box, const QSizeF& preview, double baseWidth);
