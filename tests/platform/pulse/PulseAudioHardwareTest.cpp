// Devices, defaults and virtual devices on the private PulseAudio server of the test sandbox.
#include <gtest/gtest.h>

#include <cstdlib>

#include "PulseAudioHardware.h"
#include "PulseDeviceNames.h"
#include "PulseTestServer.h"

namespace {

const AudioDeviceDescription* find(const std::vector<AudioDeviceDescription>& list,
                                   const QString& uid) {
    for (const AudioDeviceDescription& d : list)
        if (d.UID == uid)
            return &d;
    return nullptr;
}

int count(const std::vector<AudioDeviceDescription>& list, const QString& uid) {
    int n = 0;
    for (const AudioDeviceDescription& d : list)
        n += d.UID == uid;
    return n;
}

QString pactlDefault(const char* what) {
    return shellOutput(QString("pactl ") + what);
}

} // namespace

TEST(PulseAudioHardware, SinksAreOutputsSourcesInputsAndMonitorsStayHidden) {
    PulseTestServer server;
    PulseAudioHardware hardware;
    std::vector<AudioDeviceDescription> all = hardware.devices();

    struct Case {
        const char* uid;
        const char* name;
        bool input, output;
    } cases[] = {{"builtin_out", "Built-in Output", false, true},
                 {"headphones", "Headphones", false, true},
                 {"builtin_mic", "Built-in Microphone", true, false},
                 {"microphone", "Built-in Microphone", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uid);
        const AudioDeviceDescription* d = find(all, c.uid);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->name, c.name);
        EXPECT_EQ(d->inputChannelCount > 0, c.input);
        EXPECT_EQ(d->outputChannelCount > 0, c.output);
        EXPECT_EQ(d->manufacturer, "?");
    }
    EXPECT_EQ(find(all, "builtin_out.monitor"), nullptr);
    EXPECT_EQ(find(hardware.inputDevices(), "headphones"), nullptr);

    // Identifiers are unique across sinks and sources.
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(all[i].deviceID, all[j].deviceID) << all[i].UID.toStdString();
}

TEST(PulseAudioHardware, ListsAreFreshAtEveryCall) {
    PulseAudioHardware hardware;
    size_t before = hardware.devices().size();
    {
        PulseTestServer server;
        EXPECT_EQ(hardware.devices().size(), before + 4);
    }
    EXPECT_EQ(hardware.devices().size(), before);
}

TEST(PulseAudioHardware, LoopbackIsBothSidesAndLoadedOnlyWhenAbsent) {
    {
        PulseAudioHardware hardware;
        ASSERT_EQ(hardware.installLoopbackDevice(), 0);
        ASSERT_EQ(hardware.installLoopbackDevice(), 0);
        std::vector<AudioDeviceDescription> all = hardware.devices();
        EXPECT_EQ(count(all, "BlackHole2ch_UID"), 1);
        const AudioDeviceDescription* loop = find(all, "BlackHole2ch_UID");
        ASSERT_NE(loop, nullptr);
        EXPECT_EQ(loop->name, "BlackHole 2ch");
        EXPECT_EQ(loop->inputChannelCount, 2);
        EXPECT_EQ(loop->outputChannelCount, 2);
        EXPECT_NE(find(hardware.inputDevices(), "BlackHole2ch_UID"), nullptr);

        // A second process finds it there and leaves it alone at its end.
        PulseAudioHardware other;
        EXPECT_EQ(other.installLoopbackDevice(), 0);
    }
    EXPECT_EQ(find(PulseAudioHardware().devices(), "BlackHole2ch_UID"), nullptr);
}

