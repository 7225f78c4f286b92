// Device choice, aggregates, source switches and the capture device they lead to, over a fake
// audio system: each of the four sources on each kind of machine.
#include <gtest/gtest.h>

#include "AudioDeviceNames.h"
#include "AudioRouting.h"
#include "AudioSampleSource.h"
#include "FakeAudioSystem.h"
#include "TestApplication.h"

namespace {

struct FakeCapture : AudioCapture {
    void start(const QString& uid, int rate, int channels, BufferHandler) override {
        running = true;
        lastUID = uid;
        lastRate = rate;
        lastChannels = channels;
    }
    void stop() override { running = false; }
    bool isRunning() const override { return running; }
    void setMissingHandler(MissingHandler) override {}
    bool running = false;
    QString lastUID;
    int lastRate = 0, lastChannels = 0;
};

using Device = std::tuple<const char*, const char*, int, int>; // UID, name, inputs, outputs
const Device kSpeakers{"spk", "Built-in Output", 0, 2}, kHeadphones{"hp", "Headphones", 0, 2},
    kMic{"mic", "Built-in Microphone", 1, 0}, kLoop{"BlackHole2ch_UID", "BlackHole 2ch", 2, 2};

class Routing : public ::testing::Test {
protected:
    void machine(const std::vector<Device>& devices, const char* in = "", const char* out = "") {
        fake = FakeAudioSystem();
        for (const auto& [uid, name, inputs, outputs] : devices)
            fake.add(uid, name, inputs, outputs);
        fake.defaultInput = in;
        fake.defaultOutput = out;
    }
    std::unique_ptr<AudioRouting> make() {
        return std::make_unique<AudioRouting>(
            fake, AudioRouting::Hooks{[this] { return status; }, [this] { ++encoderDefaults; },
                                      [this](int ms, std::function<void()> task) {
                                          EXPECT_EQ(ms, 500);
                                          pending.push_back(std::move(task));
                                      }});
    }
    void runLater() {
        for (auto& t : std::exchange(pending, {}))
            t();
    }
    int count(const QString& uid) {
        return int(std::count_if(fake.list.begin(), fake.list.end(),
                                 [&](const auto& d) { return d.UID == uid; }));
    }

    FakeAudioSystem fake;
    int status = 0;
    int encoderDefaults = 0;
    std::vector<std::function<void()>> pending;
};

} // namespace

