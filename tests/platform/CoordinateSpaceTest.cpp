#include "CoordinateSpace.h"

#include <gtest/gtest.h>

namespace {

// Each rectangle in top-left desktop pixels, then the same one with the origin at the primary's
// lower left and y up, then with the origin at the primary's top left and y down.
struct Layout {
    QRect primary;
    QRectF desktop, bottomLeft, windowList;
};

const Layout kLayouts[] = {
    // A 1920 x 1080 primary at the root origin: the whole screen, a top and a bottom strip.
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
    {{0, 0, 1920, 1080}, {10, 0, 100, 50}, {10, 1030, 100, 50}, {10, 0, 100, 50}},
    {{0, 0, 1920, 1080}, {0, 1000, 1920, 80}, {0, 0, 1920, 80}, {0, 1000, 1920, 80}},
    // The primary right of a 1280-wide screen.
    {{1280, 0, 1920, 1080}, {0, 0, 1280, 1024}, {-1280, 56, 1280, 1024}, {-1280, 0, 1280, 1024}},
    // The primary lower than the root origin, as when a taller screen sits to its left.
    {{1080, 840, 1920, 1080},
     {0, 0, 1080, 1920},
     {-1080, 0, 1080, 1920},
     {-1080, -840, 1080, 1920}},
    // A screen above the primary.
    {{0, 1080, 1920, 1080}, {0, 0, 1920, 1080}, {0, 1080, 1920, 1080}, {0, -1080, 1920, 1080}},
};

} // namespace

TEST(CoordinateSpace, RectanglesConvertBothWaysInEveryLayout) {
    for (size_t i = 0; i < std::size(kLayouts); ++i) {
        const Layout& layout = kLayouts[i];
        SCOPED_TRACE(i);
        const CoordinateSpace space(layout.primary);
        EXPECT_EQ(space.toBottomLeft(layout.desktop), layout.bottomLeft);
        EXPECT_EQ(space.fromBottomLeft(layout.bottomLeft), layout.desktop);
        EXPECT_EQ(space.toWindowList(layout.desktop), layout.windowList);
        EXPECT_EQ(space.fromWindowList(layout.windowList), layout.desktop);
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
