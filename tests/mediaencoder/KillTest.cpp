// A recorder killed without warning still leaves a file that opens and plays up to shortly
// before the kill, in every container.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "EncodeHarness.h"
#include "MediaProbe.h"

using namespace testsupport;

namespace {

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

class KilledRecorder : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(KilledRecorder, LeavesAPlayableFile) {
    const std::string ext = GetParam();
    const bool video = ext != ".mp3" && ext != ".wav" && ext != ".m4a";
    RecordingPlan plan{.path = scratchDir("kill" + ext) + "/rec" + ext, .video = video};
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
    ASSERT_TRUE(f.opened) << ext;
    if (video) {
        ASSERT_NE(f.video(), nullptr) << ext;
        EXPECT_GT(f.video()->frames, 0) << ext;
        EXPECT_GE(f.video()->endSeconds, pushedMs / 1000.0 - 2.0) << ext;
    }
    ASSERT_NE(f.audio(), nullptr) << ext;
    EXPECT_GE(f.audio()->samples, (pushedMs / 1000.0 - 2.0) * 44100) << ext;
}

INSTANTIATE_TEST_SUITE_P(Containers, KilledRecorder,
                         ::testing::Values(".mp4", ".mov", ".m4v", ".flv", ".avi", ".mp3", ".wav",
                                           ".m4a"),
                         [](const auto& info) { return std::string(info.param + 1); });
