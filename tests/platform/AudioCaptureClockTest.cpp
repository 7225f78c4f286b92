// Capture times estimated from late, jittery arrivals.
#include <gtest/gtest.h>

#include "AudioCaptureClock.h"

#include <cmath>

namespace {

const int kRate = 44100;
const size_t kFrames = 882; // 20 ms buffers

// Feeds 20 ms buffers of a stream that started capturing at `start` and runs at `speed` times
// real time; each arrives `delay(i)` after its last sample. Returns the worst error of the
// estimated capture times, over the buffers from `from` on.
template <class Delay>
double worstError(double start, double speed, Delay delay, int buffers, int from) {
    AudioCaptureClock clock(kRate);
    double worst = 0;
    for (int i = 0; i < buffers; ++i) {
        const double first = start + double(i) * kFrames / kRate / speed;
        const double last = first + double(kFrames) / kRate / speed;
        const double now = last + delay(i);
        const double estimate = clock.bufferArrived(now, kFrames);
        if (i >= from)
            worst = std::max(worst, std::abs(estimate - first));
    }
    return worst;
}

} // namespace

TEST(AudioCaptureClock, JitterIsFilteredAndDriftFollowed) {
    const struct {
        const char* name;
        double speed;
        double (*delay)(int);
        double bound;
    } cases[] = {
        {"steady", 1.0, [](int) { return 0.004; }, 0.005},
        // Every seventh buffer held up by 80 ms, the rest by 1 to 5 ms.
        {"stalls", 1.0, [](int i) { return i % 7 == 3 ? 0.080 : 0.001 + 0.004 * (i % 2); }, 0.006},
        // A device clock 0.1 % fast or slow: the window follows it within a few ms.
        {"fast device", 1.001, [](int) { return 0.002; }, 0.006},
        {"slow device", 0.999, [](int) { return 0.002; }, 0.006},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_LT(worstError(1000.0, c.speed, c.delay, 1500, 10), c.bound);
    }
}
