// Device choice, aggregate rebuilds and source switches over a fake audio system.
#include <gtest/gtest.h>

#include "AudioDeviceNames.h"
#include "AudioRouting.h"
#include "FakeAudioSystem.h"

namespace {

class Routing : public ::testing::Test {
protected:
    void SetUp() override { EZAudioDevice::setAudioSystem(&fake); }
    void TearDown() override { EZAudioDevice::setAudioSystem(nullptr); }

    // The usual machine: speakers, headphones, a microphone and the loop-back device.
    void standardMachine() {
        fake.add("spk", "Built-in Output", 0, 2);
        fake.add("hp", "Headphones", 0, 2);
        fake.add("mic", "Built-in Microphone", 1, 0);
        fake.add("BlackHole2ch_UID", "BlackHole 2ch", 2, 2);
        fake.defaultInput = "mic";
        fake.defaultOutput = "spk";
    }
    std::unique_ptr<AudioRouting> make() {
        return std::make_unique<AudioRouting>(
            AudioRouting::Hooks{[this] { return status; }, [this] { ++encoderDefaults; },
                                [this](int ms, std::function<void()> task) {
                                    EXPECT_EQ(ms, 500);
                                    pending.push_back(std::move(task));
                                }});
    }
    void runLater() {
        auto tasks = std::exchange(pending, {});
        for (auto& t : tasks)
            t();
    }
    int count(const QString& uid) {
        int n = 0;
        for (const auto& d : fake.list)
            n += d.UID == uid;
        return n;
    }

    FakeAudioSystem fake;
    int status = 0;
    int encoderDefaults = 0;
    std::vector<std::function<void()>> pending;
};

} // namespace

TEST_F(Routing, BuildsBothAggregatesFromTheChosenDevices) {
    standardMachine();
    auto r = make();
    EXPECT_EQ(r->inputDevice->UID, "mic");
    EXPECT_EQ(r->builtInputDevice->UID, "mic");
    EXPECT_EQ(r->soundflowerInputDevcie->UID, "BlackHole2ch_UID");
    EXPECT_EQ(r->outputDevice->UID, "spk"); // the current default wins over Headphones
    EXPECT_EQ(fake.lastSubdevices, std::make_pair(QString("spk"), QString("BlackHole2ch_UID")));
    EXPECT_EQ(count("ZR-InputDevice"), 1);
    EXPECT_EQ(count("ZR-OutputDevice"), 1);
    // The records show up only after the platform had time to publish them.
    EXPECT_FALSE(r->aggregateOutputDevice);
    runLater();
    EXPECT_EQ(r->aggregateInputDevcie->name, "ZR-InputDevice");
    EXPECT_EQ(r->aggregateOutputDevice->name, "ZR-OutputDevice");
}

TEST_F(Routing, RebuildsLeaveOneOfEach) {
    standardMachine();
    auto r = make();
    for (int i = 0; i < 4; ++i)
        r->prepareDevice();
    EXPECT_EQ(count("ZR-InputDevice"), 1);
    EXPECT_EQ(count("ZR-OutputDevice"), 1);
    EXPECT_EQ(fake.calls["destroy"], 8);
}

