#include "AudioConverter.h"

#include <vector>

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
}

namespace mediaencoder {

AudioConverter::~AudioConverter() {
    swr_free(&swr_);
    if (fifo_)
        av_audio_fifo_free(fifo_);
    if (scratch_)
        av_freep(&scratch_[0]);
    av_freep(&scratch_);
}

bool AudioConverter::open(int srcChannels, int srcRate, AVSampleFormat dstFormat, int dstChannels,
                          int dstRate) {
    AVChannelLayout in, out;
    av_channel_layout_default(&in, srcChannels);
    av_channel_layout_default(&out, dstChannels);
    if (swr_alloc_set_opts2(&swr_, &out, dstFormat, dstRate, &in, AV_SAMPLE_FMT_S32, srcRate, 0,
                            nullptr) < 0 ||
        swr_init(swr_) < 0)
        return false;
    fifo_ = av_audio_fifo_alloc(dstFormat, dstChannels, dstRate);
    dstFormat_ = dstFormat;
    srcChannels_ = srcChannels;
    dstChannels_ = dstChannels;
    srcRate_ = srcRate;
    dstRate_ = dstRate;
    return fifo_ != nullptr;
}

bool AudioConverter::convert(const uint8_t* const* in, int frames) {
    int out = swr_get_out_samples(swr_, frames);
    if (out <= 0)
        return true;
    if (out > scratchFrames_) {
        if (scratch_)
            av_freep(&scratch_[0]);
        av_freep(&scratch_);
        if (av_samples_alloc_array_and_samples(&scratch_, nullptr, dstChannels_, out, dstFormat_,
                                               0) < 0)
            return false;
        scratchFrames_ = out;
    }
    int got = swr_convert(swr_, scratch_, out, const_cast<const uint8_t**>(in), frames);
    if (got < 0)
        return false;
    return av_audio_fifo_write(fifo_, reinterpret_cast<void**>(scratch_), got) == got;
}

bool AudioConverter::push(const int32_t* interleaved, int frames) {
    const uint8_t* in[1] = {reinterpret_cast<const uint8_t*>(interleaved)};
    return convert(in, frames);
}

bool AudioConverter::pushSilence(int frames) {
    std::vector<int32_t> zeros(size_t(frames) * srcChannels_, 0);
    return push(zeros.data(), frames);
}

bool AudioConverter::drain() {
    return convert(nullptr, 0);
}

int AudioConverter::available() const {
    return av_audio_fifo_size(fifo_);
}

bool AudioConverter::read(AVFrame* frame, int n) {
    frame->nb_samples = n;
    return av_audio_fifo_read(fifo_, reinterpret_cast<void**>(frame->data), n) == n;
}

} // namespace mediaencoder
