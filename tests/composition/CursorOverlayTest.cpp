#include "CursorOverlay.h"
#include "ClickEffectState.h"
#include "CompositionSettings.h"
#include "FakeArrowCursor.h"
#include "FakeDisplays.h"
#include "FakePointer.h"
#include "TestApplication.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

struct TestSettings : CompositionSettings {
    bool showMouse = false, highlight = false, clickEffect = false;
    WatermarkSettings watermark;

    bool isShowMouse() const override { return showMouse; }
    bool isMouseHight() const override { return highlight; }
    bool isMouseClickEffect() const override { return clickEffect; }
    WatermarkSettings watermarkSettings() const override { return watermark; }
    WatermarkPlacement watermarkPlacement() const override { return {}; }
};

const QRgb kWhite = qRgb(255, 255, 255);
const QRectF kPrimary(0, 0, 1920, 1080);

// Bounding box, in frame coordinates (origin bottom left), of the pixels that are not white.
std::optional<QRect> drawnBox(const QImage& frame) {
    QRect box;
    for (int row = 0; row < frame.height(); ++row)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, row) != kWhite)
                box |= QRect(x, frame.height() - 1 - row, 1, 1);
    return box.isNull() ? std::nullopt : std::optional(box);
}

QRgb pixelAt(const QImage& frame, int x, int y) {
    return frame.pixel(x, frame.height() - 1 - y);
}

class CursorOverlayTest : public ::testing::Test {
protected:
    // A 300 x 200 part of the primary screen; the cursor is 12 x 20, hot spot (1, 1).
    CaptureArea area{kPrimary, QRectF(100, 200, 300, 200), false};
    FakeDisplays displays;
    FakePointer pointer;
    FakeArrowCursor cursor{12, 20, {1, 1}};
    ClickEffectState state;
    TestSettings settings;
    QDateTime now{QDate(2026, 12, 31), QTime(23, 59, 58)};
    CursorOverlay overlay{pointer,
                          cursor,
                          displays,
                          state,
                          settings,
                          [this] { return area; },
                          [this] { return now; }};

    void SetUp() override { displays.displays = {{kPrimary, 1, false, "Primary"}}; }

    QImage compose() {
        QImage frame(area.rect.size().toSize(), QImage::Format_ARGB32_Premultiplied);
        frame.fill(kWhite);
        overlay.appendMouseCursor(frame);
        return frame;
    }
    // The cursor picture's centre in frame coordinates for the pointer at global `at`.
    QPointF cursorCentre(QPointF at) const {
        return {int(at.x()) - 100 - 1 + 6.0, int(at.y()) - 200 - 11 + 10.0};
    }
    // The drawn ring's radius, from the stroke's coverage along the row through its centre.
    static double ringRadius(const QImage& frame, QPointF centre) {
        double weighted = 0, total = 0;
        for (int d = 0; d < 30; ++d) {
            const QRgb p = pixelAt(frame, int(centre.x()) + d, int(centre.y()));
            if (qBlue(p) < 170) // only blends of white and the ring's blue; the cursor is black
                continue;
            const double coverage = (255.0 - qRed(p)) / (255.0 - 56.0);
            weighted += coverage * (d + 0.5);
            total += coverage;
        }
        return total > 0 ? weighted / total : 0;
    }
};

TEST_F(CursorOverlayTest, CursorLandsUnderThePointerInEveryModeOnEveryScreen) {
    // Global frames, origin bottom left of the primary: one screen right of it and lower by
    // 56, one above it. The window list counts y down from the primary's top edge.
    const QRectF right(1920, 56, 1280, 1024), above(0, 1080, 1280, 720);
    const struct {
        const char* name;
        CaptureArea area;
        QRectF frame; // where the frame lies in global points
    } cases[] = {
        {"full, primary", {kPrimary, {}, false}, kPrimary},
        {"full, right", {right, {}, false}, right},
        {"full, above", {above, {}, false}, above},
        {"area, primary", {kPrimary, {300, 200, 400, 300}, false}, {300, 200, 400, 300}},
        {"area, right", {right, {300, 200, 400, 300}, false}, {2220, 256, 400, 300}},
        {"area, above", {above, {300, 200, 400, 300}, false}, {300, 1280, 400, 300}},
        {"window, primary", {kPrimary, {300, 400, 400, 300}, true}, {300, 380, 400, 300}},
        {"window, right", {right, {2000, 100, 400, 300}, true}, {2000, 680, 400, 300}},
        {"window, above", {above, {100, -600, 400, 300}, true}, {100, 1380, 400, 300}},
    };
    settings.showMouse = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        displays.displays = {{kPrimary, 1, false, "Primary"}, {c.area.screenFrame, 2, false, ""}};
        area = c.area;
        auto composeAt = [&](QPointF offset) {
            QImage frame(c.frame.size().toSize(), QImage::Format_ARGB32_Premultiplied);
            frame.fill(kWhite);
            pointer.location = c.frame.topLeft() + offset;
            overlay.appendMouseCursor(frame);
            return drawnBox(frame);
        };
        // Truncated: px = trunc(50 - 1) = 49, py = trunc(60 - (10 + 1)) = 49.
        EXPECT_EQ(composeAt({50.7, 60.9}), QRect(49, 49, 12, 20));
        // Outside the frame nothing of the cursor or its highlight shows.
        settings.highlight = true;
        EXPECT_FALSE(composeAt({-40, 100}));
        EXPECT_FALSE(composeAt({100, c.frame.height() + 40}));
        settings.highlight = false;
    }
}

