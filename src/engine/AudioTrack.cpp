#include "AudioTrack.h"

#include <algorithm>
#include <vector>

#include "EncodeManager.h"
#include "RecordingClock.h"

AudioTrack::AudioTrack(EncodeManager& encoder, RecordingClock& clock)
    : encoder_(encoder), clock_(clock) {}

void AudioTrack::begin(const AudioFormat& format) {
    std::lock_guard lock(mutex_);
    encoder_.audioBitrate = format.bitrate;
    encoder_.audioChannels = format.channels;
    encoder_.audioSamples = format.samples;
    timeline_.reset();
    open_ = true;
}

bool AudioTrack::push(std::span<const uint8_t> buffer, size_t frames, double captureTime) {
    std::lock_guard lock(mutex_);
    if (!open_ || !encoder_.isWorking())
        return false;
    // The status test and the clock reading are one step: a pause cannot fall between them.
    const std::optional<double> at = clock_.recordedTime(captureTime);
    if (!at)
        return false;
    // The encoder times sound by its samples; place them where they were captured.
    const int rate = encoder_.audioSamples > 0 ? encoder_.audioSamples : 44100;
    pushPlaced(buffer, frames, timeline_.place(*at, frames, rate));
    return true;
}

void AudioTrack::finish(bool withSound) {
    std::lock_guard lock(mutex_);
    // End the sound with the picture: what was still on its way is silence.
    const int rate = encoder_.audioSamples;
    if (open_ && withSound && rate > 0)
        pushPlaced({}, 0, {timeline_.silenceUntil(clock_.elapsed(), rate), 0});
    open_ = false;
}

void AudioTrack::pushPlaced(std::span<const uint8_t> buffer, size_t frames,
                            AudioTimeline::Placement at) {
    const size_t channels = size_t(std::max(encoder_.audioChannels, 1));
    // Silence goes out in one-second pieces, so a long gap never needs one huge buffer.
    const size_t piece = size_t(std::max(encoder_.audioSamples, 1));
    for (size_t left = at.silence; left > 0;) {
        const size_t n = std::min(left, piece);
        const std::vector<uint8_t> silence(n * channels * sizeof(int32_t), 0);
        encoder_.encoderPushAudio(silence);
        left -= n;
    }
    if (at.skip >= frames)
        return;
    encoder_.encoderPushAudio(buffer.subspan(at.skip * channels * sizeof(int32_t)));
}
