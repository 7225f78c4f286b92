#include "GKCropBorderView.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double kBorderInset = 5;
constexpr double kTrackInset = 10;
const QColor kHandleBlue = QColor::fromRgbF(0, 0.51f, 0.84f, 0.85f);
const QColor kHandleCentre = QColor::fromRgbF(1, 1, 1, 0.95f);

// Border coordinates (y up) to widget coordinates (y down).
QRectF flipped(const QRectF& rect, double height) {
    return {rect.x(), height - rect.y() - rect.height(), rect.width(), rect.height()};
}

} // namespace

GKCropBorderView::GKCropBorderView(QWidget* parent)
    : QWidget(parent), borderColor_(QColor::fromRgbF(0, 0.5098f, 0.8353f, 0.85f)) {
    // The overlay underneath handles the mouse and forwards the pointer here.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

std::array<QRectF, kCropHandleCount> GKCropBorderView::handleTrackRectArray() const {
    return cropHandleRects(size());
}

QRectF GKCropBorderView::contentTrackRect() const {
    return QRectF(QPointF(0, 0), QSizeF(size()))
        .adjusted(kTrackInset, kTrackInset, -kTrackInset, -kTrackInset);
}

bool GKCropBorderView::isInResizeRect(const QPointF& q) const {
    for (const QRectF& rect : handleTrackRectArray()) {
        if (rect.contains(q))
            return true;
    }
    return false;
}

void GKCropBorderView::setHideHandleRect(bool hide) {
    hideHandleRect_ = hide;
    update();
}

void GKCropBorderView::setBorderColor(const QColor& colour) {
    borderColor_ = colour;
    update();
}

Qt::CursorShape GKCropBorderView::cursorForHandle(int i) {
    switch (i & ~4) {
    case 0:
        return Qt::SizeBDiagCursor; // north-east to south-west
    case 1:
        return Qt::SizeVerCursor;
    case 2:
        return Qt::SizeFDiagCursor; // north-west to south-east
    default:
        return Qt::SizeHorCursor;
    }
}

int GKCropBorderView::areaAt(const QPointF& q) const {
    if (hideHandleRect_)
        return None;
    const auto handles = handleTrackRectArray();
    for (int i = 0; i < kCropHandleCount; ++i) {
        if (handles[i].contains(q))
            return i;
    }
    return contentTrackRect().contains(q) ? Content : None;
}

void GKCropBorderView::showCursor(Qt::CursorShape shape) {
    if (parentWidget())
        parentWidget()->setCursor(shape);
}

void GKCropBorderView::pointerMoved(const QPointF& q) {
    const int area = areaAt(q);
    if (area == trackedArea_)
        return;
    trackedArea_ = area;
    if (area >= 0)
        showCursor(cursorForHandle(area));
    else if (area == Content)
        showCursor(beDragging_ ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
    else if (!beDragging_)
        showCursor(Qt::ArrowCursor);
}

void GKCropBorderView::pointerPressed() {
    beDragging_ = true;
    if (trackedArea_ == Content)
        showCursor(Qt::ClosedHandCursor);
}

void GKCropBorderView::pointerReleased(const QPointF& q) {
    beDragging_ = false;
    trackedArea_ = areaAt(q);
    if (!isInResizeRect(q))
        showCursor(Qt::OpenHandCursor);
}

void GKCropBorderView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double h = height();
    QPen pen(borderColor_, 2);
    pen.setDashPattern({6.0 / 2, 3.0 / 2}); // Qt counts dashes in pen widths
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(rect()).adjusted(kBorderInset, kBorderInset, -kBorderInset, -kBorderInset));
    if (hideHandleRect_)
        return;
    painter.setPen(Qt::NoPen);
    for (const QRectF& handle : handleTrackRectArray()) {
        const QRectF target = flipped(handle, h);
        painter.setBrush(kHandleBlue);
        painter.drawEllipse(target);
        painter.setBrush(kHandleCentre);
        painter.drawEllipse(target.adjusted(2, 2, -2, -2));
    }
}