TEST(PulseAudioHardware, AggregatesAreBuiltAndTakenDown) {
    PulseTestServer server;
    PulseAudioHardware hardware;
    ASSERT_EQ(hardware.installLoopbackDevice(), 0);
    ASSERT_EQ(
        hardware.createAggregateDevice("ZR-OutputDevice", "builtin_out", "BlackHole2ch_UID", true),
        0);
    ASSERT_EQ(
        hardware.createAggregateDevice("ZR-InputDevice", "builtin_mic", "BlackHole2ch_UID", false),
        0);
    std::vector<AudioDeviceDescription> all = hardware.devices();
    const AudioDeviceDescription* out = find(all, "ZR-OutputDevice");
    const AudioDeviceDescription* in = find(all, "ZR-InputDevice");
    ASSERT_NE(out, nullptr);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(out->name, "ZR-OutputDevice");
    EXPECT_EQ(out->inputChannelCount, 0);
    EXPECT_EQ(in->name, "ZR-InputDevice");
    EXPECT_GT(in->inputChannelCount, 0);
    EXPECT_EQ(shellOutput("pactl list short modules | grep -c 'sink=\"ZR-InputDevice\"'"), "2");

    EXPECT_EQ(hardware.destroyAggregateDevice(out->deviceID), 0);
    EXPECT_EQ(hardware.destroyAggregateDevice(in->deviceID), 0);
    all = hardware.devices();
    EXPECT_EQ(find(all, "ZR-OutputDevice"), nullptr);
    EXPECT_EQ(find(all, "ZR-InputDevice"), nullptr);
    EXPECT_EQ(shellOutput("pactl list short modules | grep -c ZR-InputDevice"), "0");
    EXPECT_NE(hardware.destroyAggregateDevice(12345), 0);
}

TEST(PulseAudioHardware, InputAggregateOfAMissingDeviceLeavesNothing) {
    PulseAudioHardware hardware;
    EXPECT_NE(
        hardware.createAggregateDevice("ZR-InputDevice", "microphone", "no_such_device", false), 0);
    EXPECT_EQ(find(hardware.devices(), "ZR-InputDevice"), nullptr);
}

TEST(PulseAudioHardware, DefaultsSwitchAndComeBack) {
    PulseTestServer server;
    const QString sink = pactlDefault("get-default-sink");
    const QString source = pactlDefault("get-default-source");
    {
        PulseAudioHardware hardware;
        ASSERT_EQ(hardware.installLoopbackDevice(), 0);
        EXPECT_EQ(hardware.defaultDevice(false)->UID, sink);
        EXPECT_EQ(hardware.defaultDevice(true)->UID, source);

        ASSERT_EQ(hardware.setDefaultDevice(false, "headphones"), 0);
        ASSERT_EQ(hardware.setDefaultDevice(true, "BlackHole2ch_UID"), 0);
        ASSERT_EQ(hardware.setDefaultDevice(true, "builtin_mic"), 0);
        EXPECT_EQ(pactlDefault("get-default-sink"), "headphones");
        EXPECT_EQ(pactlDefault("get-default-source"), "builtin_mic");
        EXPECT_EQ(hardware.defaultDevice(false)->name, "Headphones");
        ASSERT_EQ(hardware.setDefaultDevice(true, "BlackHole2ch_UID"), 0);
        EXPECT_EQ(hardware.defaultDevice(true)->UID, "BlackHole2ch_UID");
        EXPECT_NE(hardware.setDefaultDevice(false, "no_such_sink"), 0);
    }
    // The process's end puts back what was there before it.
    EXPECT_EQ(pactlDefault("get-default-sink"), sink);
    EXPECT_EQ(pactlDefault("get-default-source"), source);
}

TEST(PulseAudioHardware, NoServerMeansNoDevices) {
    setenv("PULSE_SERVER", "unix:/nonexistent/socket", 1);
    PulseAudioHardware hardware;
    EXPECT_TRUE(hardware.devices().empty());
    EXPECT_TRUE(hardware.inputDevices().empty());
    EXPECT_FALSE(hardware.defaultDevice(true));
    EXPECT_NE(hardware.setDefaultDevice(true, "microphone"), 0);
    EXPECT_NE(hardware.createAggregateDevice("ZR-OutputDevice", "a", "b", true), 0);
}

TEST(PulseAudioHardware, CaptureCardsAreNamedAsMicrophones) {
    const struct {
        const char* description;
        const char* name;
    } cases[] = {{"Built-in Audio Analog Stereo", "Built-in Audio Analog Stereo Microphone"},
                 {"HD Webcam C270 Mono", "HD Webcam C270 Mono Microphone"},
                 {"Built-in Microphone", "Built-in Microphone"},
                 {"USB microphone", "USB microphone"}};
    for (const auto& c : cases)
        EXPECT_EQ(hardwareInputName(c.description), QString(c.name)) << c.description;
}
