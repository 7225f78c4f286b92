#include "CursorOverlay.h"
#include "ClickEffectState.h"
#include "CompositionSettings.h"
#include "FakeArrowCursor.h"
#include "FakePointer.h"
#include "GuiApplication.h"
#include "WatermarkText.h"

#include <QColor>
#include <QPainter>

#include <gtest/gtest.h>

#include <optional>

namespace {

class TestSettings : public CompositionSettings {
public:
    bool showMouse = false;
    bool highlight = false;
    bool clickEffect = false;
    WatermarkSettings watermark;
    WatermarkPlacement placement;

    bool isShowMouse() const override { return showMouse; }
    bool isMouseHight() const override { return highlight; }
    bool isMouseClickEffect() const override { return clickEffect; }
    WatermarkSettings watermarkSettings() const override { return watermark; }
    WatermarkPlacement watermarkPlacement() const override { return placement; }
};

const QRgb kWhite = qRgb(255, 255, 255);

// Bounding box, in frame coordinates (origin bottom left), of the pixels that are not white.
std::optional<QRect> drawnBox(const QImage& frame) {
    int left = frame.width(), right = -1, bottom = frame.height(), top = -1;
    for (int row = 0; row < frame.height(); ++row) {
        const int y = frame.height() - 1 - row;
        for (int x = 0; x < frame.width(); ++x) {
            if (frame.pixel(x, row) == kWhite)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        }
    }
    if (right < 0)
        return std::nullopt;
    return QRect(QPoint(left, bottom), QPoint(right, top));
}

class CursorOverlayTest : public ::testing::Test {
protected:
    // The recorded rectangle in global points; the cursor is 12 x 20 with its hot spot at (1, 1).
    QRectF rect{100, 200, 300, 200};
    FakePointer pointer;
    FakeArrowCursor cursor{12, 20, {1, 1}};
    ClickEffectState state;
    TestSettings settings;
    CursorOverlay overlay{pointer,
                          cursor,
                          state,
                          settings,
                          [this] { return rect; },
                          [] { return QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)); }};

    QImage compose() {
        QImage frame(int(rect.width()), int(rect.height()), QImage::Format_ARGB32_Premultiplied);
        frame.fill(kWhite);
        overlay.appendMouseCursor(frame);
        return frame;
    }

    // The cursor picture's centre in frame coordinates for the pointer at `at`.
    QPointF cursorCentre(QPointF at) const {
        const int px = int(int(at.x()) - rect.x() - 1);
        const int py = int(int(at.y()) - rect.y() - (20 / 2 + 1));
        return {px + 6.0, py + 10.0};
    }

    static QRgb pixelAt(const QImage& frame, int x, int y) {
        return frame.pixel(x, frame.height() - 1 - y);
    }

    // The drawn ring's radius, from the stroke's coverage along the row through its centre.
    static double ringRadius(const QImage& frame, QPointF centre) {
        const int y = int(centre.y());
        double weighted = 0, total = 0;
        for (int d = 0; d < 30; ++d) {
            const QRgb p = pixelAt(frame, int(centre.x()) + d, y);
            // Only blends of white and the ring's blue count; the cursor is black.
            if (qBlue(p) < 170)
                continue;
            const double coverage = (255.0 - qRed(p)) / (255.0 - 56.0);
            weighted += coverage * (d + 0.5);
            total += coverage;
        }
        return total > 0 ? weighted / total : 0;
    }
};

TEST_F(CursorOverlayTest, CursorSitsAtTheTruncatedPlacement) {
    settings.showMouse = true;
    pointer.location = {150.7, 260.9};
    // px = trunc(150 - 100 - 1) = 49, py = trunc(260 - 200 - (10 + 1)) = 49.
    const std::optional<QRect> box = drawnBox(compose());
    ASSERT_TRUE(box);
    EXPECT_EQ(*box, QRect(49, 49, 12, 20));
}

TEST_F(CursorOverlayTest, CursorOutsideTheRectangleLeavesNoPixels) {
    settings.showMouse = true;
    settings.highlight = true;
    for (QPointF at : {QPointF(20, 300), QPointF(600, 300), QPointF(250, 100), QPointF(250, 500)}) {
        pointer.location = at;
        EXPECT_FALSE(drawnBox(compose())) << at.x() << "," << at.y();
    }
}

TEST_F(CursorOverlayTest, SwitchesOffDrawNothingAndLeaveTheClickArmed) {
    pointer.location = {250, 300};
    state.arm();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(drawnBox(compose()));
    EXPECT_TRUE(state.isCursorClick);
    EXPECT_EQ(state.cursorEffectWidth, 30);

    // Switched on later, the ring starts where the cursor is on that frame.
    settings.clickEffect = true;
    pointer.location = {200, 260};
    const QImage frame = compose();
    const QPointF centre = cursorCentre(pointer.location);
    EXPECT_NEAR(ringRadius(frame, centre), 10, 0.3);
}

TEST_F(CursorOverlayTest, RingGrowsForFourteenFramesAtTheClickAndEndsOnTheFifteenth) {
    settings.clickEffect = true;
    settings.showMouse = true;
    pointer.location = {250, 300};
    const QPointF clickCentre = cursorCentre(pointer.location);
    state.arm();
    for (int frameNumber = 1; frameNumber <= 14; ++frameNumber) {
        const QImage frame = compose();
        EXPECT_NEAR(ringRadius(frame, clickCentre), 9 + frameNumber, 0.3) << frameNumber;
        EXPECT_EQ(state.cursorEffectWidth, 30 + 2 * frameNumber);
        // The ring stays at the click while the cursor moves on.
        pointer.location += QPointF(-6, 4);
    }
    pointer.location = {120, 220};
    const QImage last = compose();
    EXPECT_FALSE(state.isCursorClick);
    EXPECT_EQ(state.cursorEffectWidth, 0);
    EXPECT_EQ(ringRadius(last, clickCentre), 0);
}

