#include "WindowPicker.h"
#include "FakeDisplays.h"
#include "FakePointer.h"
#include "SnipUtil.h"
#include "WindowList.h"

#include <gtest/gtest.h>

namespace {

// Window-list bounds: origin top left of the 1920 x 1080 primary screen, y down.
const WindowInfo kEditor{11, "Editor", "Notes", kWindowLayerNormal, QRectF(100, 100, 800, 600)};
const WindowInfo kPalette{12, "Editor", "Colours", kWindowLayerFloating,
                          QRectF(150, 150, 200, 300)};
const WindowInfo kDock{13, "Panel", "Dock", kWindowLayerDock, QRectF(0, 1040, 1920, 40)};
const WindowInfo kDesktop{14, "Files", "Desktop", kWindowLayerDesktop, QRectF(0, 0, 1920, 1080)};

// Global screen coordinates (y up) of a window-list point.
QPointF onScreen(double x, double yDown) {
    return {x, 1080 - 1 - yDown};
}

class WindowPickerTest : public ::testing::Test {
protected:
    FakePointer pointer;
    FakeDisplays displays;
    WindowPicker::Mode mode;

    WindowPickerTest() {
        displays.pointer = &pointer;
        displays.displays = {{QRectF(0, 0, 1920, 1080), 1, true, "Main"}};
    }

