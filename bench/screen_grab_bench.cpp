// Cost of one screen grab into a frame buffer, as the capture session makes it every frame.
// Needs an X display: run it under tests/support/sandbox --x11.
#include "X11Connection.h"
#include "X11FramePool.h"

#include <benchmark/benchmark.h>

static void BM_GrabFrame(benchmark::State& state) {
    auto connection = X11Connection::open({});
    if (!connection) {
        state.SkipWithError("no X display");
        return;
    }
    auto pool = X11FramePool::create(connection, 4);
    const QRect area(0, 0, int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        QImage frame;
        if (pool->grab(area, frame) != X11FramePool::Grab::Done) {
            state.SkipWithError("grab failed");
            return;
        }
        benchmark::DoNotOptimize(frame.constBits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * area.width() * area.height() * 4);
}
BENCHMARK(BM_GrabFrame)->Args({1920, 1080})->Args({1280, 720})->Args({640, 480})->UseRealTime();

BENCHMARK_MAIN();