TEST_F(CursorOverlayTest, RingNearAnEdgeIsDrawnInPart) {
    settings.clickEffect = true;
    // The cursor's centre lands 3 points inside the left edge.
    pointer.location = {rect.x() - 2, 300};
    state.arm();
    compose();
    const std::optional<QRect> box = drawnBox(compose());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->left(), 0);
    // Radius 11 around x = 3: the right side of the ring reaches about x = 15.
    EXPECT_NEAR(box->right(), 15, 1);
}

TEST_F(CursorOverlayTest, SecondClickRestartsTheRingAtTheNewPosition) {
    settings.clickEffect = true;
    pointer.location = {200, 300};
    const QPointF first = cursorCentre(pointer.location);
    state.arm();
    for (int i = 0; i < 5; ++i)
        compose();

    pointer.location = {320, 280};
    const QPointF second = cursorCentre(pointer.location);
    state.arm();
    const QImage frame = compose();
    EXPECT_NEAR(ringRadius(frame, second), 10, 0.3);
    EXPECT_EQ(ringRadius(frame, first), 0);
}

TEST_F(CursorOverlayTest, HighlightHidesWhileTheCursorStaysAtTheRingStart) {
    settings.highlight = true;
    settings.clickEffect = true;
    pointer.location = {250, 300};
    const QPointF centre = cursorCentre(pointer.location);
    // White under cyan at 0.6.
    const QRgb highlighted = qRgb(102, 255, 255);
    auto nearColour = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
               std::abs(qBlue(a) - qBlue(b)) <= 2;
    };

    // Before a ring runs the highlight shows.
    EXPECT_TRUE(nearColour(pixelAt(compose(), int(centre.x()), int(centre.y())), highlighted));

    state.arm();
    // The arming frame still decides on the state the frame before left: highlight drawn.
    QImage frame = compose();
    EXPECT_TRUE(nearColour(pixelAt(frame, int(centre.x()), int(centre.y())), highlighted));

    frame = compose();
    EXPECT_EQ(pixelAt(frame, int(centre.x()), int(centre.y())), kWhite);
    EXPECT_NEAR(ringRadius(frame, centre), 11, 0.3);

    pointer.location += QPointF(1, 0);
    frame = compose();
    EXPECT_TRUE(nearColour(pixelAt(frame, int(centre.x()) + 1, int(centre.y())), highlighted));
    EXPECT_EQ(state.cursorEffectWidth, 36);
}

class WatermarkCompositionTest : public CursorOverlayTest {
protected:
    void SetUp() override { guiApplication(); }

    static QImage solid(int width, int height) {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::green);
        return image;
    }
};

TEST_F(WatermarkCompositionTest, WidePictureIsFittedThenScaledToTheFrame) {
    rect = QRectF(0, 0, 1188, 600);
    settings.watermark.watermarkType = WatermarkSettings::Image;
    settings.watermark.watermarkImage = solid(1200, 300);
    settings.placement = {0.5f, 0.5f, 1};
    const std::optional<QRect> box = drawnBox(compose());
    ASSERT_TRUE(box);
    EXPECT_EQ(*box, QRect(34, 160, 1120, 280));
}

TEST_F(WatermarkCompositionTest, UnplacedPictureIsCentredOnTheBottomLeftCorner) {
    rect = QRectF(0, 0, 594, 400);
    settings.watermark.watermarkType = WatermarkSettings::Image;
    settings.watermark.watermarkImage = solid(200, 100);
    const std::optional<QRect> box = drawnBox(compose());
    ASSERT_TRUE(box);
    EXPECT_EQ(*box, QRect(0, 0, 100, 50));
}

TEST_F(WatermarkCompositionTest, UnplacedTimeSitsFlushInTheBottomLeftCorner) {
    rect = QRectF(0, 0, 594, 400);
    settings.watermark.watermarkType = WatermarkSettings::None;
    settings.watermark.isTimeTextWatermark = true;
    settings.watermark.timeFramStyles = {"YYYY-MM-dd HH:mm:ss"};
    const QImage text = saveImageWithText("2026-12-31 23:59:58", settings.watermark);
    ASSERT_FALSE(text.isNull());

    const QImage frame = compose();
    const std::optional<QRect> box = drawnBox(frame);
    ASSERT_TRUE(box);
    EXPECT_TRUE(QRect(0, 0, text.width(), text.height()).contains(*box));
    // The text's picture is drawn there unscaled, so the frame's corner holds its pixels.
    QImage expected(text.size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(kWhite);
    QPainter(&expected).drawImage(0, 0, text);
    EXPECT_EQ(frame.copy(0, frame.height() - text.height(), text.width(), text.height()), expected);
}

TEST_F(WatermarkCompositionTest, WatermarkIsDrawnOverTheCursor) {
    rect = QRectF(0, 0, 594, 400);
    settings.showMouse = true;
    // The cursor covers x 20..31, y 40..59; the unplaced picture y 0..49.
    pointer.location = {21, 51};
    settings.watermark.watermarkType = WatermarkSettings::Image;
    settings.watermark.watermarkImage = solid(200, 100);
    const QImage frame = compose();
    EXPECT_EQ(pixelAt(frame, 25, 45), QColor(Qt::green).rgb());
    EXPECT_EQ(pixelAt(frame, 25, 55), QColor(Qt::black).rgb());
}

} // namespace