    WindowPicker::Hover hoverAt(WindowPicker& picker, const std::vector<WindowInfo>& windows,
                                QPointF at) {
        pointer.location = at;
        auto hover = picker.clipViewMouseMoved(windows, at, mode);
        EXPECT_TRUE(hover.has_value());
        return hover.value_or(WindowPicker::Hover{});
    }
};

TEST_F(WindowPickerTest, NormalWindowUnderAFloatingPaletteWins) {
    WindowPicker picker(displays, displays.displays[0]);
    const WindowPicker::Hover hover =
        hoverAt(picker, {kPalette, kEditor, kDock, kDesktop}, onScreen(200, 200));
    // y up: the editor's bottom edge is 1080 - 700 = 380.
    EXPECT_EQ(hover.candidate, QRectF(100, 380, 800, 600));
    EXPECT_EQ(picker.selectedWindowNumber(), kEditor.number);
    EXPECT_EQ(picker.selectedWindowName(), kEditor.name);
    EXPECT_EQ(hover.keyScreen, displays.displays[0]);
    EXPECT_EQ(hover.screen, displays.displays[0]);
}

TEST_F(WindowPickerTest, OverTheDesktopTheLastContainingWindowIsTaken) {
    WindowPicker picker(displays, displays.displays[0]);
    // Over the dock, which lies in front of the desktop: the desktop still comes last.
    WindowPicker::Hover hover =
        hoverAt(picker, {kPalette, kEditor, kDock, kDesktop}, onScreen(1500, 1060));
    EXPECT_EQ(hover.candidate, QRectF(0, 0, 1920, 1080));
    // The recorded window is the highlighted one.
    EXPECT_EQ(picker.selectedWindowNumber(), kDesktop.number);

    // Without a desktop window the dock stands in.
    hover = hoverAt(picker, {kPalette, kEditor, kDock}, onScreen(1500, 1060));
    EXPECT_EQ(hover.candidate, QRectF(0, 0, 1920, 40));
    EXPECT_EQ(picker.selectedWindowNumber(), kDock.number);
}

TEST_F(WindowPickerTest, NothingUnderThePointerKeepsTheLastHighlight) {
    WindowPicker picker(displays, displays.displays[0]);
    hoverAt(picker, {kEditor}, onScreen(200, 200));
    const WindowPicker::Hover hover = hoverAt(picker, {kEditor}, onScreen(1500, 900));
    EXPECT_EQ(hover.candidate, QRectF(100, 380, 800, 600));
    EXPECT_EQ(picker.selectedWindowNumber(), kEditor.number);
    EXPECT_FALSE(hover.keyScreen.has_value());
}

TEST_F(WindowPickerTest, SizesAreMultiplesOfFourOnTheVisibleSide) {
    const struct {
        QRectF bounds, expected;
    } cases[] = {
        // 801 x 603 is highlighted as 800 x 600, the origin kept.
        {QRectF(10, 20, 801, 603), QRectF(10, 457, 800, 600)},
        // Beyond the left edge: from x 0 with the visible -100 + 500.
        {QRectF(-100, 100, 501, 300), QRectF(0, 680, 400, 300)},
        // Beyond the bottom edge (y up): from y 0 with the visible part of the rounded height,
        // -70 + 248, rounded again.
        {QRectF(200, 900, 400, 250), QRectF(200, 0, 400, 176)},
    };
    for (const auto& c : cases) {
        WindowPicker picker(displays, displays.displays[0]);
        const WindowInfo window{20, "App", "Window", kWindowLayerNormal, c.bounds};
        const QPointF at(std::max(0.0, c.bounds.x()) + 5, 1080 - c.bounds.bottom() + 5);
        EXPECT_EQ(hoverAt(picker, {window}, at).candidate, c.expected);
        EXPECT_EQ(picker.lastWindowRect(), c.expected);
    }
}

TEST_F(WindowPickerTest, ConfirmedSelectionIgnoresHovering) {
    WindowPicker picker(displays, displays.displays[0]);
    hoverAt(picker, {kEditor}, onScreen(200, 200));
    mode.isDisableChangeScreen = true;
    EXPECT_FALSE(picker.clipViewMouseMoved({kPalette}, onScreen(200, 200), mode).has_value());
    EXPECT_FALSE(picker.ChooseWindowRectInScreen({kPalette}, onScreen(200, 200), mode));
    EXPECT_EQ(picker.selectedWindowNumber(), kEditor.number);
    EXPECT_EQ(picker.lastWindowRect(), QRectF(100, 380, 800, 600));
}

TEST_F(WindowPickerTest, WindowOnTheOtherScreenMakesThatScreenKey) {
    // A second screen to the right, lower than the primary.
    const DisplayInfo right{QRectF(1920, 0, 1280, 720), 2, false, "Right"};
    displays.displays.push_back(right);
    const WindowInfo there{30, "App", "There", kWindowLayerNormal,
                           QRectF(2000, 500, 400, 300)}; // y down from the primary's top
    WindowPicker mainPicker(displays, displays.displays[0]);
    WindowPicker rightPicker(displays, right);
    const QPointF at(2100, 1080 - 600);

    const WindowPicker::Hover fromMain = hoverAt(mainPicker, {there}, at);
    EXPECT_EQ(fromMain.keyScreen, right);
    EXPECT_EQ(fromMain.screen, right);
    // The right overlay gets the window in its own coordinates.
    const WindowPicker::Hover fromRight = hoverAt(rightPicker, {there}, at);
    EXPECT_EQ(fromRight.candidate, QRectF(80, 280, 400, 300));
}

TEST_F(WindowPickerTest, FullScreenModeOffersThisScreenAndThePopUpScreen) {
    const DisplayInfo right{QRectF(1920, 0, 1283, 721), 2, false, "Right"};
    displays.displays.push_back(right);
    mode.recordVideoType = 0;
    mode.chosenScreen = right;
    WindowPicker picker(displays, right);
    const WindowPicker::Hover hover = hoverAt(picker, {kEditor}, onScreen(200, 200));
    EXPECT_EQ(hover.candidate, QRectF(0, 0, 1280, 720));
    // With several screens the pop-up's choice counts, not the pointer's.
    EXPECT_EQ(hover.screen, right);
}

TEST(SnipUtil, ConversionFlipsAroundThePrimaryScreen) {
    FakeDisplays displays;
    // The primary is the screen at the origin, even when it is not listed first.
    displays.displays = {{QRectF(-1280, 100, 1280, 1024), 2, false, "Left"},
                         {QRectF(0, 0, 1920, 1200), 1, true, "Main"}};
    EXPECT_EQ(SnipUtil::cgWindowRectToScreenRect(QRectF(10, 100, 300, 200), displays),
              QRectF(10, 900, 300, 200));
    // Its own inverse.
    EXPECT_EQ(SnipUtil::cgWindowRectToScreenRect(QRectF(10, 900, 300, 200), displays),
              QRectF(10, 100, 300, 200));
}

TEST(SnipUtil, PointInRectCountsLeftAndBottomEdgesOnly) {
    const QRectF rect(10, 20, 30, 40);
    EXPECT_TRUE(SnipUtil::isPoint(QPointF(10, 20), rect));
    EXPECT_TRUE(SnipUtil::isPoint(QPointF(39.9, 59.9), rect));
    EXPECT_FALSE(SnipUtil::isPoint(QPointF(40, 30), rect));
    EXPECT_FALSE(SnipUtil::isPoint(QPointF(20, 60), rect));
}

} // namespace
