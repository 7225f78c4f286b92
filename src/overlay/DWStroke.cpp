#include "DWStroke.h"

#include "KTLog.h"

#include <QLineF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Line caps and joins are the ones a drawing context starts with elsewhere: butt ends, so
// that a stroke without length shows nothing, and mitred corners.
QPen strokePen(const QColor& color, double width) {
    return QPen(QBrush(color), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// The rectangle spanned by the two points, in single precision; an empty side counts 0.1.
QRectF spannedRect(const QPointF& b, const QPointF& e) {
    const float bx = float(b.x()), by = float(b.y()), ex = float(e.x()), ey = float(e.y());
    const float dx = bx - ex, dy = by - ey;
    const float x = dx > 0 ? ex : bx;
    const float y = dy > 0 ? ey : by;
    float w = std::fabs(dx), h = std::fabs(dy);
    if (w == 0)
        w = 0.1f;
    if (h == 0)
        h = 0.1f;
    return QRectF(x, y, w, h);
}

// Qt's arc angles run counter-clockwise from 3 o'clock with y growing downwards.
double qtAngle(const QPointF& centre, const QPointF& p) {
    return std::atan2(centre.y() - p.y(), p.x() - centre.x()) * 180 / std::numbers::pi;
}

// A tangent arc: a line from the current point towards `corner`, then an arc of `radius`
// that leaves along the line from `corner` to `towards`. Degenerate corners become a line.
void addArcToPoint(QPainterPath& path, const QPointF& corner, const QPointF& towards,
                   double radius) {
    const QPointF from = path.currentPosition();
    QLineF in(corner, from), out(corner, towards);
    const double turn = in.angleTo(out) * std::numbers::pi / 180;
    if (in.length() == 0 || out.length() == 0 || radius <= 0 || std::fabs(std::sin(turn)) < 1e-9) {
        path.lineTo(corner);
        return;
    }
    const QPointF u1 = (from - corner) / in.length(), u2 = (towards - corner) / out.length();
    const double cosine = std::clamp(u1.x() * u2.x() + u1.y() * u2.y(), -1.0, 1.0);
    const double half = std::acos(cosine) / 2;
    const double reach = radius / std::tan(half);
    const QPointF t1 = corner + u1 * reach, t2 = corner + u2 * reach;
    QPointF bisector = u1 + u2;
    bisector /= std::hypot(bisector.x(), bisector.y());
    const QPointF centre = corner + bisector * (radius / std::sin(half));
    path.lineTo(t1);
    const double start = qtAngle(centre, t1);
    double sweep = qtAngle(centre, t2) - start;
    while (sweep > 180)
        sweep -= 360;
    while (sweep <= -180)
        sweep += 360;
    path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), start,
               sweep);
}

QPainterPath roundedRectPath(const QRectF& r, double fillet) {
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    double radius = fillet;
    if (2 * radius > w)
        radius = w / 2;
    else if (2 * radius > h)
        radius = h / 2;
    // The outline starts where the lower right corner's arc ends. Starting higher, at
    // y + 2r, would put the start on the upper right corner itself whenever r = h / 2 and
    // leave that one corner square.
    QPainterPath path(QPointF(x + w, y + radius));
    addArcToPoint(path, {x + w, y + h}, {x + w - 10, y + h}, radius);
    addArcToPoint(path, {x, y + h}, {x, y + h - 10}, radius);
    addArcToPoint(path, {x, y}, {x + 2 * radius, y}, radius);
    addArcToPoint(path, {x + w, y}, {x + w, y + 2 * radius}, radius);
    path.lineTo(x + w, y + radius);
    return path;
}

} // namespace

