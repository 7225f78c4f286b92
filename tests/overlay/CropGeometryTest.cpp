#include "CropHandles.h"
#include "CropResize.h"

#include <gtest/gtest.h>

namespace {

const QSizeF kBorder(112, 72);

struct HandleCase {
    int handle;
    SRResizeMultiplyer multiplyer;
    int32_t dragState;
};

class HandleTable : public ::testing::TestWithParam<HandleCase> {};

TEST_P(HandleTable, AnchorGivesMultipliersAndDragState) {
    const HandleCase& c = GetParam();
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

// widht, height, x, y multipliers; y up, so handle 0 is the bottom-left corner.
INSTANTIATE_TEST_SUITE_P(
    EightHandles, HandleTable,
    ::testing::Values(HandleCase{0, {1, -1, 1, 1}, 5}, HandleCase{1, {0, -1, 0, 1}, 2},
                      HandleCase{2, {-1, -1, 0, 1}, 8}, HandleCase{3, {-1, 0, 0, 0}, 6},
                      HandleCase{4, {-1, 1, 0, 0}, 7}, HandleCase{5, {0, 1, 0, 0}, 1},
                      HandleCase{6, {1, 1, 1, 0}, 7}, HandleCase{7, {1, 0, 1, 0}, 3}));

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

TEST(CropResize, EachCornerMovesOnlyItsOwnSides) {
    const QRectF border(100, 100, 200, 200);
    // Bottom-left pulled 10 left and 20 down: the top-right corner stays.
    EXPECT_EQ(resizeCropBorder(stepFor(0, border, QPointF(90, 80))).border,
              QRectF(90, 80, 210, 220));
    // Top-right pulled out: the bottom-left corner stays.
    EXPECT_EQ(resizeCropBorder(stepFor(4, border, QPointF(330, 340))).border,
              QRectF(100, 100, 230, 240));
    // Right middle: only the width changes, even when the pointer also moves vertically.
    EXPECT_EQ(resizeCropBorder(stepFor(3, border, QPointF(350, 500))).border,
              QRectF(100, 100, 250, 200));
}

TEST(CropResize, TooSmallLeavesThatSideUnchanged) {
    const QRectF border(100, 100, 200, 200);
    // The right edge pushed 150 past the left one and the top edge pulled up: the width stays,
    // the height still follows.
    const CropResizeResult result = resizeCropBorder(stepFor(4, border, QPointF(150, 330)));
    EXPECT_EQ(result.border, QRectF(100, 100, 200, 230));
    // Exactly the minimum is allowed.
    EXPECT_EQ(resizeCropBorder(stepFor(3, border, QPointF(164, 200))).border.width(), 64);
    EXPECT_EQ(resizeCropBorder(stepFor(3, border, QPointF(163, 200))).border.width(), 200);
}

TEST(CropResize, PointerStopsTwelveFromTheEdges) {
    const QRectF border(100, 100, 200, 200);
    const CropResizeResult out = resizeCropBorder(stepFor(4, border, QPointF(5000, 5000)));
    EXPECT_EQ(out.border, QRectF(100, 100, 1920 - 12 - 100, 1080 - 12 - 100));
    EXPECT_EQ(out.startPoint, QPointF(1908, 1068));
    const CropResizeResult in = resizeCropBorder(stepFor(0, border, QPointF(-50, 3)));
    EXPECT_EQ(in.border, QRectF(12, 12, 288, 288));
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
