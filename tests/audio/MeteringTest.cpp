// Levels of captured buffers and the wave view's columns.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <climits>
#include <cstring>

#include "SKVoiceFilter.h"
#include "SKVoiceWaveView.h"

namespace {

std::vector<uint8_t> buffer(std::initializer_list<int32_t> samples) {
    std::vector<uint8_t> out(samples.size() * 4);
    std::memcpy(out.data(), std::data(samples), out.size());
    return out;
}

QApplication& app() {
    static int argc = 1;
    static char name[] = "audio_meter_test";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication instance(argc, argv);
    return instance;
}

} // namespace

TEST(SKVoiceFilter, Levels) {
    const QSizeF view(300, 68);
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        double level;
    } cases[] = {
        {"silence", buffer({0, 0, 0, 0}), 0.5},
        {"empty", {}, 0.5},
        {"full scale", buffer({1, INT32_MAX, -5}), INT32_MAX * 68.0 / 4294967296.0},
        {"negative full scale", buffer({INT32_MIN, 0}), 34.0},
        {"quiet but above the floor", buffer({0, 1 << 26, -(1 << 27)}), 68.0 / 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DOUBLE_EQ(SKVoiceFilter::level(view, c.data), c.level);
    }
    EXPECT_FLOAT_EQ(SKVoiceFilter::volum(0.5), 0.5f / 34);
    const double peak = SKVoiceFilter::level(view, buffer({INT32_MAX}));
    EXPECT_LT(peak, 34.0);
    EXPECT_NEAR(SKVoiceFilter::volum(peak), 1.0f, 1e-6);
    EXPECT_EQ(SKVoiceFilter::filteredSamplesForSize(view, buffer({7, 8, 9})).size(), 3u);
}

TEST(SKVoiceWaveView, KeepsOneColumnPerPointAsItScrolls) {
    app();
    SKVoiceWaveView view;
    view.resize(300, 68);
    view.show();
    EXPECT_EQ(view.initialFrame(), QSizeF(300, 68));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(view.addLevel(10 + i, i % 2 == 0));
    std::deque<VoiceStroke> columns = view.pointArray();
    ASSERT_EQ(columns.size(), 301u);
    EXPECT_EQ(view.tempPointArray().size(), 5u);
    // Newest measured columns sit just before the idle baseline at the end.
    EXPECT_FALSE(columns.back().isRecording);
    EXPECT_FLOAT_EQ(columns.back().point_y, 0.5f);
    for (int i = 0; i < 5; ++i) {
        const VoiceStroke& c = columns[columns.size() - 6 + i];
        EXPECT_FLOAT_EQ(c.point_y, float(10 + i));
        EXPECT_EQ(c.isRecording, i % 2 == 0);
    }
}

TEST(SKVoiceWaveView, HistoryNeverOutgrowsTheColumns) {
    app();
    SKVoiceWaveView view;
    view.resize(10, 68);
    view.show();
    for (int i = 0; i < 40; ++i)
        view.addLevel(3, true);
    EXPECT_EQ(view.pointArray().size(), 11u);
    EXPECT_EQ(view.tempPointArray().size(), 11u);
}

TEST(SKVoiceWaveView, DrawsRecordedColumnsGreenAboutTheMiddle) {
    app();
    SKVoiceWaveView view;
    view.resize(20, 68);
    view.show();
    view.addLevel(10, true);
    QImage image(view.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    view.render(&image);
    // The recorded column is second to last (x = 19); the idle columns stay short and white.
    const QColor green(Qt::green), white(Qt::white);
    EXPECT_EQ(QColor(image.pixel(19, 34 - 8)), green);
    EXPECT_EQ(QColor(image.pixel(19, 34 + 8)), green);
    EXPECT_NE(QColor(image.pixel(19, 34 - 12)), green);
    EXPECT_EQ(QColor(image.pixel(5, 34)), white);
    EXPECT_NE(QColor(image.pixel(5, 34 - 8)), white);
    EXPECT_NE(QColor(image.pixel(5, 34 - 8)), green);
}
