// The PulseAudio backend against the sandbox's private server, PulseAudio or PipeWire's
// PulseAudio service: the device list with Tapedeck's own devices, and capture of system
// sound (a 1 kHz tone played to the default output), the microphone (441 Hz) and both, with
// pitch, level, start-up, a switch of the default output, a source and a server that go away.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "PulseAudioCapture.h"
#include "PulseAudioHardware.h"
#include "TestProcess.h"

namespace {

using namespace std::chrono_literals;
const int kRate = 44100;

QString run(const QString& command) {
    return runTool("bash", {"-c", command}).trimmed();
}

double now() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The server as Tapedeck must leave it: its modules, defaults and devices.
QString serverState() {
    return run("pactl list short modules | cut -f2-; pactl get-default-sink; "
               "pactl get-default-source; pactl list short sinks | cut -f2");
}

// A tone played by its own process, into `sink` (empty: the default output, following it).
struct Tone {
    std::unique_ptr<SpawnedProcess> player;
    Tone(int hz, const QString& sink = {}) {
        const QString file =
            qEnvironmentVariable("TAPEDECK_TEST_ROOT") + QString("/%1.wav").arg(hz);
        run(QString("[ -e %1 ] || ffmpeg -v error -f lavfi -i sine=frequency=%2:sample_rate=48000:"
                    "duration=120 -af volume=%3 -ac 2 %1")
                .arg(file)
                .arg(hz ? hz : 1000)
                .arg(hz ? 4 : 0)); // 0 Hz: silence
        // A short buffer, as a real output has: the sandbox's null sinks otherwise render
        // seconds at a time.
        QStringList args{"--latency-msec=60", file};
        if (!sink.isEmpty())
            args << "-d" << sink;
        player = std::make_unique<SpawnedProcess>("paplay", args);
    }
};

// Channel one of what a capture delivers, with the capture time of the first sample.
struct Recording {
    std::mutex mutex;
    std::condition_variable more;
    std::vector<double> samples;
    double first = 0;          // capture time of the first sample
    std::vector<bool> missing; // every report, in order
    PulseAudioCapture capture;

