// Composed frames are described with the origin at the bottom left, y up, while image rows run
// top to bottom; this is the one place that flips between the two.
#pragma once

#include <QRectF>

inline QRectF frameRectToImage(const QRectF& frameRect, int frameHeight) {
    return QRectF(frameRect.x(), frameHeight - frameRect.y() - frameRect.height(),
                  frameRect.width(), frameRect.height());
}