QPolygonF DWStroke::arrowPolygon() const {
    const float bx = float(beganPoint.x()), by = float(beganPoint.y());
    const float dx = float(endPoint.x()) - bx, dy = float(endPoint.y()) - by;
    const float length = std::sqrt(dx * dx + dy * dy);
    float theta = std::atan2(dy, dx);
    if (theta < 0)
        theta += 2 * std::numbers::pi_v<float>;
    const float head = (float(strokeWidth) / 22 * 0.5f + 0.5f) * 0.4f * length;
    const float a = head / 2;
    const float outline[8][2] = {{0, 0},
                                 {0, 0.01f * a},
                                 {0.84f * length, 0.3f * a},
                                 {0.8f * length, 0.7f * a},
                                 {length, 0},
                                 {0.8f * length, -0.7f * a},
                                 {0.84f * length, -0.3f * a},
                                 {0, -0.01f * a}};
    systemLog(QString::asprintf("ArrowAngle:%.2f", 360 - theta * 180 / std::numbers::pi));
    systemLog(QString::asprintf("ArrowHeight:%.2f  ArrowWidth:%.2f", head, length));
    const float c = std::cos(theta), s = std::sin(theta);
    QPolygonF polygon;
    for (int i = 0; i < 8; ++i) {
        const float u = outline[i][0], v = outline[i][1];
        const float x = u * c - v * s, y = u * s + v * c;
        systemLog(QString::asprintf("index:%d x:%.2f  y:%.2f", i, x, y));
        polygon << QPointF(x + bx, y + by);
    }
    return polygon;
}

void DWStroke::strokeWithContext(QPainter& context) const {
    context.setCompositionMode(blendMode == kBlendDestinationIn
                                   ? QPainter::CompositionMode_DestinationIn
                                   : QPainter::CompositionMode_SourceOver);
    switch (doodleType) {
    case Rectangle: {
        const QPainterPath outline =
            roundedRectPath(spannedRect(beganPoint, endPoint), filletWidth);
        context.fillPath(outline, QColor(Qt::transparent));
        context.strokePath(outline, strokePen(lineColor, strokeWidth));
        return;
    }
    case Ellipse:
        context.setPen(strokePen(lineColor, strokeWidth));
        context.setBrush(Qt::NoBrush);
        context.drawEllipse(spannedRect(beganPoint, endPoint));
        return;
    case Arrow:
        context.setPen(strokePen(lineColor, 0.1));
        context.setBrush(lineColor);
        context.drawPolygon(arrowPolygon());
        return;
    case Line:
        context.setPen(strokePen(lineColor, strokeWidth));
        context.drawLine(beganPoint, endPoint);
        return;
    case Text:
        context.setPen(strokePen(lineColor, strokeWidth));
        return;
    default:
        context.strokePath(path, strokePen(lineColor, strokeWidth));
        return;
    }
}

namespace {

// Mitred corners reach up to twice the width out.
double joinMargin(double width) {
    return 2 * std::max(width, 1.0) + 2;
}

} // namespace

QRectF DWStroke::tailBounds() const {
    const int count = path.elementCount();
    QPointF low(path.currentPosition()), high(low);
    for (int i = std::max(0, count - 3); i < count; ++i) {
        const QPointF p = path.elementAt(i);
        low = QPointF(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
        high = QPointF(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
    }
    const double margin = joinMargin(strokeWidth);
    return QRectF(low, high).adjusted(-margin, -margin, margin, margin);
}

QRectF DWStroke::bounds() const {
    QRectF area;
    switch (doodleType) {
    case Text:
        return {};
    case Rectangle:
    case Ellipse:
        area = spannedRect(beganPoint, endPoint);
        break;
    case Arrow:
    case Line:
        area = QRectF(beganPoint, endPoint).normalized();
        break;
    default:
        area = path.boundingRect();
        break;
    }
    // Arrow heads are wider than the line.
    const double margin = joinMargin(strokeWidth);
    const double head = doodleType == Arrow ? QLineF(beganPoint, endPoint).length() * 0.2 : 0;
    return area.adjusted(-margin - head, -margin - head, margin + head, margin + head);
}
