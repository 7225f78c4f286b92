// The small pictures the composition lays over the cursor: the highlight disc and the ring.
#pragma once

#include <QImage>

// 40 x 40, a cyan disc at 0.6 opacity inscribed in the square.
QImage cursorHighlightImage();

// 60 x 60, a 3-wide blue circle of radius around the centre.
QImage clickRingImage(double radius);
