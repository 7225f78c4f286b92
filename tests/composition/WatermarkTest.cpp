#include "PreferenceKeys.h"
#include "Preferences.h"
#include "TestApplication.h"
#include "WatermarkImage.h"
#include "WatermarkPlacement.h"
#include "WatermarkText.h"
#include "WatermarkTimeText.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(WatermarkPlacement, Rectangles) {
    const QSizeF wide(1200, 300), small(200, 100);
    const QSize big(1188, 600), frame(594, 400);
    const struct {
        const char* name;
        QSizeF image;
        QSize frame;
        WatermarkPlacement placement;
        bool isTime;
        QRectF expected;
    } cases[] = {
        {"wide fitted to 560, k 2", wide, big, {0.5f, 0.5f, 1}, false, {34, 160, 1120, 280}},
        {"narrow keeps its size", small, frame, {0.5f, 0.5f, 1}, false, {197, 150, 200, 100}},
        {"scale halves k", small, big, {0.25f, 0.5f, 0.5f}, false, {197, 250, 200, 100}},
        {"unplaced: centred on the corner", small, frame, {0, 0, 1}, false, {-100, -50, 200, 100}},
        {"unplaced time: flush in the corner", small, frame, {0, 0, 1}, true, {0, 0, 200, 100}},
        {"time placed on x only", small, frame, {0.5f, 0, 1}, true, {197, 0, 200, 100}},
        {"time at a negative centre", small, frame, {-0.2f, 0.5f, 1}, true, {0, 150, 200, 100}},
    };
    for (const auto& c : cases) {
        const QRectF r =
            watermarkRect(c.image, c.frame.width(), c.frame.height(), c.placement, c.isTime);
        EXPECT_EQ(r, c.expected) << c.name;
    }
}

TEST(WatermarkPlacement, StoredPlacementWithoutAScaleHasScaleOne) {
    QTemporaryDir folder;
    Preferences store(folder.filePath("Tapedeck.conf"));
    auto read = [&] {
        const WatermarkPlacement p = storedWatermarkPlacement(store);
        return std::tuple(p.centerX, p.centerY, p.scale);
    };
    EXPECT_EQ(read(), std::tuple(0.f, 0.f, 1.f));
    store.setValue(PrefKey::Watermark_center_x, 0.25);
    store.setValue(PrefKey::Watermark_center_y, 0.75);
    store.setValue(PrefKey::Watermark_scale, 0.5);
    EXPECT_EQ(read(), std::tuple(0.25f, 0.75f, 0.5f));
}

TEST(WatermarkTimeText, StyleIndexFallsBackToTheFirstAndYearsAreCalendarYears) {
    const QStringList styles = {"A", "B", "C"};
    const std::pair<int, const char*> cases[] = {{0, "A"}, {2, "C"}, {3, "A"}, {-1, "A"}};
    for (const auto& [index, style] : cases)
        EXPECT_EQ(timeFramStyle(styles, index), style) << index;
    EXPECT_EQ(timeFramStyle({}, 0), "");
    // 31 December 2026 belongs to the first week of 2027.
    const QDateTime when(QDate(2026, 12, 31), QTime(23, 59, 58));
    EXPECT_EQ(timeText("YYYY/MM/dd HH/mm/ss", when), "2026/12/31 23/59/58");
    EXPECT_EQ(timeText(QString::fromUtf8("YYYY年MM月dd日 HH时mm分"), when),
              QString::fromUtf8("2026年12月31日 23时59分"));
}

class WatermarkTextTest : public ::testing::Test {
protected:
    void SetUp() override { testApplication(); }
};

TEST_F(WatermarkTextTest, TextIsDrawnInItsColourAtTheChosenOpacity) {
    EXPECT_TRUE(saveImageWithText("", WatermarkSettings()).isNull());
    WatermarkSettings settings;
    for (float alpha : {1.0f, 0.5f}) {
        settings.watermarkAlpha = alpha;
        const QImage image = saveImageWithText("Tapedeck", settings);
        ASSERT_FALSE(image.isNull());
        int most = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                most = std::max(most, qAlpha(p));
                ASSERT_EQ(qGreen(p) | qBlue(p), 0);
            }
        EXPECT_NEAR(most, 255 * alpha, 2) << alpha;
    }
}

TEST_F(WatermarkTextTest, LongTextWrapsAt1080InTheChosenFont) {
    WatermarkSettings settings;
    const QImage line = saveImageWithText("word", settings);
    const QImage wrapped = saveImageWithText(QString("word ").repeated(300).trimmed(), settings);
    ASSERT_FALSE(line.isNull());
    EXPECT_LE(wrapped.width(), 1080);
    EXPECT_GT(wrapped.width(), 1000);
    EXPECT_GE(wrapped.height(), 3 * line.height());
    settings.textWatermarkFont.setPointSizeF(40);
    EXPECT_GT(saveImageWithText("word", settings).height(), line.height() * 3 / 2);
}

TEST_F(WatermarkTextTest, FrameImageFollowsTypeAndTimeSwitch) {
    const QDateTime now(QDate(2026, 1, 2), QTime(3, 4, 5));
    QImage picture(10, 10, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::blue);
    WatermarkSettings settings;
    settings.watermarkImage = picture;
    settings.timeFramStyles = {"YYYY-MM-dd HH:mm:ss"};

    for (unsigned type : {0u, 1u}) {
        settings.watermarkType = type;
        EXPECT_EQ(watermarkImageForFrame(settings, now), picture) << type;
    }
    settings.watermarkType = WatermarkSettings::None;
    EXPECT_TRUE(watermarkImageForFrame(settings, now).isNull());

    // The time is drawn whatever the type says, "none" included.
    settings.isTimeTextWatermark = true;
    EXPECT_EQ(watermarkImageForFrame(settings, now),
              saveImageWithText("2026-01-02 03:04:05", settings));
}

} // namespace
