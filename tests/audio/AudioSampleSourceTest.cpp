// When capture runs, on which device and with which format, and the device watcher.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "AudioSampleSource.h"
#include "FakeAudioSystem.h"

namespace {

struct FakeCapture : AudioCapture {
    void start(const QString& uid, int rate, int channels, BufferHandler) override {
        ++starts;
        running = true;
        lastUID = uid;
        lastRate = rate;
        lastChannels = channels;
    }
    void stop() override {
        ++stops;
        running = false;
    }
    bool isRunning() const override { return running; }
    int starts = 0, stops = 0, lastRate = 0, lastChannels = 0;
    bool running = false;
    QString lastUID;
};

class SampleSource : public ::testing::Test {
protected:
    void SetUp() override {
        EZAudioDevice::setAudioSystem(&fake);
        fake.add("spk", "Built-in Output", 0, 2);
        fake.add("mic", "Built-in Microphone", 1, 0);
        fake.add("BlackHole2ch_UID", "BlackHole 2ch", 2, 2);
        fake.defaultInput = "mic";
        fake.defaultOutput = "spk";
        routing = std::make_unique<AudioRouting>(AudioRouting::Hooks{
            [] { return 0; }, [] {}, [this](int, std::function<void()> t) { t(); }});
        source = std::make_unique<AudioSampleSource>(
            capture, *routing,
            AudioSampleSource::Hooks{[this] { ++checks; },
                                     [](std::span<const uint8_t>, size_t, double) {},
                                     [this] { return samples; }, [this] { return channels; }});
    }
    void TearDown() override { EZAudioDevice::setAudioSystem(nullptr); }

    FakeAudioSystem fake;
    FakeCapture capture;
    std::unique_ptr<AudioRouting> routing;
    std::unique_ptr<AudioSampleSource> source;
    int checks = 0;
    int samples = 0, channels = 0;
};

} // namespace

TEST_F(SampleSource, CapturesFromTheSelectedInputOfEachSourceType) {
    struct Case {
        unsigned type;
        const char* uid;
        bool runs;
    } cases[] = {{0, "BlackHole2ch_UID", true},
                 {1, "mic", true},
                 {2, "ZR-InputDevice", true},
                 {3, "ZR-InputDevice", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        routing->switchRecordType(c.type);
        source->captrueAudioInputEnable(true);
        EXPECT_EQ(capture.running, c.runs);
        EXPECT_TRUE(source->watching()); // the watcher runs even without input
        if (c.runs) {
            EXPECT_EQ(capture.lastUID, c.uid);
        }
    }
    // The start used by the menus stops everything for "no audio".
    source->startCapture();
    EXPECT_FALSE(source->watching());
    routing->switchRecordType(0);
    source->startCapture();
    EXPECT_TRUE(capture.running);
    EXPECT_TRUE(source->watching());
}

TEST_F(SampleSource, FormatComesFromTheEncoderWithDefaultsForZero) {
    struct Case {
        int samples, channels, rate, count;
    } cases[] = {{0, 0, 44100, 2}, {48000, 1, 48000, 1}, {0, 1, 44100, 1}};
    routing->switchRecordType(1);
    for (const Case& c : cases) {
        samples = c.samples;
        channels = c.channels;
        source->captrueAudioInputEnable(true);
        EXPECT_EQ(capture.lastRate, c.rate);
        EXPECT_EQ(capture.lastChannels, c.count);
    }
}

TEST_F(SampleSource, UnknownSelectionFallsBackToTheDefaultInput) {
    std::optional<EZAudioDevice> gone = EZAudioDevice::inputDevices()[0];
    gone->name = "Unplugged Microphone";
    EXPECT_EQ(AudioSampleSource::captureDeviceUID(gone), "");
    EXPECT_EQ(AudioSampleSource::captureDeviceUID(std::nullopt), "");
}

TEST_F(SampleSource, NoInputDevicesMeansNoCapture) {
    routing->switchRecordType(1);
    fake.list.clear();
    source->captrueAudioInputEnable(true);
    EXPECT_FALSE(capture.running);
}

TEST_F(SampleSource, WatcherTicksWhileEnabledAndStopsWithCapture) {
    routing->switchRecordType(0);
    source->captrueAudioInputEnable(true);
    QElapsedTimer waited;
    waited.start();
    while (checks < 2 && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_GE(checks, 2);
    source->captrueAudioInputEnable(false);
    EXPECT_FALSE(source->watching());
    EXPECT_FALSE(capture.running);
    const int after = checks;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 700);
    EXPECT_EQ(checks, after);
}