TEST_F(CursorOverlayTest, SwitchedOffNothingIsDrawnAndTheClickStaysArmed) {
    pointer.location = {250, 300};
    state.arm();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(drawnBox(compose()));
    EXPECT_TRUE(state.isCursorClick);
    EXPECT_EQ(state.cursorEffectWidth, 30);

    // Switched on later, the ring starts where the cursor is on that frame.
    settings.clickEffect = true;
    pointer.location = {200, 260};
    EXPECT_NEAR(ringRadius(compose(), cursorCentre(pointer.location)), 10, 0.3);
}

TEST_F(CursorOverlayTest, RingGrowsForFourteenFramesAtTheClickAndEndsOnTheFifteenth) {
    settings.clickEffect = true;
    settings.showMouse = true;
    pointer.location = {250, 300};
    const QPointF clickCentre = cursorCentre(pointer.location);
    state.arm();
    for (int frameNumber = 1; frameNumber <= 14; ++frameNumber) {
        EXPECT_NEAR(ringRadius(compose(), clickCentre), 9 + frameNumber, 0.3) << frameNumber;
        // The ring stays at the click while the cursor moves on.
        pointer.location += QPointF(-6, 4);
    }
    pointer.location = {120, 220};
    const QImage last = compose();
    EXPECT_FALSE(state.isCursorClick);
    EXPECT_EQ(state.cursorEffectWidth, 0);
    EXPECT_EQ(ringRadius(last, clickCentre), 0);

    // A click while a ring runs restarts it where the cursor is then.
    state.arm();
    for (int i = 0; i < 5; ++i)
        compose();
    pointer.location = {320, 280};
    state.arm();
    const QImage restarted = compose();
    EXPECT_NEAR(ringRadius(restarted, cursorCentre(pointer.location)), 10, 0.3);
    EXPECT_EQ(ringRadius(restarted, cursorCentre({120, 220})), 0);
}

TEST_F(CursorOverlayTest, HighlightHidesWhileTheCursorStaysAtTheRingStart) {
    settings.highlight = true;
    settings.clickEffect = true;
    pointer.location = {250, 300};
    const QPointF centre = cursorCentre(pointer.location);
    auto highlightedAt = [](const QImage& frame, QPointF at) {
        const QRgb p = pixelAt(frame, int(at.x()), int(at.y()));
        // White under cyan at 0.6.
        return std::abs(qRed(p) - 102) <= 2 && qGreen(p) >= 253 && qBlue(p) >= 253;
    };
    EXPECT_TRUE(highlightedAt(compose(), centre));
    state.arm();
    // The arming frame still decides on the state the frame before left: highlight drawn.
    EXPECT_TRUE(highlightedAt(compose(), centre));
    QImage frame = compose();
    EXPECT_EQ(pixelAt(frame, int(centre.x()), int(centre.y())), kWhite);
    EXPECT_NEAR(ringRadius(frame, centre), 11, 0.3);
    pointer.location += QPointF(1, 0);
    EXPECT_TRUE(highlightedAt(compose(), centre + QPointF(1, 0)));
    EXPECT_EQ(state.cursorEffectWidth, 36);
}

TEST_F(CursorOverlayTest, AFrameDrawsAsBeforeUntilCursorAreaWatermarkOrTimeChange) {
    testApplication();
    settings.showMouse = true;
    settings.watermark.isTimeTextWatermark = true;
    settings.watermark.timeFramStyles = {"HH:mm:ss"};
    pointer.location = {250, 300};
    EXPECT_FALSE(overlay.drawsAsBefore()); // nothing drawn yet
    const struct {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"cursor moved", [&] { pointer.location += QPointF(1, 0); }},
        {"time ticked", [&] { now = now.addSecs(1); }},
        {"area moved", [&] { area.rect.translate(2, 0); }},
        {"picture watermark",
         [&] {
             settings.watermark.isTimeTextWatermark = false;
             settings.watermark.watermarkType = WatermarkSettings::Image;
             settings.watermark.watermarkImage = QImage(8, 8, QImage::Format_RGB32);
         }},
    };
    for (const auto& c : cases) {
        compose();
        EXPECT_TRUE(overlay.drawsAsBefore()) << c.what;
        c.change();
        EXPECT_FALSE(overlay.drawsAsBefore()) << c.what;
    }
    // A ring is drawn anew in each of its fifteen frames, and the frame after it ends once more.
    settings.clickEffect = true;
    compose();
    state.arm();
    int composed = 0;
    for (; !overlay.drawsAsBefore() && composed < 30; ++composed)
        compose();
    EXPECT_EQ(composed, 16);
}

TEST_F(CursorOverlayTest, WatermarkIsDrawnLastAtItsPlace) {
    testApplication();
    area.rect = QRectF(0, 0, 594, 400);
    settings.showMouse = true;
    // The cursor covers x 20..31, y 40..59; the unplaced picture, centred on the bottom-left
    // corner, x 0..99 and y 0..49.
    pointer.location = {21, 51};
    settings.watermark.watermarkType = WatermarkSettings::Image;
    settings.watermark.watermarkImage = QImage(200, 100, QImage::Format_ARGB32_Premultiplied);
    settings.watermark.watermarkImage.fill(Qt::green);
    const QImage frame = compose();
    EXPECT_EQ(drawnBox(frame), QRect(0, 0, 100, 60));
    EXPECT_EQ(pixelAt(frame, 25, 45), QColor(Qt::green).rgb());
    EXPECT_EQ(pixelAt(frame, 25, 55), QColor(Qt::black).rgb());
}

} // namespace
