// The in-process mix of the input aggregate: microphone and monitor, 20 ms buffers of stereo
// 44.1 kHz each, mixed and handed on. One iteration is one second of sound, so the time per
// iteration over one second is the share of a core the mixing takes.
#include <benchmark/benchmark.h>

#include "AudioMixer.h"

#include <cmath>
#include <vector>

static void MixTwoLegsOneSecond(benchmark::State& state) {
    const int rate = 44100, frames = 882;
    std::vector<int32_t> mic(frames * 2), monitor(frames * 2);
    for (int f = 0; f < frames * 2; ++f) {
        mic[f] = int32_t(1e9 * std::sin(f * 0.03));
        monitor[f] = int32_t(1.5e9 * std::sin(f * 0.07)); // loud enough to be limited at times
    }
    AudioMixer mixer(rate, 2, 0.0);
    double t = 0;
    for (auto _ : state) {
        for (int i = 0; i < rate / frames; ++i, t += double(frames) / rate) {
            mixer.add(0, mic.data(), frames, t);
            mixer.add(1, monitor.data(), frames, t + 0.003);
            benchmark::DoNotOptimize(mixer.take(t + 0.05));
        }
    }
}
BENCHMARK(MixTwoLegsOneSecond)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
