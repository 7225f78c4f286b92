#include "DWStroke.h"

#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace {

constexpr int kWidth = 120, kHeight = 100;

DWStroke stroke(int64_t kind, QPointF b, QPointF e, double width) {
    DWStroke s;
    s.doodleType = kind;
    s.beganPoint = b;
    s.endPoint = e;
    s.strokeWidth = width;
    s.lineColor = Qt::red;
    s.path.moveTo(b);
    if (e != b)
        s.path.lineTo(e);
    return s;
}

// A transparent canvas, y up, painted by `paint` as the canvas paints.
QImage render(const std::function<void(QPainter&)>& paint) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(QTransform(1, 0, 0, -1, 0, kHeight));
    paint(painter);
    return image;
}

// Strokes drawn oldest first.
QImage render(std::initializer_list<DWStroke> strokes) {
    return render([&](QPainter& painter) {
        for (const DWStroke& s : strokes)
            s.strokeWithContext(painter);
    });
}

// Alpha of the pixel covering canvas x..x+1, y..y+1.
int alpha(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, kHeight - 1 - y));
}

// Pixels whose alpha differs by more than `threshold`.
int differing(const QImage& a, const QImage& b, int threshold = 64) {
    int n = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            n += std::abs(qAlpha(a.pixel(x, y)) - qAlpha(b.pixel(x, y))) > threshold;
    return n;
}

TEST(DWStroke, PressWithoutDragShowsOnlyTheTenthRectangle) {
    const QPointF at(50, 50);
    struct Case {
        int64_t kind;
        int least, most;
    } const cases[] = {{DWStroke::Rectangle, 4, 9}, {DWStroke::Ellipse, 4, 9},
                       {DWStroke::Arrow, 0, 0},     {DWStroke::Line, 0, 0},
                       {DWStroke::Pencil, 0, 0},    {DWStroke::Text, 0, 0}};
    const QImage blank = render([](QPainter&) {});
    for (const Case& c : cases) {
        const int covered = differing(render({stroke(c.kind, at, at, 2)}), blank, 0);
        EXPECT_GE(covered, c.least) << c.kind;
        EXPECT_LE(covered, c.most) << c.kind;
    }
    // The 0.1 square at the press point, widened by the line: pixels 49 and 50 on each axis.
    const QImage dot = render({stroke(DWStroke::Rectangle, at, at, 2)});
    EXPECT_GT(alpha(dot, 49, 49), 0);
    EXPECT_GT(alpha(dot, 50, 50), 0);
}

TEST(DWStroke, CornersAreRoundedByHalfTheNarrowSideBelowTen) {
    struct Case {
        QPointF b, e;
        QRectF rect;
        double radius;
    } const cases[] = {
        {{10, 10}, {16, 90}, {10, 10, 6, 80}, 3},   // narrower than 10
        {{10, 40}, {110, 46}, {10, 40, 100, 6}, 3}, // wide but lower than 10: all four round
        {{10, 10}, {110, 90}, {10, 10, 100, 80}, 5},
    };
    for (const Case& c : cases) {
        const QImage drawn = render({stroke(DWStroke::Rectangle, c.b, c.e, 2)});
        auto rounded = [&](double r) {
            return render([&](QPainter& painter) {
                QPainterPath outline;
                outline.addRoundedRect(c.rect, r, r);
                painter.strokePath(outline,
                                   QPen(Qt::red, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
            });
        };
        EXPECT_EQ(differing(drawn, rounded(c.radius)), 0)
            << c.rect.width() << "x" << c.rect.height();
        EXPECT_GT(differing(drawn, rounded(c.radius == 5 ? 2 : 5)), 0);
    }
}

TEST(DWStroke, ArrowHeadWidensWithTheLineWidthAtTheSameLength) {
    // Tail (10, 50), tip (110, 50): length 100, half head width 10 at width 0, 20 at width 22.
    // Across the head at 86.5 % of the length the outline is 0.4725 half widths from the axis;
    // across the shaft at 42 % it is 0.155.
    struct Case {
        double width;
        bool headRow56, shaftRow52;
    } const cases[] = {{0, false, false}, {22, true, true}};
    for (const Case& c : cases) {
        const QImage arrow = render({stroke(DWStroke::Arrow, {10, 50}, {110, 50}, c.width)});
        EXPECT_EQ(alpha(arrow, 96, 56) > 128, c.headRow56) << c.width;
        EXPECT_EQ(alpha(arrow, 96, 43) > 128, c.headRow56) << c.width;
        EXPECT_GT(alpha(arrow, 96, 53), 128) << c.width;
        EXPECT_EQ(alpha(arrow, 52, 52) > 128, c.shaftRow52) << c.width;
        EXPECT_GT(alpha(arrow, 108, 50), 0) << c.width;
        EXPECT_EQ(alpha(arrow, 111, 50), 0) << c.width;
    }
    // Straight up: the tip is the end point, the barbs lie to the left and right of the axis.
    const QPolygonF up = stroke(DWStroke::Arrow, {50, 10}, {50, 110}, 22).arrowPolygon();
    EXPECT_NEAR(up[4].x(), 50, 1e-4);
    EXPECT_NEAR(up[4].y(), 110, 1e-4);
    EXPECT_NEAR(up[3].x(), 50 - 0.7 * 20, 1e-3);
    EXPECT_NEAR(up[3].y(), 10 + 80, 1e-3);
}

TEST(DWStroke, ErasingClearsWhatCameBeforeAndNotWhatComesAfter) {
    DWStroke eraser = stroke(DWStroke::Pencil, {60, 0}, {60, 100}, 20);
    eraser.blendMode = DWStroke::kBlendDestinationIn;
    eraser.lineColor = Qt::transparent;
    const QImage image = render({stroke(DWStroke::Line, {10, 50}, {110, 50}, 4), eraser,
                                 stroke(DWStroke::Ellipse, {40, 30}, {80, 70}, 2)});
    EXPECT_EQ(alpha(image, 20, 50), 255);
    EXPECT_EQ(alpha(image, 100, 50), 255);
    EXPECT_EQ(alpha(image, 60, 50), 0);
    EXPECT_EQ(alpha(image, 55, 49), 0);
    // The ellipse crosses the erased band at its top and bottom.
    EXPECT_GT(alpha(image, 60, 69), 200);
    EXPECT_GT(alpha(image, 60, 30), 200);
}

TEST(DWStroke, SpannedRectangleIsTheSameFromEveryCorner) {
    for (int64_t kind : {DWStroke::Rectangle, DWStroke::Ellipse}) {
        const QImage first = render({stroke(kind, {20, 15}, {90, 75}, 3)});
        for (auto [b, e] : {std::pair<QPointF, QPointF>{{90, 75}, {20, 15}},
                            {{20, 75}, {90, 15}},
                            {{90, 15}, {20, 75}}})
            EXPECT_EQ(render({stroke(kind, b, e, 3)}), first) << kind;
    }
}

} // namespace
