// Interleaved 32-bit input samples into the encoder's sample format, rate and channels,
// buffered until a whole encoder frame is ready. One converter serves every piece, so no
// sample is lost or repeated at a cut.
#pragma once

#include <cstdint>

extern "C" {
#include <libavutil/samplefmt.h>
}

struct AVAudioFifo;
struct AVFrame;
struct SwrContext;

namespace mediaencoder {

class AudioConverter {
public:
    AudioConverter() = default;
    AudioConverter(const AudioConverter&) = delete;
    AudioConverter& operator=(const AudioConverter&) = delete;
    ~AudioConverter();

    bool open(int srcChannels, int srcRate, AVSampleFormat dstFormat, int dstChannels, int dstRate);
    bool push(const int32_t* interleaved, int frames);
    bool pushSilence(int frames);
    // Drains what the resampler still holds (end of input).
    bool drain();

    int available() const;
    // Moves n samples out into frame (whose format matches), setting nb_samples.
    bool read(AVFrame* frame, int n);

private:
    bool convert(const uint8_t* const* in, int frames);

    SwrContext* swr_ = nullptr;
    AVAudioFifo* fifo_ = nullptr;
    AVSampleFormat dstFormat_ = AV_SAMPLE_FMT_NONE;
    int srcChannels_ = 0, dstChannels_ = 0, srcRate_ = 0, dstRate_ = 0;
    uint8_t** scratch_ = nullptr;
    int scratchFrames_ = 0;
};

} // namespace mediaencoder
