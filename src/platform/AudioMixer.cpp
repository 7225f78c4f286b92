#include "AudioMixer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kFullScale = 2147483647.0;
constexpr double kRelease = 0.05; // seconds for the limiter to come back to unity gain
constexpr double kLongest = 10.0; // seconds of mix held at most

} // namespace

AudioMixer::AudioMixer(int rate, int channels, double start)
    : rate_(rate), channels_(channels), start_(start) {}

int64_t AudioMixer::frameAt(double time) const {
    return std::llround((time - start_) * rate_);
}

void AudioMixer::add(int leg, const int32_t* samples, size_t frames, double captureTime) {
    const int64_t target = frameAt(captureTime);
    auto end = ends_.find(leg);
    int64_t at = target;
    size_t skip = 0;
    if (end != ends_.end()) {
        const int64_t offset = target - end->second;
        const int64_t tolerance = std::llround(kTolerance * rate_);
        if (offset > tolerance) {
            at = target; // running slow: a gap of silence
        } else if (offset < -tolerance) {
            skip = size_t(std::min<int64_t>(-offset, int64_t(frames))); // running fast: a cut
            at = target + int64_t(skip);
        } else {
            at = end->second; // jitter: stays contiguous
        }
    }
    ends_[leg] = at + int64_t(frames - skip);
    // What comes too late, or absurdly early, is dropped.
    const int64_t first = std::max(at, emitted_);
    const int64_t last =
        std::min(at + int64_t(frames - skip), emitted_ + int64_t(kLongest * rate_));
    if (!samples || first >= last)
        return;
    const size_t needed = size_t(last - emitted_) * size_t(channels_);
    if (sums_.size() < needed)
        sums_.resize(needed, 0);
    const int32_t* from = samples + (size_t(first - at) + skip) * size_t(channels_);
    int64_t* to = sums_.data() + size_t(first - emitted_) * size_t(channels_);
    for (size_t i = 0, n = size_t(last - first) * size_t(channels_); i < n; ++i)
        to[i] += from[i];
}

void AudioMixer::forget(int leg) {
    ends_.erase(leg);
}

AudioMixer::Output AudioMixer::take(double now) {
    int64_t ready = INT64_MAX;
    for (const auto& [leg, end] : ends_)
        ready = std::min(ready, end);
    const int64_t latest = frameAt(now - kMaxDelay);
    if (ready == INT64_MAX || ready < latest)
        ready = latest;
    Output out;
    if (ready <= emitted_)
        return out;
    out.frames = size_t(ready - emitted_);
    out.captureTime = start_ + double(emitted_) / rate_;
    const size_t count = out.frames * size_t(channels_);
    if (sums_.size() < count)
        sums_.resize(count, 0);
    out.samples.resize(count);
    const double recover = 1.0 / (kRelease * rate_);
    for (size_t f = 0; f < out.frames; ++f) {
        const int64_t* frame = sums_.data() + f * size_t(channels_);
        int64_t peak = 0;
        for (int c = 0; c < channels_; ++c)
            peak = std::max<int64_t>(peak, std::llabs(frame[c]));
        if (double(peak) * gain_ > kFullScale)
            gain_ = kFullScale / double(peak);
        for (int c = 0; c < channels_; ++c)
            out.samples[f * size_t(channels_) + size_t(c)] =
                gain_ == 1.0 ? int32_t(frame[c]) : int32_t(std::lround(double(frame[c]) * gain_));
        gain_ += (1.0 - gain_) * recover;
        if (gain_ > 1.0 - 1e-6)
            gain_ = 1.0; // exactly unity again, so quiet sound passes unchanged
    }
    sums_.erase(sums_.begin(), sums_.begin() + std::ptrdiff_t(count));
    emitted_ = ready;
    return out;
}
