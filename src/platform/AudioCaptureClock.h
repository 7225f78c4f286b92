// When each buffer of an audio stream was captured, on the wall clock. A buffer reaches us late
// by however long the server and our threads took to hand it over, and that delay jitters; the
// stream itself runs at its sample rate, so the start that looks earliest over the last few
// seconds is the best estimate, and a slowly drifting device clock is still followed.
#pragma once

#include <cstddef>
#include <cstdint>

class AudioCaptureClock {
public:
    explicit AudioCaptureClock(int sampleRate) : rate_(sampleRate) {}

    // A buffer of `frames` was completed, as far as we can tell, when it arrived at `now`
    // (seconds). Returns its first sample's capture time.
    double bufferArrived(double now, size_t frames);

private:
    static constexpr double kWindow = 2.0; // seconds per minimum bucket

    int rate_;
    uint64_t framesBefore_ = 0;
    bool started_ = false;
    double bucketStart_ = 0;
    double currentStart_ = 0;  // earliest stream start seen in this bucket
    double previousStart_ = 0; // ... and in the one before
};
