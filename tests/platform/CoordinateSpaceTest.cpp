#include "CoordinateSpace.h"

#include <gtest/gtest.h>

namespace {

struct Layout {
    const char* name;
    QRect primary;
    QRectF desktop;    // a rectangle in top-left desktop pixels
    QRectF bottomLeft; // the same rectangle, origin at the primary's lower left, y up
    QRectF windowList; // the same rectangle, origin at the primary's top left, y down
};

// A 1920 x 1080 primary at the root origin; the same primary right of a 1280-wide screen;
// and a primary lower than the root origin, as when a taller screen sits to its left.
const Layout kLayouts[] = {
    {"primary at origin, whole screen",
     {0, 0, 1920, 1080},
     {0, 0, 1920, 1080},
     {0, 0, 1920, 1080},
     {0, 0, 1920, 1080}},
    {"primary at origin, top strip",
     {0, 0, 1920, 1080},
     {10, 0, 100, 50},
     {10, 1030, 100, 50},
     {10, 0, 100, 50}},
    {"primary at origin, bottom strip",
     {0, 0, 1920, 1080},
     {0, 1000, 1920, 80},
     {0, 0, 1920, 80},
     {0, 1000, 1920, 80}},
    {"primary right of another",
     {1280, 0, 1920, 1080},
     {0, 0, 1280, 1024},
     {-1280, 56, 1280, 1024},
     {-1280, 0, 1280, 1024}},
    {"primary lowered",
     {1080, 840, 1920, 1080},
     {0, 0, 1080, 1920},
     {-1080, 0, 1080, 1920},
     {-1080, -840, 1080, 1920}},
    {"screen above the primary",
     {0, 1080, 1920, 1080},
     {0, 0, 1920, 1080},
     {0, 1080, 1920, 1080},
     {0, -1080, 1920, 1080}},
};

} // namespace

TEST(CoordinateSpace, RectanglesConvertBothWaysInEveryLayout) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const CoordinateSpace space(layout.primary);
        EXPECT_EQ(space.toBottomLeft(layout.desktop), layout.bottomLeft);
        EXPECT_EQ(space.fromBottomLeft(layout.bottomLeft), layout.desktop);
        EXPECT_EQ(space.toWindowList(layout.desktop), layout.windowList);
        EXPECT_EQ(space.fromWindowList(layout.windowList), layout.desktop);
    }
}

TEST(CoordinateSpace, WindowListBoundsFlipIntoTheBottomLeftSpaceLikeTheScreenFrames) {
    // Window picking turns window-list bounds into screen rectangles with
    // y = primary height - (y + height); both paths must agree.
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const CoordinateSpace space(layout.primary);
        const QRectF list = space.toWindowList(layout.desktop);
        const QRectF flipped(list.x(), layout.primary.height() - (list.y() + list.height()),
                             list.width(), list.height());
        EXPECT_EQ(flipped, space.toBottomLeft(layout.desktop));
    }
}

TEST(CoordinateSpace, PointerInTheEdgeRowsOfThePrimaryStaysInsideItsFrame) {
    const CoordinateSpace space(QRect(0, 0, 1920, 1080));
    const QRectF frame = space.toBottomLeft(QRectF(0, 0, 1920, 1080));
    struct Case {
        QPointF desktop, bottomLeft;
    } cases[] = {{{0, 0}, {0, 1079}}, {{1919, 1079}, {1919, 0}}, {{100, 200}, {100, 879}}};
    for (const Case& c : cases) {
        EXPECT_EQ(space.pointToBottomLeft(c.desktop), c.bottomLeft);
        EXPECT_EQ(space.pointFromBottomLeft(c.bottomLeft), c.desktop);
        EXPECT_TRUE(frame.contains(space.pointToBottomLeft(c.desktop)));
    }
}

TEST(CoordinateSpace, ScreenLocalRectanglesLandOnTheirOwnScreen) {
    struct Case {
        QRect screen;
        QRectF local, desktop;
    } cases[] = {
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
        {{0, 0, 1920, 1080}, {100, 50, 200, 120}, {100, 910, 200, 120}},
        // A second screen to the right and lower: its own lower-left is its origin.
        {{1920, 200, 1280, 1024}, {0, 0, 640, 24}, {1920, 1200, 640, 24}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoordinateSpace::screenLocalToDesktop(c.local, c.screen), c.desktop);
}
