// Where the eight handles of a selection border sit and what holding one of them does.
// Border coordinates: origin at the border's lower-left corner, y up.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <array>
#include <cstdint>

constexpr int kCropHandleCount = 8;
// The border lies this far outside the selection on every side.
constexpr double kCropBorderOutset = 6;
constexpr double kCropHandleSize = 10;

struct SRResizeMultiplyer {
    int32_t widhtMultiplyer = 0;
    int32_t heightMultiplyer = 0;
    int32_t xMultiplyer = 0;
    int32_t yMultiplyer = 0;

    bool operator==(const SRResizeMultiplyer&) const = default;
};

// Bottom-left, bottom-middle, bottom-right, right-middle, top-right, top-middle, top-left,
// left-middle.
std::array<QPointF, kCropHandleCount> cropHandlePositions(const QSizeF& border);
// The 10 x 10 rectangles around those positions, kept inside the border.
std::array<QRectF, kCropHandleCount> cropHandleRects(const QSizeF& border);
// Index of the handle nearest to q; on equal distances the earlier handle.
int nearestCropHandle(const QSizeF& border, const QPointF& q);

SRResizeMultiplyer resizeMultiplyerForAnchor(const QPointF& anchor, const QSizeF& border);
// 1 top-middle, 2 bottom-middle, 3 left-middle, 5 bottom-left, 6 right-middle, 7 top corners,
// 8 bottom-right; 0 for any other point.
int32_t dragStateForAnchor(const QPointF& anchor, const QSizeF& border);

// The selection rectangle a border frame surrounds, and back.
QRectF contentRectForBorder(const QRectF& border);
QRectF borderRectForContent(const QRectF& content);
