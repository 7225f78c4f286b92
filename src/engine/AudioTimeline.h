// Keeps recorded sound on the recording clock. The encoder times sound by its sample count, so
// samples lost before they reached us (a stream that starts late, a sound server gone for a
// while) would pull everything after them early, and samples captured before the first picture
// would push it late. Each buffer is placed where its capture time says: a gap is filled with
// silence and an overlap is cut from the buffer's front. Small jitter is left alone.
#pragma once

#include <cstddef>
#include <cstdint>

class AudioTimeline {
public:
    struct Placement {
        size_t silence = 0; // frames of silence to push before the buffer
        size_t skip = 0;    // frames to drop from the buffer's front
    };

    // Forgets what was pushed: a new recording starts at zero.
    void reset();
    // Where a buffer of `frames` whose first sample has recording time `at` (seconds) goes.
    // Until some sound has gone out buffers are placed exactly; later ones only when off by
    // more than the tolerance.
    Placement place(double at, size_t frames, int rate);
    // Silence that brings the sound up to recording time `at`, so it ends with the picture.
    size_t silenceUntil(double at, int rate);

    static constexpr double kTolerance = 0.02; // seconds, under a frame at 50 fps
    static constexpr double kLongestGap = 60;  // seconds; a longer jump is the clock, not sound

private:
    int64_t pushed_ = 0; // frames
};
