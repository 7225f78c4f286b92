#include "EncodeHarness.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TestSignal.h"

namespace testsupport {

MediaEncoder* startEncoder(const RecordingPlan& p) {
    MediaEncoder* h = apiEncoderCreate();
    bool ok = h && apiEncoderSetOutputPath(h, p.path.c_str()) == 0;
    if (ok && p.audio)
        ok = apiEncoderSetAudioSrcContext(h, p.channels, p.rate, MEDIA_ENCODER_SAMPLE_S32_PACKED) ==
                 0 &&
             apiEncoderSetAudioBitrate(h, 128) == 0 &&
             apiEncoderSetAudioEncodeContext(h, p.channels, p.rate) == 0;
    if (ok && p.video)
        ok = apiEncoderSetImageSize(h, p.width, p.height) == 0 &&
             apiEncoderSetImageFormat(h, MEDIA_ENCODER_IMAGE_H264) == 0 &&
             apiEncoderSetOutputSize(h, p.outWidth ? p.outWidth : p.width,
                                     p.outHeight ? p.outHeight : p.height) == 0 &&
             apiEncoderSetFps(h, p.fps) == 0 && apiEncoderSetVideoBitrate(h, p.videoKbps) == 0;
    ok = ok && apiEncoderSetLimitTime(h, p.limitSeconds) == 1 &&
         apiEncoderSetLimitSize(h, p.limitMegabytes) == 1 && apiEncoderEncode(h) == 0;
    if (!ok && h) {
        apiEncoderClose(h);
        return nullptr;
    }
    return h;
}

void Pusher::span(int64_t fromMs, int64_t toMs) {
    const int stride = plan.width * 4;
    pixels.resize(size_t(stride) * plan.height);
    const double frameMs = 1000.0 / plan.fps;
    int64_t startSlot = std::llround(fromMs / frameMs);
    int64_t endSlot = std::llround(toMs / frameMs);
    // Audio in 10 ms buffers, interleaved between the frames like a live capture.
    const int bufferFrames = plan.rate / 100;
    std::vector<int32_t> samples(size_t(bufferFrames) * plan.channels);
    int64_t audioMs = fromMs;
    for (int64_t slot = startSlot; slot < endSlot; ++slot) {
        int64_t pts = std::llround(slot * frameMs);
        if (plan.video) {
            tapedeck::paintTestFrame(pixels.data(), plan.width, plan.height, stride, frameIndex++,
                                     plan.noise);
            MediaVideoFrame f{
                MEDIA_ENCODER_PIXEL_BGRA, plan.width, plan.height, stride, pixels.data(),
                int32_t(pixels.size()),   0};
            // Tests push faster than real time: wait for room instead of losing the frame.
            while (apiEncoderPushVideo(h, &f, pts) == 1) {
                ++waits;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        int64_t untilMs = std::llround((slot + 1) * frameMs);
        while (plan.audio && audioMs + 10 <= untilMs) {
            tapedeck::fillTone(samples.data(), bufferFrames, plan.channels, plan.rate, sampleIndex,
                               false);
            sampleIndex += bufferFrames;
            MediaAudioFrame a{reinterpret_cast<uint8_t*>(samples.data()),
                              uint32_t(samples.size() * 4), 0};
            apiEncoderPushAudio(h, &a);
            audioMs += 10;
        }
    }
}

void drainEncoder(MediaEncoder* h) {
    apiEncodePushVideoTrailer(h);
    apiEncodePushAudioTrailer(h);
    while (apiEncodeIsDone(h) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

int finishEncoder(MediaEncoder* h) {
    drainEncoder(h);
    return apiEncoderClose(h);
}

int record(const RecordingPlan& plan, double seconds) {
    MediaEncoder* h = startEncoder(plan);
    if (!h)
        return MEDIA_ENCODER_ESTATE;
    Pusher p{plan, h};
    p.span(0, std::llround(seconds * 1000));
    return finishEncoder(h);
}

std::string scratchDir(const std::string& name) {
    const char* root = std::getenv("TAPEDECK_TEST_ROOT");
    std::filesystem::path dir = std::filesystem::path(root ? root : "/tmp") / "media" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

} // namespace testsupport
