// Recorded sound on its way into the encoder. Each buffer is placed on the recording clock
// (AudioTimeline): a gap is filled with silence, an overlap cut from the buffer's front; at
// stop the sound is brought up to the picture's end. Buffers arrive on "AudioDataOutputQueue",
// begin and finish run on the main thread; one lock keeps them apart, and the encoder's sound
// settings are written and read only under it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "AudioTimeline.h"
#include "RecordingSettings.h"

class EncodeManager;
class RecordingClock;

class AudioTrack {
public:
    AudioTrack(EncodeManager& encoder, RecordingClock& clock);

    // Before the encoder starts: it takes the format, and the sound starts at zero.
    void begin(const AudioFormat& format);
    // A buffer of `frames` interleaved 32-bit frames, the first captured at wall-clock time
    // `captureTime`. Pushed only while the clock records and the encoder works, and never
    // after finish. False when it was left out.
    bool push(std::span<const uint8_t> buffer, size_t frames, double captureTime);
    // At stop: silence up to the recorded time (unless the recording has no sound); no buffer
    // goes in afterwards.
    void finish(bool withSound);

private:
    // Pushes the placed buffer, after its silence and without its skipped front.
    void pushPlaced(std::span<const uint8_t> buffer, size_t frames, AudioTimeline::Placement at);

    EncodeManager& encoder_;
    RecordingClock& clock_;
    std::mutex mutex_;
    AudioTimeline timeline_;
    bool open_ = false;
};
