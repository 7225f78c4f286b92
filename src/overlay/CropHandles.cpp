#include "CropHandles.h"

#include <cmath>

namespace {
// Nearer than any handle of any real screen.
constexpr double kFarAway = 3000;
} // namespace

std::array<QPointF, kCropHandleCount> cropHandlePositions(const QSizeF& border) {
    const double w = border.width();
    const double h = border.height();
    return {QPointF(0, 0), QPointF(w / 2, 0), QPointF(w, 0), QPointF(w, h / 2),
            QPointF(w, h), QPointF(w / 2, h), QPointF(0, h), QPointF(0, h / 2)};
}

std::array<QRectF, kCropHandleCount> cropHandleRects(const QSizeF& border) {
    const double w = border.width();
    const double h = border.height();
    const double s = kCropHandleSize;
    const double midX = (w - s) / 2;
    const double midY = (h - s) / 2;
    return {QRectF(0, 0, s, s),        QRectF(midX, 0, s, s),      QRectF(w - s, 0, s, s),
            QRectF(w - s, midY, s, s), QRectF(w - s, h - s, s, s), QRectF(midX, h - s, s, s),
            QRectF(0, h - s, s, s),    QRectF(0, midY, s, s)};
}

int nearestCropHandle(const QSizeF& border, const QPointF& q) {
    const auto positions = cropHandlePositions(border);
    int best = 0;
    double bestDistance = kFarAway;
    for (int i = 0; i < kCropHandleCount; ++i) {
        const double distance = std::hypot(positions[i].x() - q.x(), positions[i].y() - q.y());
        // Strictly nearer only: equal distances keep the earlier handle.
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

SRResizeMultiplyer resizeMultiplyerForAnchor(const QPointF& a, const QSizeF& border) {
    const double w = border.width();
    const double h = border.height();
    SRResizeMultiplyer m;
    m.heightMultiplyer = a.y() == 0 ? -1 : (a.y() == h ? 1 : 0);
    m.widhtMultiplyer = a.x() == 0 ? 1 : (a.x() == w ? -1 : 0);
    m.xMultiplyer = a.x() == 0 ? 1 : 0;
    m.yMultiplyer = a.y() == 0 ? 1 : 0;
    return m;
}

int32_t dragStateForAnchor(const QPointF& a, const QSizeF& border) {
    const double w = border.width();
    const double h = border.height();
    const bool left = a.x() == 0;
    const bool middle = a.x() == w / 2;
    const bool right = a.x() == w;
    if (a.y() == h) {
        if (left || right)
            return 7;
        return middle ? 1 : 0;
    }
    if (a.y() == 0) {
        if (left)
            return 5;
        if (right)
            return 8;
        return middle ? 2 : 0;
    }
    if (a.y() == h / 2) {
        if (left)
            return 3;
        if (right)
            return 6;
    }
    return 0;
}

QRectF contentRectForBorder(const QRectF& border) {
    return border.adjusted(kCropBorderOutset, kCropBorderOutset, -kCropBorderOutset,
                           -kCropBorderOutset);
}

QRectF borderRectForContent(const QRectF& content) {
    return content.adjusted(-kCropBorderOutset, -kCropBorderOutset, kCropBorderOutset,
                            kCropBorderOutset);
}
