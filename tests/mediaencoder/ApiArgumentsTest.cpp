// Every misuse of the C calls is a negative code, never a crash or a hang.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "EncodeHarness.h"
#include "MediaEncoder.h"

using namespace testsupport;

namespace {

std::vector<std::function<int64_t(MediaEncoder*)>> everyCall() {
    static uint8_t pixels[16 * 16 * 4];
    static int32_t samples[64];
    static MediaVideoFrame vf{MEDIA_ENCODER_PIXEL_BGRA, 16, 16, 64, pixels, sizeof pixels, 0};
    static MediaAudioFrame af{reinterpret_cast<uint8_t*>(samples), sizeof samples, 0};
    return {
        [](MediaEncoder* h) { return apiEncoderSetOutputPath(h, "/tmp/x.mp4"); },
        [](MediaEncoder* h) { return apiEncoderSetImageSize(h, 16, 16); },
        [](MediaEncoder* h) { return apiEncoderSetImageFormat(h, 1000); },
        [](MediaEncoder* h) { return apiEncoderSetOutputSize(h, 16, 16); },
        [](MediaEncoder* h) { return apiEncoderSetFps(h, 30); },
        [](MediaEncoder* h) { return apiEncoderSetVideoBitrate(h, 3000); },
        [](MediaEncoder* h) { return apiEncoderSetAudioSrcContext(h, 2, 44100, 2); },
        [](MediaEncoder* h) { return apiEncoderSetAudioBitrate(h, 128); },
        [](MediaEncoder* h) { return apiEncoderSetAudioEncodeContext(h, 2, 44100); },
        [](MediaEncoder* h) { return apiEncoderSetLimitTime(h, 5); },
        [](MediaEncoder* h) { return apiEncoderSetLimitSize(h, 5); },
        [](MediaEncoder* h) { return apiEncoderEncode(h); },
        [](MediaEncoder* h) { return apiEncoderPushVideo(h, &vf, 0); },
        [](MediaEncoder* h) { return apiEncoderPushVideoRepeat(h, 0); },
        [](MediaEncoder* h) { return apiEncoderPushAudio(h, &af); },
        [](MediaEncoder* h) { return apiEncodePushVideoTrailer(h); },
        [](MediaEncoder* h) { return apiEncodePushAudioTrailer(h); },
        [](MediaEncoder* h) { return apiEncodeIsDone(h); },
        [](MediaEncoder* h) { return apiEncoderGetFileSize(h); },
        [](MediaEncoder* h) { return apiEncoderGetEncodedTimestamp(h); },
        [](MediaEncoder* h) { return apiEncoderGetDroppedFrames(h); },
        [](MediaEncoder* h) { return apiEncoderClose(h); },
    };
}

} // namespace

TEST(ApiArguments, DeadHandlesAreRefused) {
    MediaEncoder* closed = apiEncoderCreate();
    ASSERT_NE(closed, nullptr);
    ASSERT_EQ(apiEncoderClose(closed), 0);
    int made_up = 0;
    for (MediaEncoder* h :
         {static_cast<MediaEncoder*>(nullptr), closed, reinterpret_cast<MediaEncoder*>(&made_up)}) {
        int i = 0;
        for (auto& call : everyCall())
            EXPECT_EQ(call(h), MEDIA_ENCODER_EHANDLE) << "call " << i++;
    }
}

