// The record stream against real PulseAudio servers: the sandbox's, whose "microphone" plays a
// 440 Hz sine, and a private one the test stops and starts again.
#include <gtest/gtest.h>

#include <QProcess>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <pthread.h>

#include "PulseAudioCapture.h"
#include "PulseTestServer.h"

namespace {

using namespace std::chrono_literals;

// Collects what the capture hands over, channel by channel.
struct Collector {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::vector<int32_t>> channels;
    size_t buffers = 0;
    bool wrongThread = false;
    bool badSize = false;
    bool badTime = false;

    AudioCapture::BufferHandler handler(int channelCount) {
        channels.assign(channelCount, {});
        return [this, channelCount](std::span<const uint8_t> planar, size_t frames,
                                    double captureTime) {
            // Captured before it arrived, and not long before: the sandbox's latency is small.
            const double now =
                std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
                    .count();
            const double end = captureTime + double(frames) / 44100;
            char name[16] = {};
            pthread_getname_np(pthread_self(), name, sizeof name);
            std::lock_guard lock(mutex);
            wrongThread |= std::strcmp(name, "AudioDataOutput") != 0;
            badSize |= planar.size() != frames * channelCount * 4;
            badTime |= end > now + 0.05 || end < now - 1.0;
            for (int c = 0; c < channelCount; ++c) {
                const auto* block = planar.data() + c * frames * 4;
                for (size_t f = 0; f < frames; ++f) {
                    int32_t v;
                    std::memcpy(&v, block + f * 4, 4);
                    channels[c].push_back(v);
                }
            }
            ++buffers;
            arrived.notify_all();
        };
    }

    // Waits (generously) until `frames` samples per channel have come in.
    bool waitForFrames(size_t frames) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, 20s, [&] { return channels[0].size() >= frames; });
    }
    size_t frames() {
        std::lock_guard lock(mutex);
        return channels[0].size();
    }
};

// Sign changes per second of a sampled signal, i.e. twice its frequency for a sine.
double crossingsPerSecond(const std::vector<int32_t>& samples, int rate) {
    size_t crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    return double(crossings) * rate / double(samples.size());
}

} // namespace

TEST(PulseAudioCapture, DeliversThePlanarSineOnTheAudioQueue) {
    struct Case {
        const char* uid;
        double hz;
    } cases[] = {{"microphone", 440}, {"", 440}, {"builtin_mic", 440}};
    PulseTestServer server;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uid);
        Collector got;
        PulseAudioCapture capture;
        capture.start(c.uid, 44100, 2, got.handler(2));
        ASSERT_TRUE(got.waitForFrames(44100));
        EXPECT_TRUE(capture.isRunning());
        capture.stop();
        EXPECT_FALSE(capture.isRunning());
        size_t afterStop = got.frames();

        std::lock_guard lock(got.mutex);
        EXPECT_FALSE(got.wrongThread);
        EXPECT_FALSE(got.badSize);
        EXPECT_FALSE(got.badTime);
        // Interleaved data read as planar would show half (or twice) the frequency.
        EXPECT_NEAR(crossingsPerSecond(got.channels[0], 44100), 2 * c.hz, 2 * c.hz * 0.03);
        EXPECT_EQ(got.channels[0], got.channels[1]); // a mono source fills both channels alike
        int32_t peak = 0;
        for (int32_t v : got.channels[0])
            peak = std::max(peak, v);
        EXPECT_GT(peak, INT32_MAX / 8);               // real signal, not silence
        EXPECT_EQ(got.channels[0].size(), afterStop); // nothing after stop returned
    }
}

TEST(PulseAudioCapture, ARestartReplacesTheStream) {
    Collector first, second;
    PulseAudioCapture capture;
    capture.start("microphone", 44100, 2, first.handler(2));
    ASSERT_TRUE(first.waitForFrames(4410));
    capture.start("microphone", 48000, 1, second.handler(1));
    size_t firstFrames = first.frames();
    ASSERT_TRUE(second.waitForFrames(48000));
    capture.stop();
    EXPECT_EQ(first.frames(), firstFrames);
    std::lock_guard lock(second.mutex);
    EXPECT_FALSE(second.badSize);
    EXPECT_FALSE(second.badTime);
    EXPECT_NEAR(crossingsPerSecond(second.channels[0], 48000), 880, 880 * 0.03);
}

TEST(PulseAudioCapture, ComesBackWhenTheServerReturns) {
    const QString dir = QString::fromUtf8(std::getenv("TAPEDECK_TEST_ROOT")) + "/second-server";
    const QString socket = dir + "/native";
    QProcess::execute("mkdir", {"-p", dir});
    const QString config = dir + "/pulse.pa";
    {
        FILE* f = std::fopen(config.toUtf8().constData(), "w");
        ASSERT_NE(f, nullptr);
        std::fprintf(f,
                     "load-module module-native-protocol-unix auth-anonymous=1 socket=%s\n"
                     "load-module module-sine-source source_name=tone frequency=1000 rate=44100\n",
                     socket.toUtf8().constData());
        std::fclose(f);
    }
    auto startServer = [&](QProcess& p) {
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start("pulseaudio", {"-n", "-F", config, "--daemonize=no", "--exit-idle-time=-1",
                               "--use-pid-file=no", "--disallow-exit"});
        ASSERT_TRUE(p.waitForStarted());
    };
    setenv("PULSE_SERVER", ("unix:" + socket).toUtf8().constData(), 1);

    // Started before the server exists: it waits for it.
    Collector got;
    PulseAudioCapture capture;
    capture.start("tone", 44100, 2, got.handler(2));
    EXPECT_FALSE(capture.isRunning());
    {
        QProcess server;
        startServer(server);
        ASSERT_TRUE(got.waitForFrames(4410));
        server.kill();
        server.waitForFinished();
    }
    size_t beforeOutage = got.frames();
    {
        QProcess server;
        startServer(server);
        ASSERT_TRUE(got.waitForFrames(beforeOutage + 44100));
        capture.stop();
        server.kill();
        server.waitForFinished();
    }
    std::lock_guard lock(got.mutex);
    std::vector<int32_t> resumed(got.channels[0].begin() + beforeOutage, got.channels[0].end());
    EXPECT_NEAR(crossingsPerSecond(resumed, 44100), 2000, 2000 * 0.03);
}
