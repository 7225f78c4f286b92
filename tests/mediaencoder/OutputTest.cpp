// Records into every container and reads the result back with libavformat.
#include <gtest/gtest.h>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

#include "EncodeHarness.h"
#include "MediaProbe.h"
#include "TestSignal.h"

using namespace testsupport;

namespace {

struct ContainerCase {
    const char* ext;
    bool video;
    const char* videoCodec;
    const char* audioCodec;
};

class EveryContainer : public ::testing::TestWithParam<ContainerCase> {};

// In the child: records in real time and reports each second pushed through the pipe.
[[noreturn]] void recordForever(const RecordingPlan& plan, int progress) {
    MediaEncoder* h = startEncoder(plan);
    if (!h)
        _exit(2);
    Pusher p{plan, h};
    auto start = std::chrono::steady_clock::now();
    for (int64_t ms = 0;; ms += 100) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(ms + 100));
        p.span(ms, ms + 100);
        if ((ms + 100) % 1000 == 0) {
            int64_t done = ms + 100;
            if (write(progress, &done, sizeof done) != sizeof done)
                _exit(3);
        }
    }
}

} // namespace

TEST_P(EveryContainer, TwoSecondsReadBack) {
    const ContainerCase& c = GetParam();
    RecordingPlan plan{.path = scratchDir(std::string("out") + c.ext) + "/rec" + c.ext,
                       .video = c.video};
    ASSERT_EQ(record(plan, 2.0), 0);

    ProbedFile f = probeMedia(plan.path);
    ASSERT_TRUE(f.opened);
    EXPECT_EQ(f.decodeErrors, 0);
    if (c.video) {
        ASSERT_NE(f.video(), nullptr);
        EXPECT_EQ(f.video()->codec, c.videoCodec);
        EXPECT_EQ(f.video()->width, 320);
        EXPECT_EQ(f.video()->height, 240);
        EXPECT_NEAR(double(f.video()->frames), 60, 1);
        EXPECT_TRUE(f.video()->startsWithKeyFrame);
        // The first picture is shown with the first sound (AAC priming in FLV aside), not a
        // decoding delay later.
        ASSERT_FALSE(f.video()->times.empty());
        EXPECT_NEAR(f.video()->times.front(), 0.0, 0.025);
    } else {
        EXPECT_EQ(f.video(), nullptr);
    }
    ASSERT_NE(f.audio(), nullptr);
    EXPECT_EQ(f.audio()->codec, c.audioCodec);
    EXPECT_EQ(f.audio()->sampleRate, 44100);
    EXPECT_EQ(f.audio()->channels, 2);
    // Encoders add or trim a frame of priming at most.
    EXPECT_NEAR(double(f.audio()->samples), 88200, 2304);
    EXPECT_NEAR(f.length(), 2.0, 0.1);
}

// A recorder killed without warning still leaves a file that opens and plays up to shortly
// before the kill.
TEST_P(EveryContainer, KilledRecorderLeavesAPlayableFile) {
    const ContainerCase& c = GetParam();
    RecordingPlan plan{.path = scratchDir(std::string("kill") + c.ext) + "/rec" + c.ext,
                       .video = c.video};
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(fds[0]);
        recordForever(plan, fds[1]);
    }
    close(fds[1]);
    int64_t pushedMs = 0;
    while (pushedMs < 4000)
        ASSERT_EQ(read(fds[0], &pushedMs, sizeof pushedMs), ssize_t(sizeof pushedMs));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(fds[0]);
    ASSERT_TRUE(WIFSIGNALED(status));

    ProbedFile f = probeMedia(plan.path);
    ASSERT_TRUE(f.opened);
    if (c.video) {
        ASSERT_NE(f.video(), nullptr);
        EXPECT_GT(f.video()->frames, 0);
        EXPECT_GE(f.video()->endSeconds, pushedMs / 1000.0 - 2.0);
    }
    ASSERT_NE(f.audio(), nullptr);
    EXPECT_GE(f.audio()->samples, (pushedMs / 1000.0 - 2.0) * 44100);
}