TEST(ApiArguments, SettingsOutOfRange) {
    MediaEncoder* h = apiEncoderCreate();
    struct Case {
        const char* what;
        int got, want;
    } cases[] = {
        {"null path", apiEncoderSetOutputPath(h, nullptr), MEDIA_ENCODER_EARG},
        {"empty path", apiEncoderSetOutputPath(h, ""), MEDIA_ENCODER_EARG},
        {"unknown extension", apiEncoderSetOutputPath(h, "/tmp/a.mkv"), MEDIA_ENCODER_ECONTAINER},
        {"no extension", apiEncoderSetOutputPath(h, "/tmp/a"), MEDIA_ENCODER_ECONTAINER},
        {"extension inside", apiEncoderSetOutputPath(h, "/tmp/a.mp4.part"),
         MEDIA_ENCODER_ECONTAINER},
        {"zero width", apiEncoderSetImageSize(h, 0, 10), MEDIA_ENCODER_EARG},
        {"negative height", apiEncoderSetImageSize(h, 10, -1), MEDIA_ENCODER_EARG},
        {"huge size", apiEncoderSetImageSize(h, 100000, 10), MEDIA_ENCODER_EARG},
        {"image format", apiEncoderSetImageFormat(h, 1005), MEDIA_ENCODER_EARG},
        {"output size", apiEncoderSetOutputSize(h, 0, 0), MEDIA_ENCODER_EARG},
        {"fps zero", apiEncoderSetFps(h, 0), MEDIA_ENCODER_EARG},
        {"fps nan", apiEncoderSetFps(h, std::nan("")), MEDIA_ENCODER_EARG},
        {"fps too high", apiEncoderSetFps(h, 241), MEDIA_ENCODER_EARG},
        {"video bitrate", apiEncoderSetVideoBitrate(h, -5), MEDIA_ENCODER_EARG},
        {"channels", apiEncoderSetAudioSrcContext(h, 3, 44100, 2), MEDIA_ENCODER_EARG},
        {"rate", apiEncoderSetAudioSrcContext(h, 2, 0, 2), MEDIA_ENCODER_EARG},
        {"sample format", apiEncoderSetAudioSrcContext(h, 2, 44100, 1), MEDIA_ENCODER_EARG},
        // The figure a caller would pass if it confused bit/s with kbit/s.
        {"audio bitrate", apiEncoderSetAudioBitrate(h, 12800 * 10), MEDIA_ENCODER_EARG},
        {"encode channels", apiEncoderSetAudioEncodeContext(h, 0, 44100), MEDIA_ENCODER_EARG},
        {"negative limit time", apiEncoderSetLimitTime(h, -1), MEDIA_ENCODER_EARG},
        {"negative limit size", apiEncoderSetLimitSize(h, -1), MEDIA_ENCODER_EARG},
        {"limit time", apiEncoderSetLimitTime(h, 0), 1},
        {"limit size", apiEncoderSetLimitSize(h, 10), 1},
        {"encode without path", apiEncoderEncode(h), MEDIA_ENCODER_ESTATE},
        {"done before start", apiEncodeIsDone(h), MEDIA_ENCODER_ESTATE},
        {"trailer before start", apiEncodePushVideoTrailer(h), MEDIA_ENCODER_ESTATE},
        {"capital extension", apiEncoderSetOutputPath(h, "/tmp/a.MP4"), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << c.what;
    EXPECT_EQ(apiEncoderClose(h), 0);
}

TEST(ApiArguments, StartRefusals) {
    const std::string dir = scratchDir("start");
    std::ofstream(dir + "/file") << "x";
    struct Case {
        const char* what;
        RecordingPlan plan;
        int want;
    } cases[] = {
        {"missing folder", {.path = dir + "/nope/a.mp4"}, MEDIA_ENCODER_EIO},
        {"folder is a file", {.path = dir + "/file/a.mp4"}, MEDIA_ENCODER_EIO},
        {"video into mp3", {.path = dir + "/a.mp3"}, MEDIA_ENCODER_ECONTAINER},
        {"video into wav", {.path = dir + "/a.wav", .audio = false}, MEDIA_ENCODER_ECONTAINER},
        {"no streams",
         {.path = dir + "/a.mp4", .video = false, .audio = false},
         MEDIA_ENCODER_ESTATE},
    };
    for (const Case& c : cases) {
        MediaEncoder* h = apiEncoderCreate();
        apiEncoderSetOutputPath(h, c.plan.path.c_str());
        if (c.plan.audio)
            apiEncoderSetAudioSrcContext(h, 2, 44100, 2);
        if (c.plan.video) {
            apiEncoderSetImageSize(h, 64, 64);
            apiEncoderSetImageFormat(h, 1000);
        }
        EXPECT_EQ(apiEncoderEncode(h), c.want) << c.what;
        EXPECT_FALSE(std::filesystem::exists(c.plan.path)) << c.what;
        EXPECT_EQ(apiEncoderClose(h), 0) << c.what;
    }
}

TEST(ApiArguments, PushesAndSettingsWhileEncoding) {
    RecordingPlan plan{.path = scratchDir("pushes") + "/a.mp4", .width = 64, .height = 64};
    MediaEncoder* h = startEncoder(plan);
    ASSERT_NE(h, nullptr);
    std::vector<uint8_t> px(64 * 64 * 4, 0x80);
    int32_t samples[8] = {};
    auto video = [&](int64_t pts, int w = 64, int stride = 256, int size = 64 * 256,
                     int fmt = MEDIA_ENCODER_PIXEL_BGRA, bool pixels = true) {
        MediaVideoFrame f{fmt, w, 64, stride, pixels ? px.data() : nullptr, size, 0};
        return apiEncoderPushVideo(h, &f, pts);
    };
    auto audio = [&](uint8_t* data, uint32_t size) {
        MediaAudioFrame f{data, size, 0};
        return apiEncoderPushAudio(h, &f);
    };
    auto* sampleBytes = reinterpret_cast<uint8_t*>(samples);
    auto repeat = [&](int64_t pts) { return apiEncoderPushVideoRepeat(h, pts); };

    // Rows run in order: the frame pushes depend on those before them.
    struct Case {
        const char* what;
        int got, want;
    } cases[] = {
        {"settings after start", apiEncoderSetFps(h, 25), MEDIA_ENCODER_ESTATE},
        {"path after start", apiEncoderSetOutputPath(h, "/tmp/b.mp4"), MEDIA_ENCODER_ESTATE},
        {"encode twice", apiEncoderEncode(h), MEDIA_ENCODER_ESTATE},
        {"null frame", apiEncoderPushVideo(h, nullptr, 0), MEDIA_ENCODER_EARG},
        {"byte count", video(0, 64, 256, 64 * 256 - 1), MEDIA_ENCODER_EARG},
        {"short rows", video(0, 64, 200, 64 * 200), MEDIA_ENCODER_EARG},
        {"pixel format", video(0, 64, 256, 64 * 256, 1000), MEDIA_ENCODER_EARG},
        {"zero size", video(0, 0, 256, 0), MEDIA_ENCODER_EARG},
        {"null pixels", video(0, 64, 256, 64 * 256, MEDIA_ENCODER_PIXEL_BGRA, false),
         MEDIA_ENCODER_EARG},
        {"negative time", video(-1), MEDIA_ENCODER_ETIMESTAMP},
        {"repeat before any picture", repeat(50), MEDIA_ENCODER_ESTATE},
        {"first frame", video(100), 0},
        {"same slot skipped", video(101), 0},
        {"repeat of the skipped picture", repeat(134), MEDIA_ENCODER_ESTATE},
        {"two frames missed", video(200), 0}, // slot 6 after slot 3
        {"repeat", repeat(234), 0},
        {"repeat in the same slot", repeat(240), 0},
        {"repeat after a missed slot", repeat(300), 0}, // slot 9 after slot 7
        {"backwards", video(50), MEDIA_ENCODER_ETIMESTAMP},
        {"repeat backwards", repeat(250), MEDIA_ENCODER_ETIMESTAMP},
        {"null audio", apiEncoderPushAudio(h, nullptr), MEDIA_ENCODER_EARG},
        {"partial sample frame", audio(sampleBytes, 12), MEDIA_ENCODER_EARG}, // 1.5 stereo frames
        {"empty audio", audio(sampleBytes, 0), MEDIA_ENCODER_EARG},
        {"null samples", audio(nullptr, 32), MEDIA_ENCODER_EARG},
        {"video trailer", apiEncodePushVideoTrailer(h), 0},
        {"video after trailer", video(500), MEDIA_ENCODER_ESTATE},
        {"repeat after trailer", repeat(534), MEDIA_ENCODER_ESTATE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << c.what;
    EXPECT_EQ(apiEncoderGetDroppedFrames(h), 3);
    EXPECT_EQ(finishEncoder(h), 0);
}

TEST(ApiArguments, CloseWithoutTrailersFinishesTheFile) {
    RecordingPlan plan{.path = scratchDir("close") + "/a.mov", .width = 64, .height = 64};
    MediaEncoder* h = startEncoder(plan);
    ASSERT_NE(h, nullptr);
    Pusher p{plan, h};
    p.span(0, 500);
    EXPECT_EQ(apiEncoderClose(h), 0);
    EXPECT_GT(std::filesystem::file_size(plan.path), 1000u);
}