    explicit Recording(PulseAudioHardware& hardware) : capture(hardware) {
        capture.setMissingHandler([this](bool gone, const QString&) {
            std::lock_guard lock(mutex);
            missing.push_back(gone);
        });
    }
    void start(const QString& uid) {
        capture.start(uid, kRate, 2,
                      [this](std::span<const uint8_t> data, size_t frames, double at) {
                          std::lock_guard lock(mutex);
                          if (samples.empty())
                              first = at;
                          // Contiguous on the recording clock: each buffer follows the one before.
                          EXPECT_NEAR(at, first + double(samples.size()) / kRate, 1e-6);
                          const auto* s = reinterpret_cast<const int32_t*>(data.data());
                          for (size_t f = 0; f < frames; ++f)
                              samples.push_back(s[2 * f] / 2147483648.0);
                          more.notify_all();
                      });
    }
    // Waits until `seconds` of sound have come in; returns them from `from` seconds on.
    std::vector<double> until(double seconds, double from = 0) {
        std::unique_lock lock(mutex);
        EXPECT_TRUE(more.wait_for(lock, 20s, [&] { return samples.size() >= seconds * kRate; }));
        return {samples.begin() + std::min(samples.size(), size_t(from * kRate)), samples.end()};
    }
};

// Strength of one frequency (Goertzel), about the amplitude for a steady sine.
double level(const std::vector<double>& x, double hz) {
    const double w = 2 * M_PI * hz / kRate;
    double s1 = 0, s2 = 0;
    for (double v : x) {
        const double s = v + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return 2 * std::sqrt(std::max(s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2, 0.0)) /
           double(x.size());
}

// The frequency of a lone sine from its upward zero crossings, the median over quarter
// seconds, so that a glitch of the player does not count as a change of pitch.
double pitch(const std::vector<double>& x) {
    std::vector<double> quarters;
    for (size_t at = 0; at + kRate / 4 <= x.size(); at += kRate / 4) {
        double first = -1, last = -1;
        int periods = -1;
        for (size_t i = at + 1; i < at + kRate / 4; ++i)
            if (x[i - 1] < 0 && x[i] >= 0) {
                last = double(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
                first = first < 0 ? last : first;
                ++periods;
            }
        quarters.push_back(periods > 0 ? periods * kRate / (last - first) : 0);
    }
    std::nth_element(quarters.begin(), quarters.begin() + quarters.size() / 2, quarters.end());
    return quarters.empty() ? 0 : quarters[quarters.size() / 2];
}

// The longest run of near-silence, in seconds.
double longestSilence(const std::vector<double>& x) {
    size_t run = 0, longest = 0;
    for (double v : x) {
        run = std::abs(v) < 0.01 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return double(longest) / kRate;
}

// What plays while the tests record: a tone to the default output, a tone into the wire of a
// microphone of the tests' own (so that it can be pulled out), and silence to "Headphones", so
// that every sink runs with a short buffer as real outputs do: the sandbox's idle null sinks
// render seconds at a time, and a sink takes up a new player only at its next turn.
class PulseAudio : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        modules = run("pactl load-module module-null-sink sink_name=headphones; "
                      "pactl load-module module-null-sink sink_name=usb_wire");
        players.push_back(std::make_unique<Tone>(1000));
        players.push_back(std::make_unique<Tone>(441, "usb_wire"));
        players.push_back(std::make_unique<Tone>(0, "headphones"));
        std::this_thread::sleep_for(2500ms);
    }
    static void TearDownTestSuite() {
        players.clear();
        run("for m in " + modules.simplified() + "; do pactl unload-module $m; done");
    }
    static inline QString modules;
    static inline std::vector<std::unique_ptr<Tone>> players;
};

const AudioDeviceDescription* find(const std::vector<AudioDeviceDescription>& list,
                                   const QString& uid) {
    const auto at = std::ranges::find(list, uid, &AudioDeviceDescription::UID);
    return at == list.end() ? nullptr : &*at;
}

} // namespace

TEST_F(PulseAudio, OwnDevicesLiveInTheProcessAndTheServerIsNeverChanged) {
    const QString before = serverState();
    PulseAudioHardware hardware;
    std::vector<AudioDeviceDescription> all = hardware.devices();
    const struct {
        const char* uid;
        const char* name;
        qint64 in, out;
    } listed[] = {{"speakers", "Speakers", 0, 2},
                  {"microphone", "Built-in Microphone", 2, 0},
                  {"BlackHole2ch_UID", "BlackHole 2ch", 2, 2}};
    for (const auto& d : listed) {
        SCOPED_TRACE(d.uid);
        const AudioDeviceDescription* got = find(all, d.uid);
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(got->name, d.name);
        EXPECT_EQ(got->inputChannelCount > 0, d.in > 0);
        EXPECT_EQ(got->outputChannelCount, d.out);
    }
    EXPECT_EQ(find(all, "speakers.monitor"), nullptr);
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(all[i].deviceID, all[j].deviceID);

    EXPECT_NE(hardware.createAggregateDevice("ZR-InputDevice", "microphone", "gone", false), 0);
    EXPECT_NE(hardware.createAggregateDevice("ZR-OutputDevice", "speakers", "microphone", true), 0);
    ASSERT_EQ(
        hardware.createAggregateDevice("ZR-InputDevice", "microphone", "BlackHole2ch_UID", false),
        0);
    ASSERT_EQ(
        hardware.createAggregateDevice("ZR-OutputDevice", "speakers", "BlackHole2ch_UID", true), 0);
    EXPECT_NE(
        hardware.createAggregateDevice("ZR-OutputDevice", "speakers", "BlackHole2ch_UID", true), 0);
    ASSERT_EQ(hardware.setDefaultDevice(true, "ZR-InputDevice"), 0);
    ASSERT_EQ(hardware.setDefaultDevice(false, "ZR-OutputDevice"), 0);
    EXPECT_NE(hardware.setDefaultDevice(true, "ZR-OutputDevice"), 0);
    EXPECT_EQ(hardware.defaultDevice(true)->UID, "ZR-InputDevice");
    EXPECT_EQ(hardware.defaultDevice(false)->UID, "ZR-OutputDevice");
    // Another process sees none of it.
    EXPECT_EQ(PulseAudioHardware().defaultDevice(false)->UID, "speakers");
    EXPECT_EQ(find(PulseAudioHardware().devices(), "ZR-InputDevice"), nullptr);
    EXPECT_EQ(serverState(), before);

    all = hardware.devices();
    EXPECT_EQ(hardware.destroyAggregateDevice(find(all, "ZR-InputDevice")->deviceID), 0);
    EXPECT_EQ(find(hardware.devices(), "ZR-InputDevice"), nullptr);
    EXPECT_NE(hardware.destroyAggregateDevice(find(all, "speakers")->deviceID), 0);

    setenv("PULSE_SERVER", "unix:/nonexistent", 1);
    EXPECT_TRUE(PulseAudioHardware().devices().empty());
    EXPECT_FALSE(PulseAudioHardware().defaultDevice(true));
    setenv("PULSE_SERVER",
           qPrintable("unix:" + qEnvironmentVariable("PULSE_RUNTIME_PATH") + "/native"), 1);
}

TEST_F(PulseAudio, EachSourceRecordsItsOwnToneAtItsPitchAndLevel) {
    PulseAudioHardware hardware;
    ASSERT_EQ(
        hardware.createAggregateDevice("ZR-InputDevice", "microphone", "BlackHole2ch_UID", false),
        0);
    // Three recordings at once, as from three Tapedeck windows.
    struct Case {
        const char* uid;
        bool tone, microphone;
        Recording recording;
        std::vector<double> sound;
        double started = 0;
    } cases[] = {{"BlackHole2ch_UID", true, false, Recording(hardware), {}},
                 {"microphone", false, true, Recording(hardware), {}},
                 {"ZR-InputDevice", true, true, Recording(hardware), {}}};
    for (Case& c : cases) {
        c.started = now();
        c.recording.start(c.uid);
    }
    for (Case& c : cases) {
        SCOPED_TRACE(c.uid);
        c.sound = c.recording.until(2.5);
        // Sound from the start of the recording clock, contiguous, without a long silence first
        // (half the 0.1 s a user would notice; sanitizer builds on a loaded machine start slowly).
        EXPECT_LT(c.recording.first - c.started, 0.05);
        size_t first = 0;
        while (first < c.sound.size() && std::abs(c.sound[first]) < 0.01)
            ++first;
        EXPECT_LT(double(first) / kRate, 0.1);
        c.sound.erase(c.sound.begin(), c.sound.begin() + kRate / 2); // steady from here
        EXPECT_EQ(level(c.sound, 1000) > 0.2, c.tone) << level(c.sound, 1000);
        EXPECT_EQ(level(c.sound, 441) > 0.01, c.microphone) << level(c.sound, 441);
        EXPECT_LT(level(c.sound, 3100), 0.005); // nothing else
        if (c.tone != c.microphone) {
            EXPECT_NEAR(pitch(c.sound), c.tone ? 1000 : 441, c.tone ? 1.0 : 0.441); // 0.1 %
        }
    }
    // Mixed at unity gain: each tone as loud as on its own.
    const double alone[] = {level(cases[0].sound, 1000), level(cases[1].sound, 441)};
    EXPECT_NEAR(level(cases[2].sound, 1000), alone[0], 0.05 * alone[0]);
    EXPECT_NEAR(level(cases[2].sound, 441), alone[1], 0.05 * alone[1]);
}

TEST_F(PulseAudio, SystemSoundFollowsASwitchOfTheDefaultOutput) {
    // A tone of its own on "Headphones": heard only once the monitor has followed the switch,
    // and independent of when the server (or WirePlumber) moves the default tone across.
    Tone headphones(700, "headphones");
    PulseAudioHardware hardware;
    Recording r(hardware);
    r.start("BlackHole2ch_UID");
    const std::vector<double> before = r.until(1.0);
    run("pactl set-default-sink headphones");
    const std::vector<double> sound = r.until(3.0, 0.5);
    run("pactl set-default-sink speakers");
    EXPECT_LT(level(before, 700), 0.01);
    EXPECT_GT(level({sound.end() - kRate, sound.end()}, 700), 0.2); // heard after the switch
    EXPECT_LT(longestSilence(sound), 0.1);
}

TEST_F(PulseAudio, ALostSourceOrServerIsSilenceUntilItIsBack) {
    const QString plug =
        "pactl load-module module-remap-source source_name=usb_mic master=usb_wire.monitor";
    QString mic = run(plug);
    PulseAudioHardware hardware;
    Recording r(hardware);
    r.start("usb_mic");
    r.until(1.0);
    EXPECT_TRUE(r.capture.isRunning());
    run("pactl unload-module " + mic);
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(r.capture.isRunning());
    mic = run(plug);
    const double plugged = now();
    std::vector<double> sound = r.until(4.0, 1.0); // sound kept coming while the source was gone
    EXPECT_GT(longestSilence(sound), 0.8);
    EXPECT_GT(level({sound.end() - kRate / 2, sound.end()}, 441), 0.2);
    EXPECT_LT(r.first + 4.0 - plugged, 2.0 + 1.0); // back within 2 s, 1 s later at the latest
    {
        std::lock_guard lock(r.mutex);
        EXPECT_EQ(r.missing, (std::vector<bool>{true, false}));
    }
    run("pactl unload-module " + mic);

    // The whole server goes and comes back: the default input returns by itself.
    Recording server(hardware);
    server.start("");
    server.until(1.0);
    run("\"$TAPEDECK_SOUND_SERVER_CONTROL\" restart");
    const double restarted = now();
    server.until(1.0 + (restarted - server.first - 1.0) + 2.5);
    sound = server.until(0, restarted - server.first + 2.0);
    EXPECT_GT(level(sound, 441), 0.01) << "not back 2 s after the restart";
    std::lock_guard lock(server.mutex);
    EXPECT_EQ(server.missing, (std::vector<bool>{true, false}));
}