TEST_F(Routing, EachSourceOnEachMachineCapturesFromItsDevice) {
    const Device cardOut{"card", "Built-in Audio Analog Stereo", 0, 2},
        cardMic{"cardmic", "Built-in Audio Analog Stereo Microphone", 2, 0};
    struct Case {
        const char* machine;
        std::vector<Device> devices;
        const char* defaultIn;
        const char* defaultOut;
        const char* captured[4]; // per source type; null: no capture
        const char* output;      // the default output afterwards
    } cases[] = {
        {"preferred microphone",
         {kSpeakers, kHeadphones, kMic, kLoop},
         "mic",
         "spk",
         {"BlackHole2ch_UID", "mic", "ZR-InputDevice", nullptr},
         "ZR-OutputDevice"},
        // A sound card's input is named as a microphone; the loop-back never takes its place.
        {"sound card",
         {cardOut, cardMic, kLoop},
         "cardmic",
         "card",
         {"BlackHole2ch_UID", "cardmic", "ZR-InputDevice", nullptr},
         "ZR-OutputDevice"},
        // No microphone: the loop-back stands in; an aggregate of it twice is refused (82),
        // which ends the rebuild before the output side.
        {"no microphone",
         {kSpeakers, kLoop},
         "",
         "spk",
         {"BlackHole2ch_UID", "BlackHole2ch_UID", "BlackHole2ch_UID", nullptr},
         "spk"},
        // No loop-back: nothing is built and system sound selects nothing new.
        {"no loop-back", {kSpeakers, kMic}, "mic", "spk", {"", "mic", "mic", nullptr}, "spk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.machine);
        machine(c.devices, c.defaultIn, c.defaultOut);
        auto routing = make();
        runLater();
        FakeCapture capture;
        AudioSampleSource source(capture, *routing,
                                 {[] {}, [](std::span<const uint8_t>, size_t, double) {},
                                  [] { return 0; }, [] { return 0; }});
        for (unsigned type = 0; type < 4; ++type) {
            SCOPED_TRACE(type);
            const int before = encoderDefaults;
            EXPECT_EQ(routing->switchRecordType(type), 0);
            EXPECT_EQ(encoderDefaults - before, type == 3 ? 0 : 1);
            source.startCapture();
            EXPECT_EQ(source.watching(), type != 3);
            ASSERT_EQ(capture.running, c.captured[type] != nullptr);
            if (capture.running) {
                EXPECT_EQ(capture.lastUID, c.captured[type]);
            }
            EXPECT_EQ(fake.defaultOutput, c.output);
        }
        EXPECT_LE(count("ZR-InputDevice"), 1);
        EXPECT_EQ(count("ZR-OutputDevice"), QString(c.output) == "ZR-OutputDevice" ? 1 : 0);
    }
}

TEST_F(Routing, ResultCodes) {
    const Device loopInputOnly{"BlackHole2ch_UID", "BlackHole 2ch", 2, 0};
    struct Case {
        const char* what;
        std::vector<Device> devices;
        QString in, out;
        int failCreate, expected;
    } cases[] = {
        {"missing name", {}, "", "Built-in Output", 0, 80},
        {"no such microphone", {kLoop}, "USB Microphone", "x", 0, 80},
        {"no loop-back", {kMic}, "Built-in", "x", 0, 81},
        {"input aggregate refused", {kMic, kLoop}, "Built-in", "x", 5, 82},
        {"no listening device", {kMic, kLoop}, "Built-in", "Built-in Output", 0, 90},
        {"loop-back without output side",
         {kSpeakers, kMic, loopInputOnly},
         "Built-in",
         "Built-in Output",
         0,
         91},
        {"fine", {kSpeakers, kMic, kLoop}, "Built-in", "Built-in Output", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        machine({});
        auto routing = make();
        machine(c.devices);
        fake.failCreate = c.failCreate;
        EXPECT_EQ(routing->prepareDevice(c.in, c.out), c.expected);
    }
}

TEST_F(Routing, MicrophoneChoice) {
    struct Case {
        const char* what;
        std::vector<Device> inputs;
        const char* chosen;
    } cases[] = {
        {"first preferred in platform order",
         {kLoop, {"ext", "External Microphone", 1, 0}, kMic},
         "ext"},
        {"other order", {kMic, {"ext", "External Microphone", 1, 0}, kLoop}, "mic"},
        {"last microphone-like wins, the loop-back listed after it",
         {{"a", "USB Microphone", 1, 0}, {"b", "Desk 麦克风", 1, 0}, {"c", "Line In", 1, 0}, kLoop},
         "b"},
        {"... or before it", {kLoop, {"mb", "MacBook Pro Mic", 1, 0}}, "mb"},
        {"the loop-back only when nothing else is",
         {{"c", "Line In", 1, 0}, kLoop},
         "BlackHole2ch_UID"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        machine(c.inputs);
        auto routing = make();
        ASSERT_TRUE(routing->inputDevice);
        EXPECT_EQ(routing->inputDevice->UID, c.chosen);
    }
}

TEST_F(Routing, RebuildsLeaveOneOfEachAndKeepTheRecordedMicrophone) {
    machine({kSpeakers, kHeadphones, kMic, kLoop}, "mic", "spk");
    auto routing = make();
    EXPECT_EQ(routing->outputDevice->UID, "spk"); // the current default wins over Headphones
    EXPECT_EQ(fake.lastSubdevices, std::make_pair(QString("spk"), QString("BlackHole2ch_UID")));
    EXPECT_FALSE(routing->aggregateOutputDevice); // published only after the delay
    fake.add("ext", "External Microphone", 1, 0);
    std::swap(fake.list[2], fake.list.back()); // now listed before the built-in one
    status = 1;
    for (int i = 0; i < 3; ++i)
        routing->prepareDevice();
    EXPECT_EQ(routing->inputDevice->UID, "mic");
    EXPECT_EQ(count("ZR-InputDevice"), 1);
    EXPECT_EQ(count("ZR-OutputDevice"), 1);
    runLater();
    EXPECT_EQ(routing->aggregateInputDevcie->name, "ZR-InputDevice");
    status = 0;
    routing->prepareDevice();
    EXPECT_EQ(routing->inputDevice->UID, "ext");
    // A routing started while the aggregate is the default output never builds it of itself.
    routing->switchRecordType(0);
    ASSERT_EQ(fake.defaultOutput, "ZR-OutputDevice");
    auto again = make();
    EXPECT_EQ(again->outputDevice->UID, "spk");
    routing.reset();
    again.reset();
    runLater(); // look-ups after the routing is gone touch nothing
}

TEST_F(Routing, CaptureFormatAndWatcher) {
    machine({kSpeakers, kMic, kLoop}, "mic", "spk");
    auto routing = make();
    routing->switchRecordType(1);
    FakeCapture capture;
    int samples = 0, channels = 0, checks = 0;
    AudioSampleSource source(capture, *routing,
                             {[&] { ++checks; }, [](std::span<const uint8_t>, size_t, double) {},
                              [&] { return samples; }, [&] { return channels; }});
    const struct {
        int samples, channels, rate, count;
    } formats[] = {{0, 0, 44100, 2}, {48000, 1, 48000, 1}, {0, 1, 44100, 1}};
    for (const auto& f : formats) {
        samples = f.samples;
        channels = f.channels;
        source.captrueAudioInputEnable(true);
        EXPECT_EQ(capture.lastRate, f.rate);
        EXPECT_EQ(capture.lastChannels, f.count);
    }
    EXPECT_TRUE(spinUntil([&] { return checks >= 2; })); // the device watcher ticks
    source.captrueAudioInputEnable(false);
    EXPECT_FALSE(source.watching() || capture.running);
    // No devices at all: no capture.
    fake.list.clear();
    source.captrueAudioInputEnable(true);
    EXPECT_FALSE(capture.running);
}

TEST(AudioDeviceNames, Patterns) {
    using namespace AudioDeviceNames;
    struct Case {
        const char* name;
        bool preferredMic, micLike, listening;
    } cases[] = {
        {"Built-in Microphone", true, true, false},     {"外置麦克风", true, true, false},
        {"MACBOOK Pro Mic", false, true, false},        {"Desk 咪高風", false, true, false},
        {"Built-in Microphone 2", false, false, false}, {"Built-in Output", false, false, true},
        {"Sony Headphones", false, false, true},        {"蓝牙耳机", false, false, true},
        {"Built-in Output 2", false, false, false},     {"BlackHole 2ch", false, false, false},
        {"usb microphone", false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isPreferredMicrophone(c.name), c.preferredMic);
        EXPECT_EQ(isMicrophoneLike(c.name), c.micLike);
        EXPECT_EQ(isPreferredListeningDevice(c.name), c.listening);
    }
}
