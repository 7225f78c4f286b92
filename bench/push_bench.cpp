// Time a 1080p video push takes on the caller's thread, at the live rate of 30 frames/s.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "MediaEncoder.h"
#include "TestSignal.h"

static void BM_PushVideo1080p(benchmark::State& state) {
    const int w = 1920, h = 1080, stride = w * 4;
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp ? tmp : "/tmp") + "/tapedeck-push-bench.mp4";
    MediaEncoder* e = apiEncoderCreate();
    apiEncoderSetOutputPath(e, path.c_str());
    apiEncoderSetImageSize(e, w, h);
    apiEncoderSetImageFormat(e, MEDIA_ENCODER_IMAGE_H264);
    apiEncoderSetOutputSize(e, w, h);
    apiEncoderSetFps(e, 30);
    apiEncoderSetVideoBitrate(e, 8000);
    if (apiEncoderEncode(e) != 0) {
        state.SkipWithError("encoder did not start");
        return;
    }
    // A few distinct pictures, painted before timing starts.
    std::vector<std::vector<uint8_t>> pictures(8, std::vector<uint8_t>(size_t(stride) * h));
    for (size_t i = 0; i < pictures.size(); ++i)
        tapedeck::paintTestFrame(pictures[i].data(), w, h, stride, int64_t(i));
    int64_t index = 0;
    auto next = std::chrono::steady_clock::now();
    for (auto _ : state) {
        std::vector<uint8_t>& px = pictures[size_t(index) % pictures.size()];
        MediaVideoFrame f{MEDIA_ENCODER_PIXEL_BGRA, w, h, stride, px.data(), int32_t(px.size()), 0};
        benchmark::DoNotOptimize(apiEncoderPushVideo(e, &f, index * 1000 / 30));
        ++index;
        state.PauseTiming();
        next += std::chrono::microseconds(33333);
        std::this_thread::sleep_until(next);
        state.ResumeTiming();
    }
    state.counters["dropped"] = double(apiEncoderGetDroppedFrames(e));
    apiEncodePushVideoTrailer(e);
    while (apiEncodeIsDone(e) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    apiEncoderClose(e);
    std::remove(path.c_str());
}
BENCHMARK(BM_PushVideo1080p)->Iterations(300)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
