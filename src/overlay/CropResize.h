// One step of resizing a selection border by one of its handles.
#pragma once

#include "CropHandles.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <cstdint>

constexpr double kSelectionMinimumSize = 64;
constexpr double kWatermarkMinimumSize = 20;
// Resizing stops this far from the overlay's edges.
constexpr double kResizeEdgeMargin = 12;

struct CropResizeStep {
    // The border frame before the step, overlay coordinates.
    QRectF border;
    // The overlay's size; the pointer is kept kResizeEdgeMargin inside it.
    QSizeF bounds;
    QPointF startPoint;
    QPointF point;
    SRResizeMultiplyer multiplyer;
    int32_t dragState = 0;
    // Set in watermark placement: the image's proportions are kept.
    QSizeF imageSize;
    double minimumSize = kSelectionMinimumSize;
};

struct CropResizeResult {
    QRectF border;
    // The clamped pointer, the next step's start point.
    QPointF startPoint;
};

CropResizeResult resizeCropBorder(const CropResizeStep& step);
