#include "AudioTimeline.h"

#include <algorithm>
#include <cmath>

void AudioTimeline::reset() {
    pushed_ = 0;
}

AudioTimeline::Placement AudioTimeline::place(double at, size_t frames, int rate) {
    Placement p;
    const int64_t target = std::llround(at * rate);
    const int64_t offset = target - pushed_;
    // Until sound has gone out it can start exactly where it belongs.
    const int64_t tolerance = pushed_ > 0 ? std::llround(kTolerance * rate) : 0;
    if (offset > std::llround(kLongestGap * rate)) {
        // The wall clock was set, not the sound lost: carry on from here.
        pushed_ = target;
    } else if (offset > tolerance) {
        p.silence = size_t(offset);
    } else if (offset < -tolerance) {
        p.skip = size_t(std::min<int64_t>(-offset, int64_t(frames)));
    }
    pushed_ += int64_t(p.silence + frames - p.skip);
    return p;
}

size_t AudioTimeline::silenceUntil(double at, int rate) {
    const int64_t offset = std::llround(at * rate) - pushed_;
    if (pushed_ == 0 || offset <= 0 || offset > std::llround(kLongestGap * rate))
        return 0;
    pushed_ += offset;
    return size_t(offset);
}
