// Displays, pointer and arrow cursor against the sandbox's 1920 x 1080 Xvfb screen.
#include "X11Platform.h"
#include "X11TestDesktop.h"

#include <gtest/gtest.h>

TEST(X11Displays, TheXvfbScreenIsTheOneMainDisplayAtTheOrigin) {
    auto platform = X11Platform::create();
    ASSERT_TRUE(platform);
    const std::vector<DisplayInfo> screens = platform->displays().screens();
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0].frame, QRectF(0, 0, 1920, 1080));
    EXPECT_NE(screens[0].number, 0u);
    EXPECT_FALSE(screens[0].name.isEmpty());
    EXPECT_FALSE(screens[0].builtIn);
    EXPECT_EQ(platform->displays().mainScreen(), screens[0]);
}

TEST(X11Pointer, FollowsXdotoolInBottomLeftCoordinates) {
    auto platform = X11Platform::create();
    ASSERT_TRUE(platform);
    struct Case {
        int x, y;
        QPointF expected;
    } cases[] = {{100, 200, {100, 879}}, {0, 0, {0, 1079}}, {1919, 1079, {1919, 0}}};
    for (const Case& c : cases) {
        runTool("xdotool", {"mousemove", "--sync", QString::number(c.x), QString::number(c.y)});
        EXPECT_EQ(platform->pointer().mouseLocation(), c.expected) << c.x << "," << c.y;
        // The top and bottom rows still belong to the screen.
        EXPECT_EQ(platform->displays().currentScreenForMouseLocation(),
                  platform->displays().mainScreen());
    }
}

TEST(X11ArrowCursor, ThemeArrowHasPixelsAndAHotSpotInside) {
    auto platform = X11Platform::create();
    ASSERT_TRUE(platform);
    const CursorImage arrow = platform->cursor().arrowCursor();
    ASSERT_FALSE(arrow.image.isNull());
    EXPECT_EQ(arrow.image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_TRUE(QRectF(QPointF(0, 0), arrow.image.size()).contains(arrow.hotSpot));
    int opaque = 0;
    for (int y = 0; y < arrow.image.height(); ++y)
        for (int x = 0; x < arrow.image.width(); ++x)
            opaque += qAlpha(arrow.image.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 10);
    // An arrow's tip is its hot spot: the pixel there is drawn.
    EXPECT_GT(qAlpha(arrow.image.pixel(arrow.hotSpot.toPoint())), 0);
}
