// Several record streams made into one on the recording clock. Each stream ("leg") puts its
// samples where its own capture times say; the mix is their sum at unity gain, held under full
// scale by a limiter that only acts on peaks. Sound goes out as soon as every leg has
// delivered it, and never later than kMaxDelay: a leg that falls silent (a microphone pulled,
// a server gone) leaves silence, not a stall. A leg whose device clock runs slow or fast is
// realigned in small steps (a short gap or a short cut), never resampled, so pitch stays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

class AudioMixer {
public:
    static constexpr double kMaxDelay = 0.15;  // seconds behind the wall clock at most
    static constexpr double kTolerance = 0.02; // seconds a leg may wander before realigning

    // Frame 0 of the mix is wall-clock time `start` (seconds).
    AudioMixer(int rate, int channels, double start);

    // `frames` interleaved frames of leg `leg`, the first captured at `captureTime`. A null
    // `samples` is a hole in the stream: its time passes as silence.
    void add(int leg, const int32_t* samples, size_t frames, double captureTime);
    // The leg's stream was replaced or has gone: its next sound is placed by its capture time
    // alone, and until then it holds nothing up.
    void forget(int leg);

    struct Output {
        std::vector<int32_t> samples; // interleaved
        size_t frames = 0;
        double captureTime = 0;
    };
    // The mix that is ready at wall-clock time `now`; no frames when nothing is.
    Output take(double now);

private:
    int64_t frameAt(double time) const;

    const int rate_;
    const int channels_;
    const double start_;
    int64_t emitted_ = 0;         // frames handed out so far
    std::vector<int64_t> sums_;   // frames from emitted_ on, interleaved
    std::map<int, int64_t> ends_; // per leg: the frame after its last sample
    double gain_ = 1.0;
};
