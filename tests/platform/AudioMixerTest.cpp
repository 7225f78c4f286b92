// Mixing record streams on the recording clock: placement, drift, gain and missing legs.
#include <gtest/gtest.h>

#include "AudioMixer.h"

#include <numeric>

namespace {

const int kRate = 1000; // one frame a millisecond keeps the arithmetic readable

std::vector<int32_t> ramp(size_t frames, int32_t first) {
    std::vector<int32_t> v(frames * 2);
    for (size_t f = 0; f < frames; ++f)
        v[2 * f] = v[2 * f + 1] = first + int32_t(f);
    return v;
}

} // namespace

TEST(AudioMixer, LegsArePlacedByCaptureTimeAndSummed) {
    AudioMixer mixer(kRate, 2, 100.0);
    const auto a = ramp(100, 1), b = ramp(100, 1000);
    mixer.add(0, a.data(), 100, 100.0);
    mixer.add(1, b.data(), 100, 100.050); // starts 50 ms later
    AudioMixer::Output out = mixer.take(100.2);
    ASSERT_EQ(out.frames, 100u); // leg 0 has nothing beyond frame 100 yet
    EXPECT_DOUBLE_EQ(out.captureTime, 100.0);
    EXPECT_EQ(out.samples[2 * 10], 11);            // leg 0 alone
    EXPECT_EQ(out.samples[2 * 60 + 1], 61 + 1010); // both, unity gain
    EXPECT_EQ(mixer.take(100.2).frames, 0u);
    // A leg that stays away holds nothing up for longer than kMaxDelay: silence goes out.
    out = mixer.take(100.5);
    EXPECT_EQ(out.frames, size_t((0.5 - AudioMixer::kMaxDelay) * kRate) - 100);
    EXPECT_EQ(out.samples[0], 1050); // the rest of leg 1
    EXPECT_EQ(out.samples.back(), 0);
}

TEST(AudioMixer, DriftIsAbsorbedByGapsAndCutsNotByResampling) {
    struct Case {
        const char* what;
        double second;        // capture time of the second buffer (the first is at 0)
        int32_t atFrame100;   // what the mix holds where the first buffer ended
        int64_t framesFor200; // frames out when both buffers are in
    } cases[] = {
        {"jitter stays contiguous", 0.110, 1000, 200},
        {"slow clock leaves a gap", 0.130, 0, 230},
        {"fast clock is cut", 0.070, 1030, 170},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AudioMixer mixer(kRate, 2, 0.0);
        const auto a = ramp(100, 1), b = ramp(100, 1000);
        mixer.add(0, a.data(), 100, 0.0);
        mixer.add(0, b.data(), 100, c.second);
        AudioMixer::Output out = mixer.take(0.3);
        EXPECT_EQ(int64_t(out.frames), c.framesFor200);
        EXPECT_EQ(out.samples[2 * 100], c.atFrame100);
        EXPECT_EQ(out.samples[2 * 99], 100); // the first buffer is never touched
    }
}

TEST(AudioMixer, PeaksAreLimitedNotClipped) {
    AudioMixer mixer(kRate, 2, 0.0);
    std::vector<int32_t> loud(200 * 2, 1 << 30);
    loud[2 * 50] = loud[2 * 50 + 1] = INT32_MAX;
    mixer.add(0, loud.data(), 200, 0.0);
    mixer.add(1, loud.data(), 200, 0.0);
    AudioMixer::Output out = mixer.take(0.2);
    ASSERT_EQ(out.frames, 200u);
    EXPECT_EQ(out.samples[0], INT32_MAX);          // 2^30 + 2^30 is one over full scale
    EXPECT_GT(out.samples[2 * 50], INT32_MAX - 2); // twice full scale, halved
    // The gain comes back over a while instead of clipping the next frames to the rail.
    EXPECT_LT(out.samples[2 * 51], INT32_MAX);
    EXPECT_GT(out.samples[2 * 51], 1 << 30);
}

TEST(AudioMixer, AForgottenLegIsPlacedAfreshAndHolesPassAsSilence) {
    AudioMixer mixer(kRate, 2, 0.0);
    const auto a = ramp(100, 1);
    mixer.add(0, a.data(), 100, 0.0);
    mixer.add(0, nullptr, 100, 0.1); // a hole
    mixer.forget(0);
    mixer.add(0, a.data(), 100, 0.250); // a new stream, 50 ms after the hole ended
    AudioMixer::Output out = mixer.take(0.35);
    ASSERT_EQ(out.frames, 350u);
    EXPECT_EQ(out.samples[2 * 150], 0);
    EXPECT_EQ(out.samples[2 * 250], 1);
    EXPECT_EQ(std::accumulate(out.samples.begin() + 200, out.samples.begin() + 500, int64_t(0)), 0);
}
