// The window list and window pictures against real windows managed by openbox.
#include "TestApplication.h"
#include "X11Platform.h"
#include "X11TestDesktop.h"

#include <gtest/gtest.h>

namespace {

int indexOf(const std::vector<WindowInfo>& windows, uint32_t number) {
    for (size_t i = 0; i < windows.size(); ++i) {
        if (windows[i].number == number)
            return int(i);
    }
    return -1;
}

QRgb centre(const QImage& image) {
    return image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

class X11WindowListTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform = X11Platform::create();
        ASSERT_TRUE(platform);
    }
    std::unique_ptr<X11Platform> platform;
};

TEST_F(X11WindowListTest, ListsAWindowWithItsNameOwnerAndFramedBoundsUntilItGoes) {
    EXPECT_FALSE(platform->windowList().windowInfo(0x7fffffff));
    uint32_t gone = 0;
    {
        TestWindow window({"Tapedeck Test Window ✓", "TapedeckTest", QRect(200, 150, 320, 240)});
        gone = window.id();
        const std::vector<WindowInfo> windows = platform->windowList().onScreenWindows();
        ASSERT_GE(indexOf(windows, window.id()), 0);
        const WindowInfo* info = &windows[indexOf(windows, window.id())];
        EXPECT_EQ(info->name, QString("Tapedeck Test Window ✓"));
        EXPECT_EQ(info->ownerName, QString("TapedeckTest"));
        EXPECT_EQ(info->layer, kWindowLayerNormal);
        // The screen is the primary at the root origin, so window-list and desktop pixels agree.
        const QRect expected = window.desktopRect() + window.frameExtents();
        EXPECT_EQ(info->bounds, QRectF(expected));
        EXPECT_EQ(platform->windowList().windowInfo(window.id()), *info);
    }
    EXPECT_FALSE(platform->windowList().windowInfo(gone));
    EXPECT_EQ(indexOf(platform->windowList().onScreenWindows(), gone), -1);
}

TEST_F(X11WindowListTest, ListRunsFrontToBackAndFollowsARaise) {
    TestWindow back({"Back", "TapedeckTest", QRect(100, 100, 200, 200)});
    TestWindow front({"Front", "TapedeckTest", QRect(150, 150, 200, 200)});
    front.raise();
    auto windows = platform->windowList().onScreenWindows();
    ASSERT_GE(indexOf(windows, back.id()), 0);
    EXPECT_LT(indexOf(windows, front.id()), indexOf(windows, back.id()));
    back.raise();
    windows = platform->windowList().onScreenWindows();
    EXPECT_LT(indexOf(windows, back.id()), indexOf(windows, front.id()));
}

TEST_F(X11WindowListTest, TypesAndKeptAboveMapToLayersAndMinimisedWindowsLeaveTheList) {
    const struct {
        const char *type, *state;
        int32_t layer;
    } cases[] = {{nullptr, nullptr, kWindowLayerNormal},
                 {"_NET_WM_WINDOW_TYPE_NORMAL", nullptr, kWindowLayerNormal},
                 {"_NET_WM_WINDOW_TYPE_DOCK", nullptr, kWindowLayerDock},
                 {"_NET_WM_WINDOW_TYPE_DESKTOP", nullptr, kWindowLayerDesktop},
                 {nullptr, "_NET_WM_STATE_ABOVE", kWindowLayerFloating}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type ? c.type : c.state ? c.state : "no type");
        TestWindow window(
            {"Layered", "TapedeckTest", QRect(600, 400, 100, 80), qRgb(0, 0, 255), c.type});
        if (c.state)
            window.addState(c.state);
        const auto info = platform->windowList().windowInfo(window.id());
        ASSERT_TRUE(info);
        EXPECT_EQ(info->layer, c.layer);
    }
    TestWindow minimised({"Minimised", "TapedeckTest", QRect(250, 600, 120, 90)});
    ASSERT_GE(indexOf(platform->windowList().onScreenWindows(), minimised.id()), 0);
    // The window manager iconifies on its own time; xdotool's wait does not cover that.
    runTool("xdotool", {"windowminimize", "--sync", QString::number(minimised.id())});
    EXPECT_TRUE(spinUntil(
        [&] { return indexOf(platform->windowList().onScreenWindows(), minimised.id()) < 0; }));
}

TEST_F(X11WindowListTest, CoveredWindowPictureShowsItsOwnContent) {
    TestWindow red({"Covered", "TapedeckTest", QRect(300, 300, 400, 300), qRgb(255, 0, 0)});
    TestWindow blue({"Cover", "TapedeckTest", QRect(300, 300, 400, 300), qRgb(0, 0, 255)});
    blue.raise();
    const QRect client = red.desktopRect();
    // The middle of the red client area, which the blue window hides on screen.
    const QRectF middle(client.center() - QPoint(20, 20), QSize(40, 40));

    const QImage seen = platform->windowList().imageOfScreen(middle);
    ASSERT_EQ(seen.size(), QSize(40, 40));
    EXPECT_EQ(centre(seen), qRgb(0, 0, 255));

    const QImage covered = platform->windowList().imageOfWindows(middle, {red.id()});
    ASSERT_EQ(covered.size(), QSize(40, 40));
    EXPECT_EQ(covered.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(centre(covered), qRgb(255, 0, 0));

    // Both windows, front first: the front one wins where they overlap.
    const QImage both = platform->windowList().imageOfWindows(middle, {blue.id(), red.id()});
    EXPECT_EQ(centre(both), qRgb(0, 0, 255));
}

TEST_F(X11WindowListTest, WindowPictureIsTransparentWhereTheWindowIsNot) {
    TestWindow green({"Half", "TapedeckTest", QRect(800, 500, 200, 200), qRgb(0, 255, 0)});
    const QRect client = green.desktopRect();
    // 100 pixels on the window, 100 pixels right of its frame.
    const QMargins extents = green.frameExtents();
    const QRectF area(client.right() + 1 + extents.right() - 100, client.top() + 50, 200, 20);
    const QImage image = platform->windowList().imageOfWindows(area, {green.id()});
    ASSERT_EQ(image.size(), QSize(200, 20));
    EXPECT_EQ(image.pixel(100 - extents.right() - 10, 10), qRgb(0, 255, 0));
    EXPECT_EQ(qAlpha(image.pixel(150, 10)), 0);
}
