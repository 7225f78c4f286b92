// What happens when devices come and go: which changes are noticed, when the source falls
// back to system sound, and that a running recording is never stopped nor re-routed.
#include <gtest/gtest.h>

#include "AudioDeviceRecovery.h"
#include "FakeAudioSystem.h"

namespace {

class Recovery : public ::testing::Test {
protected:
    void SetUp() { fresh(); }
    // The usual machine with nothing counted yet.
    void fresh() {
        recovery.reset();
        routing.reset();
        fake = FakeAudioSystem();
        captureStarts = 0;
        shown.clear();
        status = 0;
        fake.add("spk", "Built-in Output", 0, 2);
        fake.add("mic", "Built-in Microphone", 1, 0);
        fake.add("BlackHole2ch_UID", "BlackHole 2ch", 2, 2);
        fake.defaultInput = "mic";
        fake.defaultOutput = "spk";
        routing = std::make_unique<AudioRouting>(
            fake, AudioRouting::Hooks{[this] { return int(status); }, [] {},
                                      [](int, std::function<void()> t) { t(); }});
        recovery = std::make_unique<AudioDeviceRecovery>(
            *routing, AudioDeviceRecovery::Hooks{[this] { return status; },
                                                 [this](unsigned t) { shown.push_back(t); },
                                                 [this] { ++captureStarts; }});
    }
    void unplug(const QString& uid) {
        std::erase_if(fake.list, [&](const AudioDeviceDescription& d) { return d.UID == uid; });
    }

    FakeAudioSystem fake;
    std::unique_ptr<AudioRouting> routing;
    std::unique_ptr<AudioDeviceRecovery> recovery;
    unsigned status = 0;
    int captureStarts = 0;
    std::vector<unsigned> shown;
};

} // namespace

TEST_F(Recovery, LosingTheLastMicrophone) {
    struct Case {
        const char* what;
        unsigned type, status;
        unsigned typeAfter;
        const char* defaultInput; // null: unchanged
    } cases[] = {
        {"microphone chosen while idle falls back", 1, 0, 0, "BlackHole2ch_UID"},
        {"both sources fall back to system sound", 2, 0, 0, "BlackHole2ch_UID"},
        {"system sound is left alone", 0, 0, 0, "BlackHole2ch_UID"},
        {"no sound stays no sound", 3, 0, 3, nullptr},
        // The recording goes on with silence where the microphone was; it comes back by
        // itself, so nothing is re-routed until the recording has stopped.
        {"a microphone recording is neither stopped nor re-routed", 1, 1, 1, nullptr},
        {"nor a paused one", 2, 2, 2, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fresh();
        routing->switchRecordType(c.type);
        const QString inputBefore = fake.defaultInput;
        status = c.status;
        unplug("mic");
        recovery->checkAudioDevice();
        EXPECT_EQ(routing->recordAudioType, c.typeAfter);
        EXPECT_EQ(shown, c.typeAfter == c.type ? std::vector<unsigned>{}
                                               : std::vector<unsigned>{c.typeAfter});
        EXPECT_EQ(fake.defaultInput, c.defaultInput ? QString(c.defaultInput) : inputBefore);
        EXPECT_EQ(captureStarts, c.status == 0 ? 1 : 0);
        // Once stopped, the change is taken up at the next tick.
        status = 0;
        recovery->checkAudioDevice();
        EXPECT_EQ(routing->recordAudioType, c.type == 3 ? 3u : 0u);
        EXPECT_EQ(captureStarts, 1);
    }
}

TEST_F(Recovery, WhichChangesAreNoticed) {
    struct Case {
        const char* what;
        std::function<void(FakeAudioSystem&)> change;
        bool byWatcher, bySessionError;
    } cases[] = {
        {"nothing changed", [](FakeAudioSystem&) {}, false, false},
        {"a microphone plugged in",
         [](FakeAudioSystem& f) { f.add("usb", "USB Microphone", 1, 0); }, true, false},
        {"headphones plugged in", [](FakeAudioSystem& f) { f.add("hp", "Headphones", 0, 2); },
         false, true},
        {"a headset with both sides", [](FakeAudioSystem& f) { f.add("hs", "Headset", 1, 2); },
         true, true},
        // No server answers: nothing can be chosen, the capture waits for the server.
        {"the sound server went away", [](FakeAudioSystem& f) { f.list.clear(); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (bool watcher : {true, false}) {
            fresh();
            routing->switchRecordType(1);
            const int created = fake.calls["create"];
            c.change(fake);
            watcher ? recovery->checkAudioDevice() : recovery->captureSessionError();
            const bool expected = watcher ? c.byWatcher : c.bySessionError;
            EXPECT_EQ(captureStarts, expected ? 1 : 0) << watcher;
            EXPECT_EQ(fake.calls["create"] > created, expected) << watcher;
            EXPECT_EQ(routing->recordAudioType, 1u);
            // Once a recovery has remembered them, the same lists are not a change any more.
            if (expected) {
                captureStarts = 0;
                recovery->checkAudioDevice();
                recovery->captureSessionError();
                EXPECT_EQ(captureStarts, 0);
            }
        }
    }
}

TEST_F(Recovery, ARecordingStartedWithoutAnyDeviceIsSetUpWhenTheyCome) {
    const std::vector<AudioDeviceDescription> devices = fake.list;
    fake.list.clear();
    recovery->rememberDevices();
    routing->switchRecordType(0);
    status = 1;
    fake.list = devices;
    recovery->checkAudioDevice();
    EXPECT_EQ(captureStarts, 1);
}

TEST(RecoveryNames, MicrophoneByNameNeverTheLoopback) {
    auto device = [](const char* uid, const char* name) {
        AudioDeviceDescription d;
        d.UID = uid;
        d.name = name;
        return EZAudioDevice(d);
    };
    struct Case {
        std::vector<EZAudioDevice> inputs;
        bool microphone;
    } cases[] = {
        {{}, false},
        {{device("BlackHole2ch_UID", "BlackHole 2ch Microphone")}, false},
        {{device("ZR-InputDevice", "ZR-InputDevice")}, false},
        {{device("BlackHole2ch_UID", "BlackHole 2ch"), device("m", "MacBook Air Mic")}, true},
        {{device("u", "USB 麦克风")}, true},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(AudioDeviceRecovery::hasMicrophone(cases[i].inputs), cases[i].microphone) << i;
}
