#include "CropHandles.h"
#include "CropResize.h"

#include <gtest/gtest.h>

namespace {

const QSizeF kBorder(112, 72);

TEST(CropHandles, AnchorGivesMultipliersDragStateAndItsRectangle) {
    // Width, height, x, y multipliers; y up, so handle 0 is the bottom-left corner.
    const struct {
        int handle;
        SRResizeMultiplyer multiplyer;
        int32_t dragState;
    } cases[] = {{0, {1, -1, 1, 1}, 5}, {1, {0, -1, 0, 1}, 2}, {2, {-1, -1, 0, 1}, 8},
                 {3, {-1, 0, 0, 0}, 6}, {4, {-1, 1, 0, 0}, 7}, {5, {0, 1, 0, 0}, 1},
                 {6, {1, 1, 1, 0}, 7},  {7, {1, 0, 1, 0}, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handle);
        const QPointF anchor = cropHandlePositions(kBorder)[c.handle];
        EXPECT_EQ(resizeMultiplyerForAnchor(anchor, kBorder), c.multiplyer);
        EXPECT_EQ(dragStateForAnchor(anchor, kBorder), c.dragState);
        EXPECT_EQ(nearestCropHandle(kBorder, anchor), c.handle);
        // Its 10 x 10 rectangle lies inside the border and touches the handle's position.
        const QRectF rect = cropHandleRects(kBorder)[c.handle];
        EXPECT_EQ(rect.size(), QSizeF(10, 10));
        EXPECT_TRUE(QRectF(QPointF(0, 0), kBorder).contains(rect));
        EXPECT_TRUE(rect.adjusted(-0.01, -0.01, 0.01, 0.01).contains(anchor));
    }
}

TEST(CropHandles, EqualDistancesPickTheEarlierHandle) {
    const QSizeF border(100, 100);
    // Halfway along the bottom edge between the corner (0) and the middle (1).
    EXPECT_EQ(nearestCropHandle(border, QPointF(25, 0)), 0);
    // Between bottom-middle (1) and bottom-right (2).
    EXPECT_EQ(nearestCropHandle(border, QPointF(75, 0)), 1);
    // The centre is equally far from all four middles: the bottom one comes first.
    EXPECT_EQ(nearestCropHandle(border, QPointF(50, 50)), 1);
    // A hair nearer to the later handle takes it.
    EXPECT_EQ(nearestCropHandle(border, QPointF(25.01, 0)), 1);
}

CropResizeStep stepFor(int handle, const QRectF& border, const QPointF& to) {
    CropResizeStep step;
    step.border = border;
    step.bounds = QSizeF(1920, 1080);
    const QPointF anchor = cropHandlePositions(border.size())[handle];
    step.startPoint = border.topLeft() + anchor;
    step.point = to;
    step.multiplyer = resizeMultiplyerForAnchor(anchor, border.size());
    step.dragState = dragStateForAnchor(anchor, border.size());
    return step;
}

TEST(CropResize, CornersMoveTheirOwnSidesAboveTheMinimumAndStopTwelveFromTheEdges) {
    const QRectF border(100, 100, 200, 200);
    const struct {
        int handle;
        QPointF to;
        QRectF expected;
    } cases[] = {
        {0, {90, 80}, {90, 80, 210, 220}},     // bottom-left out: the top-right corner stays
        {4, {330, 340}, {100, 100, 230, 240}}, // top-right out: the bottom-left corner stays
        {3, {350, 500}, {100, 100, 250, 200}}, // right middle: the width alone
        {4, {150, 330}, {100, 100, 200, 230}}, // too narrow: the width stays, the height follows
        {3, {164, 200}, {100, 100, 64, 200}},  // exactly the minimum
        {3, {163, 200}, {100, 100, 200, 200}},
        {4, {5000, 5000}, {100, 100, 1920 - 12 - 100, 1080 - 12 - 100}},
        {0, {-50, 3}, {12, 12, 288, 288}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resizeCropBorder(stepFor(c.handle, border, c.to)).border, c.expected)
            << c.handle << " " << c.to.x() << "," << c.to.y();
    EXPECT_EQ(resizeCropBorder(stepFor(4, border, QPointF(5000, 5000))).startPoint,
              QPointF(1908, 1068));
}

TEST(CropResize, WatermarkKeepsTheImageProportions) {
    const QRectF border(100, 100, 200, 100);
    auto watermark = [&](int handle, QPointF to) {
        CropResizeStep step = stepFor(handle, border, to);
        step.imageSize = QSizeF(400, 200);
        step.minimumSize = kWatermarkMinimumSize;
        return resizeCropBorder(step).border;
    };
    // Right middle: the height follows the new width.
    EXPECT_EQ(watermark(3, QPointF(400, 150)), QRectF(100, 100, 300, 150));
    // Top middle: the width follows the height, centred on the old centre (x 200).
    EXPECT_EQ(watermark(5, QPointF(200, 250)), QRectF(50, 100, 300, 150));
    // Top-right: the height follows the width, centred vertically on the old centre (y 150).
    EXPECT_EQ(watermark(4, QPointF(500, 210)), QRectF(100, 50, 400, 200));
    // Watermarks may get as small as 20.
    EXPECT_EQ(watermark(3, QPointF(124, 150)).width(), 24);
}

} // namespace