// A disk that fills up mid-recording: the encoder stops at the first failed write, the file ends
// at its last whole packet, and what it holds decodes without a single error.
TEST_P(EveryContainer, FullDiskLeavesAFileThatDecodes) {
    const ContainerCase& c = GetParam();
    const std::string dir = scratchDir(std::string("full") + c.ext);
    RecordingPlan plan{.path = dir + "/disk/rec" + c.ext, .video = c.video, .noise = true};
    std::filesystem::create_directories(dir + "/disk");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A small filesystem of the child's own; where mounting is not allowed, a file size
        // limit fails the writes the same way (EFBIG instead of ENOSPC).
        const bool mounted = unshare(CLONE_NEWNS) == 0 &&
                             mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                             mount("tmpfs", (dir + "/disk").c_str(), "tmpfs", 0, "size=768k") == 0;
        if (!mounted) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{768 << 10, 768 << 10};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        MediaEncoder* h = startEncoder(plan);
        if (!h)
            _exit(2);
        Pusher p{plan, h};
        for (int64_t ms = 0; ms < 120000 && apiEncodeIsDone(h) == 0; ms += 250)
            p.span(ms, ms + 250);
        const bool failed = finishEncoder(h) == MEDIA_ENCODER_EIO;
        if (mounted) {
            std::filesystem::copy_file(plan.path, dir + "/rec" + c.ext);
        } else {
            std::filesystem::rename(plan.path, dir + "/rec" + c.ext);
        }
        _exit(failed ? 0 : 3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    ProbedFile f = probeMedia(dir + "/rec" + c.ext);
    ASSERT_TRUE(f.opened);
    EXPECT_EQ(f.decodeErrors, 0);
    ASSERT_NE(f.audio(), nullptr);
    EXPECT_GT(f.length(), 0.5);
    EXPECT_TRUE(!c.video || (f.video() && f.video()->frames > 15));
}

INSTANTIATE_TEST_SUITE_P(Containers, EveryContainer,
                         ::testing::Values(ContainerCase{".mp4", true, "h264", "aac"},
                                           ContainerCase{".mov", true, "h264", "aac"},
                                           ContainerCase{".m4v", true, "h264", "aac"},
                                           ContainerCase{".flv", true, "h264", "aac"},
                                           ContainerCase{".avi", true, "h264", "mp3"},
                                           ContainerCase{".mp3", false, "", "mp3"},
                                           ContainerCase{".wav", false, "", "pcm_s16le"},
                                           ContainerCase{".m4a", false, "", "aac"}),
                         [](const auto& info) { return std::string(info.param.ext + 1); });

TEST(Output, PauseLeavesAGapInVideoTimes) {
    for (const char* ext : {".mp4", ".flv", ".avi"}) {
        RecordingPlan plan{.path = scratchDir("pause") + "/rec" + ext, .audio = false};
        MediaEncoder* h = startEncoder(plan);
        ASSERT_NE(h, nullptr);
        Pusher p{plan, h};
        p.span(0, 1000);
        p.span(3000, 4000); // resumed two seconds later
        ASSERT_EQ(finishEncoder(h), 0);

        ProbedFile f = probeMedia(plan.path);
        ASSERT_NE(f.video(), nullptr) << ext;
        const auto& times = f.video()->times;
        ASSERT_FALSE(times.empty()) << ext;
        EXPECT_NEAR(times.back() - times.front(), 4.0 - 1.0 / 30, 0.005) << ext;
        // One picture per pushed frame; the gap stays (AVI fills it with repeat markers).
        EXPECT_EQ(f.video()->frames, 60) << ext;
        double gap = 0;
        for (size_t i = 1; i < times.size(); ++i)
            gap = std::max(gap, times[i] - times[i - 1]);
        EXPECT_NEAR(gap, 2.0 + 1.0 / 30, 0.05) << ext;
    }
}

TEST(Output, FramesRefusedWhileTheEncoderIsBehindLeaveNoGapAndStayCounted) {
    // 4K noise converts several times faster than it encodes: pushed back to back, frames are
    // refused as soon as the waiting pictures fill their budget.
    RecordingPlan plan{
        .path = scratchDir("behind") + "/rec.mp4", .audio = false, .width = 3840, .height = 2160};
    MediaEncoder* h = startEncoder(plan);
    ASSERT_NE(h, nullptr);
    std::vector<std::vector<uint8_t>> pictures(2, std::vector<uint8_t>(3840 * 2160 * 4));
    for (size_t i = 0; i < pictures.size(); ++i)
        tapedeck::paintTestFrame(pictures[i].data(), 3840, 2160, 3840 * 4, int64_t(i), true);
    int refused = 0;
    for (int i = 0; i < 16; ++i) {
        std::vector<uint8_t>& px = pictures[size_t(i) % 2];
        MediaVideoFrame f{MEDIA_ENCODER_PIXEL_BGRA, 3840, 2160, 3840 * 4, px.data(),
                          int32_t(px.size()),       0};
        refused += apiEncoderPushVideo(h, &f, i * 1000 / 30) == 1;
    }
    drainEncoder(h);
    EXPECT_GT(refused, 0);
    EXPECT_EQ(apiEncoderGetDroppedFrames(h), refused);
    EXPECT_EQ(apiEncoderClose(h), 0);
    ProbedFile f = probeMedia(plan.path);
    ASSERT_NE(f.video(), nullptr);
    EXPECT_EQ(f.video()->frames, 16);
}

TEST(Output, FramesAreScaledToFitWithBlackBarsAndAnOddSizeLosesItsLastLine) {
    struct Case {
        int width, height, outWidth, outHeight, wantWidth, wantHeight;
    } cases[] = {{640, 240, 320, 240, 320, 240}, {301, 201, 0, 0, 300, 200}};
    for (const Case& c : cases) {
        RecordingPlan plan{.path = scratchDir("fit") + "/rec.mp4",
                           .audio = false,
                           .width = c.width,
                           .height = c.height,
                           .outWidth = c.outWidth,
                           .outHeight = c.outHeight};
        ASSERT_EQ(record(plan, 0.3), 0);
        ProbedFile f = probeMedia(plan.path);
        ASSERT_NE(f.video(), nullptr);
        EXPECT_EQ(f.video()->width, c.wantWidth);
        EXPECT_EQ(f.video()->height, c.wantHeight);
        if (c.outWidth) {
            uint8_t top[3], middle[3];
            ASSERT_TRUE(pixelAt(plan.path, 5, 160, 20, top));
            ASSERT_TRUE(pixelAt(plan.path, 5, 300, 120, middle));
            EXPECT_LT(top[0] + top[1] + top[2], 30);           // the bar above the picture
            EXPECT_GT(middle[0] + middle[1] + middle[2], 150); // the ramp's bright end
        }
    }
}

TEST(Output, VideoAndAudioFromTwoThreadsAtOnceWithCountersFollowingTheFile) {
    RecordingPlan plan{.path = scratchDir("threads") + "/rec.flv"};
    MediaEncoder* h = startEncoder(plan);
    ASSERT_NE(h, nullptr);
    RecordingPlan videoOnly = plan, audioOnly = plan;
    videoOnly.audio = false;
    audioOnly.video = false;
    Pusher pv{videoOnly, h}, pa{audioOnly, h};
    std::thread v([&] { pv.span(0, 3000); });
    std::thread a([&] { pa.span(0, 3000); });
    // Readers poll meanwhile, as the recording window does.
    int64_t lastSize = 0;
    for (int i = 0; i < 50; ++i) {
        int64_t size = apiEncoderGetFileSize(h);
        EXPECT_GE(size, lastSize);
        lastSize = size;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    v.join();
    a.join();
    drainEncoder(h);
    EXPECT_EQ(apiEncoderGetFileSize(h), int64_t(std::filesystem::file_size(plan.path)));
    EXPECT_NEAR(double(apiEncoderGetEncodedTimestamp(h)), 3000 - 1000.0 / 30, 1);
    EXPECT_EQ(apiEncoderGetDroppedFrames(h), pv.waits); // each refused push counted once
    ASSERT_EQ(apiEncoderClose(h), 0);
    ProbedFile f = probeMedia(plan.path);
    ASSERT_NE(f.video(), nullptr);
    ASSERT_NE(f.audio(), nullptr);
    EXPECT_NEAR(double(f.video()->frames), 90, 1);
    EXPECT_NEAR(double(f.audio()->samples), 3 * 44100, 2304);
}
