// Levels of captured buffers and the wave view's columns.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>
#include <thread>

#include "AudioLevelMeter.h"
#include "NSVertProgressView.h"
#include "SKVoiceFilter.h"
#include "SKVoiceWaveView.h"

namespace {

std::vector<uint8_t> buffer(std::initializer_list<int32_t> samples) {
    std::vector<uint8_t> out(samples.size() * 4);
    std::memcpy(out.data(), std::data(samples), out.size());
    return out;
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
}

TEST(SKVoiceWaveView, KeepsOneColumnPerPointAsItScrollsAndNoLongerHistory) {
    SKVoiceWaveView view;
    view.resize(300, 68);
    view.show();
    EXPECT_EQ(view.initialFrame(), QSizeF(300, 68));
    EXPECT_EQ(view.pointArray().size(), 301u);
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
    SKVoiceWaveView narrow;
    narrow.resize(10, 68);
    narrow.show();
    for (int i = 0; i < 40; ++i)
        narrow.addLevel(3, true);
    EXPECT_EQ(narrow.pointArray().size(), 11u);
    EXPECT_EQ(narrow.tempPointArray().size(), 11u);
}

TEST(SKVoiceWaveView, DrawsRecordedColumnsGreenAboutTheMiddle) {
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

TEST(NSVertProgressView, BarRisesFromTheBottomSetFromAnyThread) {
    NSVertProgressView bar;
    bar.resize(8, 100);
    bar.show();
    struct Case {
        float value, stored;
        QRect track;
    } cases[] = {{0.5f, 0.5f, {0, 50, 8, 50}},  {0.25f, 0.25f, {0, 75, 8, 25}},
                 {1.0f, 1.0f, {0, 0, 8, 100}},  {1.5f, 1.0f, {0, 0, 8, 100}},
                 {-0.2f, 0.0f, {0, 100, 8, 0}}, {std::nanf(""), 0.0f, {0, 100, 8, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        std::thread([&] { bar.setProgress(c.value); }).join();
        EXPECT_FLOAT_EQ(bar.progress(), c.stored);
        QCoreApplication::processEvents();
        EXPECT_EQ(bar.trackView()->geometry(), c.track);
    }
    // A new size keeps the fraction.
    bar.setProgress(0.5f);
    QCoreApplication::processEvents();
    bar.resize(8, 40);
    EXPECT_EQ(bar.trackView()->geometry(), QRect(0, 20, 8, 20));
}

TEST(AudioLevelMeter, EachModeLightsItsBars) {
    const std::vector<uint8_t> loud = buffer({INT32_MIN, 3}); // peak 34: volum 1
    struct Case {
        unsigned mode, type;
        float main, system, mic;
    } cases[] = {
        {0, 1, 1, 0, 0}, {1, 3, 1, 0, 0}, {2, 2, 1, 0, 0}, {4, 0, 1, 0, 0},
        {3, 0, 0, 1, 0}, {3, 1, 0, 0, 1}, {3, 2, 0, 1, 1}, {3, 3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " type " << c.type);
        NSVertProgressView main, system, mic;
        AudioLevelMeter meter({nullptr, &main, &system, &mic},
                              {[&] { return c.mode; }, [&] { return c.type; }, [] { return 1u; }});
        meter.audioVolum(loud);
        EXPECT_FLOAT_EQ(meter.volum(), 1.0f);
        EXPECT_FLOAT_EQ(main.progress(), c.main);
        EXPECT_FLOAT_EQ(system.progress(), c.system);
        EXPECT_FLOAT_EQ(mic.progress(), c.mic);
    }
}

TEST(AudioLevelMeter, AudioOnlyScrollsTheWaveInItsOwnScale) {
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        unsigned status;
        float volum;
        bool green;
    } cases[] = {
        {"silence while idle", buffer({0, 0}), 0, 0.5f / 34, false},
        {"full scale while recording", buffer({INT32_MAX}), 1,
         float(INT32_MAX * 68.0 / 4294967296.0 / 34), true},
        {"paused", buffer({1 << 30}), 2, 0.5f, false},
        {"recording after a pause", buffer({1 << 30}), 3, 0.5f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SKVoiceWaveView wave;
        NSVertProgressView main;
        AudioLevelMeter meter({&wave, &main, nullptr, nullptr},
                              {[] { return 4u; }, [] { return 0u; }, [&] { return c.status; }});
        // Not shown yet: the 68-point scale holds all the same.
        meter.audioVolum(c.data);
        EXPECT_FLOAT_EQ(meter.volum(), c.volum);
        EXPECT_FLOAT_EQ(main.progress(), c.volum);
        std::deque<VoiceStroke> columns = wave.pointArray();
        ASSERT_GE(columns.size(), 2u);
        const VoiceStroke& newest = columns[columns.size() - 2];
        EXPECT_FLOAT_EQ(newest.point_y, c.volum * 34);
        EXPECT_EQ(newest.isRecording, c.green);
    }
}

TEST(AudioLevelMeter, MetersOnTheAudioQueueWhileTheWaveGetsItsSize) {
    SKVoiceWaveView wave;
    AudioLevelMeter meter({&wave, nullptr, nullptr, nullptr},
                          {[] { return 4u; }, [] { return 0u; }, [] { return 1u; }});
    const std::vector<uint8_t> loud = buffer({1 << 30});
    std::atomic<bool> shown{false};
    std::thread audio([&] {
        for (int i = 0; i < 50 || !shown; ++i)
            meter.audioVolum(loud);
    });
    wave.resize(300, 68);
    wave.show(); // the view learns its size here, while the audio queue reads it
    shown = true;
    audio.join();
    EXPECT_EQ(wave.initialFrame(), QSizeF(300, 68));
}
