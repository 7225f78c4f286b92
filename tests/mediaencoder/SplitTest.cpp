// Cutting a recording into pieces: every piece plays on its own, starts with a key frame, and
// together they hold exactly what one unsplit file would.
#include <gtest/gtest.h>

#include <filesystem>

#include "EncodeHarness.h"
#include "EncoderSettings.h"
#include "MediaProbe.h"

using namespace testsupport;

namespace {

std::vector<ProbedFile> pieces(const std::string& path) {
    std::vector<ProbedFile> out;
    for (int n = 1; std::filesystem::exists(mediaencoder::piecePath(path, n)); ++n)
        out.push_back(probeMedia(mediaencoder::piecePath(path, n)));
    return out;
}

} // namespace

TEST(Split, ByTimeGivesPiecesOfThatLength) {
    for (const char* ext : {".mp4", ".flv", ".avi"}) {
        RecordingPlan plan{.path = scratchDir("split-time") + "/rec" + ext, .limitSeconds = 2};
        ASSERT_EQ(record(plan, 5.0), 0) << ext;
        std::vector<ProbedFile> got = pieces(plan.path);
        ASSERT_EQ(got.size(), 3u) << ext;
        int64_t frames = 0, samples = 0;
        double length = 0;
        const double want[] = {2.0, 2.0, 1.0};
        for (size_t i = 0; i < got.size(); ++i) {
            ASSERT_NE(got[i].video(), nullptr) << ext << " piece " << i;
            EXPECT_TRUE(got[i].video()->startsWithKeyFrame) << ext << " piece " << i;
            EXPECT_EQ(got[i].video()->frames, int64_t(want[i] * 30)) << ext << " piece " << i;
            EXPECT_NEAR(got[i].length(), want[i], 0.1) << ext << " piece " << i;
            frames += got[i].video()->frames;
            samples += got[i].audio()->samples;
            length += got[i].length();
        }
        EXPECT_EQ(frames, 150) << ext;
        // Each piece's encoder adds its priming and pads its last frame, no more.
        EXPECT_NEAR(double(samples), 5 * 44100, 3 * 2 * 1152) << ext;
        EXPECT_NEAR(length, 5.0, 0.25) << ext;
    }
}

TEST(Split, BySizeClosesPiecesOnceTheyReachIt) {
    RecordingPlan plan{.path = scratchDir("split-size") + "/rec.mp4",
                       .videoKbps = 8000,
                       .limitMegabytes = 1,
                       .noise = true};
    MediaEncoder* h = startEncoder(plan);
    ASSERT_NE(h, nullptr);
    Pusher p{plan, h};
    p.span(0, 4000);
    drainEncoder(h);
    const int64_t reported = apiEncoderGetFileSize(h);
    ASSERT_EQ(apiEncoderClose(h), 0);

    std::vector<ProbedFile> got = pieces(plan.path);
    ASSERT_GE(got.size(), 3u);
    int64_t frames = 0, bytes = 0;
    for (size_t i = 0; i < got.size(); ++i) {
        auto size =
            int64_t(std::filesystem::file_size(mediaencoder::piecePath(plan.path, int(i) + 1)));
        bytes += size;
        if (i + 1 < got.size()) {
            // Closed near the size: within a few frames of this bit rate.
            EXPECT_GE(size, 900000) << "piece " << i;
            EXPECT_LT(size, 1300000) << "piece " << i;
        }
        ASSERT_NE(got[i].video(), nullptr);
        EXPECT_TRUE(got[i].video()->startsWithKeyFrame) << "piece " << i;
        frames += got[i].video()->frames;
    }
    EXPECT_EQ(frames, 120);
    EXPECT_EQ(reported, bytes); // the size counts every piece
}

TEST(Split, AudioOnlyByTimeCutsOnExactSampleCounts) {
    RecordingPlan plan{
        .path = scratchDir("split-wav") + "/rec.wav", .video = false, .limitSeconds = 2};
    ASSERT_EQ(record(plan, 5.0), 0);
    std::vector<ProbedFile> got = pieces(plan.path);
    ASSERT_EQ(got.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(got[i].audio()->samples, (i < 2 ? 2 : 1) * 44100) << "piece " << i;
}
