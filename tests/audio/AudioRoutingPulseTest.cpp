// Routing on the real PulseAudio server of the sandbox: played sound reaches the loop-back
// device through the output aggregate, and each source type records what it should.
#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>
#include <condition_variable>
#include <mutex>
#include <span>

#include "AudioRouting.h"
#include "PulseAudioCapture.h"
#include "PulseAudioHardware.h"
#include "PulseTestServer.h"

namespace {

using namespace std::chrono_literals;

const int kRate = 44100;

// Relative strength of one frequency in a block (Goertzel), 0..~1 for a full-scale sine.
double blockStrength(std::span<const double> x, double hz) {
    const double w = 2 * M_PI * hz / kRate;
    double s1 = 0, s2 = 0;
    for (double v : x) {
        double s = v + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    double power = s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
    return 2 * std::sqrt(std::max(power, 0.0)) / double(x.size());
}

// Averaged over 0.1 s blocks, so that the slight rate adjustments of the server's resamplers
// do not move a tone out of a too narrow band.
double strength(const std::vector<double>& x, double hz) {
    const size_t block = kRate / 10;
    double sum = 0;
    size_t n = 0;
    for (size_t at = 0; at + block <= x.size(); at += block, ++n)
        sum += blockStrength(std::span(x).subspan(at, block), hz);
    return n ? sum / double(n) : 0;
}

// One second of channel one from the device, skipping the first buffers while the loops fill.
std::vector<double> record(const QString& uid) {
    std::mutex mutex;
    std::condition_variable done;
    std::vector<double> samples;
    size_t skipped = 0;
    PulseAudioCapture capture;
    capture.start(uid, kRate, 2, [&](std::span<const uint8_t> planar, size_t frames, double) {
        std::lock_guard lock(mutex);
        if (skipped < size_t(kRate) / 2) {
            skipped += frames;
            return;
        }
        const auto* one = reinterpret_cast<const int32_t*>(planar.data());
        for (size_t f = 0; f < frames; ++f)
            samples.push_back(one[f] / 2147483648.0);
        done.notify_all();
    });
    {
        std::unique_lock lock(mutex);
        done.wait_for(lock, 20s, [&] { return samples.size() >= size_t(kRate); });
    }
    capture.stop();
    samples.resize(std::min(samples.size(), size_t(kRate)));
    return samples;
}

class RoutingOnPulse : public ::testing::Test {
protected:
    void SetUp() override {
        EZAudioDevice::setAudioSystem(&hardware);
        ASSERT_EQ(hardware.installLoopbackDevice(), 0);
    }
    void TearDown() override {
        routing.reset();
        EZAudioDevice::setAudioSystem(nullptr);
    }
    void route(unsigned type) {
        routing = std::make_unique<AudioRouting>(AudioRouting::Hooks{
            [] { return 0; }, [] {},
            [this](int, std::function<void()> task) { pending.push_back(std::move(task)); }});
        for (auto& task : pending)
            task();
        pending.clear();
        routing->switchRecordType(type);
    }

    PulseTestServer server;
    PulseAudioHardware hardware;
    std::unique_ptr<AudioRouting> routing;
    std::vector<std::function<void()>> pending;
};

} // namespace

TEST_F(RoutingOnPulse, EachSourceTypeRecordsItsSound) {
    // Sound played to the default output while recording: 1 kHz after the switch.
    struct Case {
        unsigned type;
        bool tone, microphone;
    } cases[] = {{0, true, false}, {1, false, true}, {2, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        route(c.type);
        ASSERT_TRUE(routing->selectInputDevice);
        // What the system now plays goes to the aggregate: a 1 kHz tone from an application.
        int player = server.load("module-sine sink=@DEFAULT_SINK@ frequency=1000");
        std::vector<double> got = record(routing->selectInputDevice->UID);
        shellOutput(QString("pactl unload-module %1").arg(player));
        ASSERT_EQ(got.size(), size_t(kRate));
        const double noise = strength(got, 3100);
        EXPECT_EQ(strength(got, 1000) > 0.05, c.tone) << strength(got, 1000);
        EXPECT_EQ(strength(got, 440) > 0.05, c.microphone) << strength(got, 440);
        EXPECT_LT(noise, 0.02);
    }
}

TEST_F(RoutingOnPulse, TheListeningDeviceStillHearsThePlayedSound) {
    route(0);
    int player = server.load("module-sine sink=@DEFAULT_SINK@ frequency=1000");
    ASSERT_TRUE(routing->builtOutputDevice);
    std::vector<double> heard = record(routing->builtOutputDevice->UID + ".monitor");
    shellOutput(QString("pactl unload-module %1").arg(player));
    EXPECT_GT(strength(heard, 1000), 0.05);
}

TEST_F(RoutingOnPulse, QuitPutsTheServerBackAsItWas) {
    const QString sink = shellOutput("pactl get-default-sink");
    const QString source = shellOutput("pactl get-default-source");
    route(2);
    ASSERT_EQ(shellOutput("pactl get-default-sink"), "ZR-OutputDevice");
    routing->removeAggregatesAndRestoreDefaults();
    EXPECT_EQ(shellOutput("pactl get-default-sink"), sink);
    EXPECT_EQ(shellOutput("pactl get-default-source"), source);
    const QString sinks = shellOutput("pactl list short sinks");
    EXPECT_FALSE(sinks.contains("ZR-")) << sinks.toStdString();
}