TEST_F(Routing, ResultCodes) {
    using Device = std::tuple<const char*, const char*, int, int>;
    const Device spk{"spk", "Built-in Output", 0, 2}, mic{"mic", "Built-in Microphone", 1, 0},
        loop{"BlackHole2ch_UID", "BlackHole 2ch", 2, 2},
        loopInputOnly{"BlackHole2ch_UID", "BlackHole 2ch", 2, 0};
    struct Case {
        const char* what;
        std::vector<Device> devices;
        QString in, out;
        int failCreate;
        int expected;
    } cases[] = {
        {"missing name", {}, "", "Built-in Output", 0, 80},
        {"no such microphone", {loop}, "USB Microphone", "x", 0, 80},
        {"no loop-back", {mic}, "Built-in", "x", 0, 81},
        {"input aggregate refused", {mic, loop}, "Built-in", "x", 5, 82},
        {"no listening device", {mic, loop}, "Built-in", "Built-in Output", 0, 90},
        {"loop-back without output side",
         {spk, mic, loopInputOnly},
         "Built-in",
         "Built-in Output",
         0,
         91},
        {"fine", {spk, mic, loop}, "Built-in", "Built-in Output", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake.list.clear();
        auto r = make();
        for (const auto& [uid, name, in, out] : c.devices)
            fake.add(uid, name, in, out);
        fake.failCreate = c.failCreate;
        EXPECT_EQ(r->prepareDevice(c.in, c.out), c.expected);
    }
}

TEST_F(Routing, NoLoopbackCreatesNothingAndSystemSoundSelectsNothing) {
    fake.add("spk", "Built-in Output", 0, 2);
    fake.add("mic", "Built-in Microphone", 1, 0);
    fake.defaultInput = "mic";
    fake.defaultOutput = "spk";
    auto r = make();
    EXPECT_EQ(fake.calls["create"], 0);
    EXPECT_FALSE(AudioRouting::hasInstallSoundFlower());
    r->switchRecordType(0);
    EXPECT_FALSE(r->selectInputDevice);
    EXPECT_FALSE(r->selectOutputDevice);
    EXPECT_EQ(fake.defaultInput, "mic");
    EXPECT_EQ(fake.defaultOutput, "spk");
}

TEST_F(Routing, MicrophoneChoice) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, const char*>> inputs;
        const char* chosen;
    } cases[] = {
        {"first preferred in platform order",
         {{"bh", "BlackHole 2ch"}, {"ext", "External Microphone"}, {"mic", "Built-in Microphone"}},
         "ext"},
        {"other order",
         {{"mic", "Built-in Microphone"}, {"ext", "External Microphone"}, {"bh", "BlackHole 2ch"}},
         "mic"},
        {"MacBook before the loop-back",
         {{"mb", "MacBook Pro Microphone"}, {"BlackHole2ch_UID", "BlackHole 2ch"}},
         "BlackHole2ch_UID"},
        {"MacBook after the loop-back",
         {{"BlackHole2ch_UID", "BlackHole 2ch"}, {"mb", "MacBook Pro Microphone"}},
         "BlackHole2ch_UID"},
        {"last microphone-like wins",
         {{"a", "USB Microphone"}, {"b", "Desk 麦克风"}, {"c", "Line In"}},
         "b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake.list.clear();
        for (const auto& [uid, name] : c.inputs)
            fake.add(uid, name, 2, 0);
        fake.defaultInput = "";
        auto r = make();
        ASSERT_TRUE(r->inputDevice);
        EXPECT_EQ(r->inputDevice->UID, c.chosen);
    }
}

TEST_F(Routing, WhileRecordingTheChosenMicrophoneStays) {
    standardMachine();
    auto r = make();
    fake.add("ext", "External Microphone", 1, 0);
    std::swap(fake.list[2], fake.list.back()); // now listed before the built-in one
    status = 1;
    r->prepareDevice();
    EXPECT_EQ(r->inputDevice->UID, "mic");
    status = 0;
    r->prepareDevice();
    EXPECT_EQ(r->inputDevice->UID, "ext");
}

TEST_F(Routing, TheOutputAggregateIsNeverItsOwnPart) {
    fake.add("usb", "USB Speakers", 0, 2);
    fake.add("mic", "Built-in Microphone", 1, 0);
    fake.add("BlackHole2ch_UID", "BlackHole 2ch", 2, 2);
    fake.defaultInput = "mic";
    fake.defaultOutput = "usb";
    auto r = make();
    runLater();
    r->switchRecordType(0);
    ASSERT_EQ(fake.defaultOutput, "ZR-OutputDevice");
    // A routing started while the aggregate is the default (say after a crash) must not build
    // the aggregate out of itself.
    int created = fake.calls["create"];
    auto again = make();
    EXPECT_NE(fake.lastSubdevices.first, QString("ZR-OutputDevice"));
    EXPECT_EQ(fake.calls["create"], created); // no listening device found: nothing rebuilt
    EXPECT_EQ(count("ZR-OutputDevice"), 1);
}

TEST_F(Routing, SourceTypesSelectTheirDevices) {
    standardMachine();
    auto r = make();
    runLater();
    struct Case {
        unsigned type;
        const char* input;
        bool encoderSet;
    } cases[] = {{0, "BlackHole2ch_UID", true},
                 {1, "mic", true},
                 {2, "ZR-InputDevice", true},
                 {3, "ZR-InputDevice", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        int before = encoderDefaults;
        fake.defaultInput = "";
        EXPECT_EQ(r->switchRecordType(c.type), 0);
        EXPECT_EQ(r->recordAudioType, c.type);
        EXPECT_EQ(fake.defaultInput, c.input);
        EXPECT_EQ(fake.defaultOutput, "ZR-OutputDevice");
        EXPECT_EQ(encoderDefaults - before, c.encoderSet ? 1 : 0);
    }
}

TEST_F(Routing, QuitRemovesTheAggregatesAndPutsTheDefaultsBack) {
    standardMachine();
    auto r = make();
    runLater();
    r->removeAggregatesAndRestoreDefaults();
    EXPECT_EQ(count("ZR-InputDevice"), 0);
    EXPECT_EQ(count("ZR-OutputDevice"), 0);
    EXPECT_EQ(fake.calls["restore"], 1);
}

TEST_F(Routing, LookUpsAfterTheRoutingIsGoneDoNothing) {
    standardMachine();
    make().reset();
    runLater(); // must not touch the destroyed object
    EXPECT_EQ(count("ZR-OutputDevice"), 1);
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
