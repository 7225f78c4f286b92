#include "GuiApplication.h"
#include "WatermarkFonts.h"
#include "WatermarkImage.h"
#include "WatermarkPlacement.h"
#include "WatermarkText.h"
#include "WatermarkTimeText.h"

#include <QFontDatabase>

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
        EXPECT_NEAR(r.x(), c.expected.x(), 1e-3) << c.name;
        EXPECT_NEAR(r.y(), c.expected.y(), 1e-3) << c.name;
        EXPECT_NEAR(r.width(), c.expected.width(), 1e-3) << c.name;
        EXPECT_NEAR(r.height(), c.expected.height(), 1e-3) << c.name;
    }
}

TEST(WatermarkTimeText, StyleIndexFallsBackToTheFirst) {
    const QStringList styles = {"A", "B", "C"};
    const struct {
        int index;
        const char* expected;
    } cases[] = {{0, "A"}, {2, "C"}, {3, "A"}, {7, "A"}, {-1, "A"}};
    for (const auto& c : cases)
        EXPECT_EQ(timeFramStyle(styles, c.index), c.expected) << c.index;
    EXPECT_EQ(timeFramStyle({}, 0), "");
}

TEST(WatermarkTimeText, StoredStylesGiveTheCalendarYear) {
    // 31 December 2026 belongs to the first week of 2027.
    const QDateTime when(QDate(2026, 12, 31), QTime(23, 59, 58));
    const struct {
        const char* style;
        const char* expected;
    } cases[] = {
        {"YYYY/MM/dd HH/mm/ss", "2026/12/31 23/59/58"},
        {"YYYY年MM月dd日 HH时mm分ss秒", "2026年12月31日 23时59分58秒"},
        {"YYYY-MM-dd HH:mm:ss", "2026-12-31 23:59:58"},
        {"YYYY-MM-dd HH:mm", "2026-12-31 23:59"},
        {"YYYY年MM月dd日 HH时mm分", "2026年12月31日 23时59分"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timeText(QString::fromUtf8(c.style), when), QString::fromUtf8(c.expected))
            << c.style;
}

class WatermarkTextTest : public ::testing::Test {
protected:
    void SetUp() override { guiApplication(); }

    static int maxAlpha(const QImage& image) {
        int most = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                most = std::max(most, qAlpha(image.pixel(x, y)));
        return most;
    }
};

TEST_F(WatermarkTextTest, EmptyTextGivesNoPicture) {
    EXPECT_TRUE(saveImageWithText("", WatermarkSettings()).isNull());
}

TEST_F(WatermarkTextTest, TextIsDrawnInItsColourAtTheChosenOpacity) {
    WatermarkSettings settings;
    for (float alpha : {1.0f, 0.5f}) {
        settings.watermarkAlpha = alpha;
        const QImage image = saveImageWithText("Tapedeck", settings);
        ASSERT_FALSE(image.isNull());
        EXPECT_NEAR(maxAlpha(image), 255 * alpha, 2) << alpha;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                ASSERT_EQ(qGreen(p), 0);
                ASSERT_EQ(qBlue(p), 0);
            }
    }
}

TEST_F(WatermarkTextTest, LongTextWrapsAt1080) {
    WatermarkSettings settings;
    const QImage line = saveImageWithText("word", settings);
    const QImage wrapped = saveImageWithText(QString("word ").repeated(300).trimmed(), settings);
    ASSERT_FALSE(line.isNull());
    EXPECT_LE(wrapped.width(), 1080);
    EXPECT_GT(wrapped.width(), 1000);
    EXPECT_GE(wrapped.height(), 3 * line.height());
}

TEST_F(WatermarkTextTest, LargerFontGivesALargerPicture) {
    WatermarkSettings settings;
    const QImage small = saveImageWithText("12:00", settings);
    settings.textWatermarkFont.setPointSizeF(40);
    const QImage large = saveImageWithText("12:00", settings);
    EXPECT_GT(large.height(), small.height() * 3 / 2);
    EXPECT_GT(large.width(), small.width() * 3 / 2);
}

TEST_F(WatermarkTextTest, FontListLeavesOutHelveticaOnly) {
    const QStringList names = getFontNameArray();
    EXPECT_FALSE(names.contains("Helvetica"));
    QStringList all = QFontDatabase::families();
    all.removeAll("Helvetica");
    EXPECT_EQ(names, all);
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
