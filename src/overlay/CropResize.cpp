#include "CropResize.h"

#include <algorithm>

namespace {

enum DragState : int32_t {
    TopMiddle = 1,
    BottomMiddle = 2,
    LeftMiddle = 3,
    BottomLeft = 5,
    RightMiddle = 6,
    TopCorner = 7,
    BottomRight = 8,
};

// Watermark placement keeps the picture's proportions; which side follows depends on the handle.
QRectF keepAspect(QRectF rect, const QRectF& old, int32_t dragState, const QSizeF& image) {
    if (image.isEmpty())
        return rect;
    const double ratio = image.width() / image.height();
    switch (dragState) {
    case TopMiddle:
    case BottomMiddle:
        rect.setWidth(rect.height() * ratio);
        rect.moveLeft(old.center().x() - rect.width() / 2);
        break;
    case LeftMiddle:
    case RightMiddle:
    case BottomLeft:
    case BottomRight:
        rect.setHeight(rect.width() / ratio);
        break;
    case TopCorner:
        rect.setHeight(rect.width() / ratio);
        rect.moveTop(old.center().y() - rect.height() / 2);
        break;
    default:
        break;
    }
    return rect;
}

} // namespace

CropResizeResult resizeCropBorder(const CropResizeStep& step) {
    const QPointF p(
        std::clamp(step.point.x(), kResizeEdgeMargin,
                   std::max(kResizeEdgeMargin, step.bounds.width() - kResizeEdgeMargin)),
        std::clamp(step.point.y(), kResizeEdgeMargin,
                   std::max(kResizeEdgeMargin, step.bounds.height() - kResizeEdgeMargin)));
    const SRResizeMultiplyer& m = step.multiplyer;
    const double dx = m.widhtMultiplyer * (step.startPoint.x() - p.x());
    const double dy = m.heightMultiplyer * (p.y() - step.startPoint.y());

    const QRectF& old = step.border;
    QRectF rect(old.x() - m.xMultiplyer * dx, old.y() - m.yMultiplyer * dy, old.width() + dx,
                old.height() + dy);
    if (!step.imageSize.isEmpty())
        rect = keepAspect(rect, old, step.dragState, step.imageSize);

    // A side that would get too short keeps its old extent; the other side still follows.
    if (rect.width() < step.minimumSize) {
        rect.setX(old.x());
        rect.setWidth(old.width());
    }
    if (rect.height() < step.minimumSize) {
        rect.setY(old.y());
        rect.setHeight(old.height());
    }
    return {rect, p};
}
