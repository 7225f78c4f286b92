// The picture the watermark draws in one frame.
#pragma once

#include <QDateTime>
#include <QImage>

#include "WatermarkSettings.h"

// The time text rendered now for a time watermark, the stored picture for a text or image
// watermark, else a null image.
QImage watermarkImageForFrame(const WatermarkSettings& settings, const QDateTime& now);
