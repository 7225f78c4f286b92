// Text turned into a watermark picture.
#pragma once

#include <QImage>
#include <QString>

#include "WatermarkSettings.h"

// The text in the settings' font, in their colour at their opacity; wraps at 1080 points.
// An empty text gives a null image.
QImage saveImageWithText(const QString& text, const WatermarkSettings& settings);
