// Where, and how large, the watermark is drawn in a frame.
#pragma once

#include <QRectF>
#include <QSizeF>

#include "WatermarkSettings.h"

class Preferences;

// "Watermark_center_x", "Watermark_center_y" and "Watermark_scale" as stored now. A centre
// never placed reads 0; a scale never set is 1, not 0, which would hide the watermark.
WatermarkPlacement storedWatermarkPlacement(const Preferences& store);

// The rectangle in frame coordinates (origin bottom left, y up) of a watermark picture of
// imageSize in a frame of frameWidth x frameHeight. An unplaced time watermark goes flush
// into the bottom-left corner; any other unplaced watermark is centred on that corner.
QRectF watermarkRect(const QSizeF& imageSize, int frameWidth, int frameHeight,
                     const WatermarkPlacement& placement, bool isTimeWatermark);
