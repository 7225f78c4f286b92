#include "OutputFile.h"

#include "MediaEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

namespace mediaencoder {

namespace {

// Audio frame length for encoders that take any length (PCM).
constexpr int kPcmFrameSize = 1024;

int codeFor(int averror) {
    return averror == AVERROR(ENOMEM) ? MEDIA_ENCODER_ENOMEM : MEDIA_ENCODER_ECODEC;
}

} // namespace

OutputFile::~OutputFile() {
    release();
}

void OutputFile::release() {
    avcodec_free_context(&video_);
    avcodec_free_context(&audio_);
    av_frame_free(&audioFrame_);
    av_packet_free(&packet_);
    if (fmt_) {
        fmt_->pb = nullptr; // the sink's
        avformat_free_context(fmt_);
        fmt_ = nullptr;
    }
    sink_.close();
}

int OutputFile::open(const EncoderSettings& s, const std::string& path) {
    if (avformat_alloc_output_context2(&fmt_, nullptr, s.container.muxer, path.c_str()) < 0)
        return MEDIA_ENCODER_ECONTAINER;
    packet_ = av_packet_alloc();
    if (!packet_)
        return MEDIA_ENCODER_ENOMEM;
    if (s.hasVideo) {
        if (int rc = openVideo(s); rc != MEDIA_ENCODER_OK)
            return rc;
    }
    if (s.hasAudio) {
        if (int rc = openAudio(s); rc != MEDIA_ENCODER_OK)
            return rc;
    }
    if (!sink_.open(path))
        return MEDIA_ENCODER_EIO;
    fmt_->pb = sink_.context();
    fmt_->flags |= AVFMT_FLAG_CUSTOM_IO;

    // Every packet goes to disk at once and streams are never held back for long, so a
    // recorder that dies leaves all but the last moments of the recording.
    fmt_->flush_packets = 1;
    fmt_->max_interleave_delta = 1000000;
    AVDictionary* opts = nullptr;
    if (s.container.fragmented) {
        av_dict_set(&opts, "movflags", "empty_moov+default_base_moof+negative_cts_offsets", 0);
        av_dict_set(&opts, "frag_duration", "1000000", 0);
    }
    int rc = avformat_write_header(fmt_, &opts);
    av_dict_free(&opts);
    if (rc < 0 || fmt_->pb->error)
        return MEDIA_ENCODER_EIO;
    headerWritten_ = true;
    sink_.markComplete();
    bytes_ = avio_tell(fmt_->pb);
    return MEDIA_ENCODER_OK;
}

int OutputFile::openVideo(const EncoderSettings& s) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec)
        return MEDIA_ENCODER_ECODEC;
    video_ = avcodec_alloc_context3(codec);
    if (!video_)
        return MEDIA_ENCODER_ENOMEM;
    AVRational rate = av_d2q(s.fps, 1001000);
    video_->width = s.encodedWidth();
    video_->height = s.encodedHeight();
    video_->pix_fmt = AV_PIX_FMT_YUV420P;
    video_->time_base = av_inv_q(rate);
    video_->framerate = rate;
    video_->bit_rate = int64_t(s.videoKbps * 1000.0);
    video_->colorspace = AVCOL_SPC_BT709;
    video_->color_primaries = AVCOL_PRI_BT709;
    video_->color_trc = AVCOL_TRC_BT709;
    video_->color_range = AVCOL_RANGE_MPEG;
    if (fmt_->oformat->flags & AVFMT_GLOBALHEADER)
        video_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(video_->priv_data, "preset", "veryfast", 0);
    // No reordered frames. Decoding would start a frame or more before the first picture, and
    // the muxers move every picture that much later than its sound; AVI, which keeps only the
    // frame order, would also play them out of place around a pause.
    video_->max_b_frames = 0;
    if (int rc = avcodec_open2(video_, codec, nullptr); rc < 0)
        return codeFor(rc);

    videoStream_ = avformat_new_stream(fmt_, nullptr);
    if (!videoStream_)
        return MEDIA_ENCODER_ENOMEM;
    videoStream_->time_base = video_->time_base;
    videoStream_->avg_frame_rate = rate;
    if (avcodec_parameters_from_context(videoStream_->codecpar, video_) < 0)
        return MEDIA_ENCODER_ENOMEM;

    return MEDIA_ENCODER_OK;
}

int OutputFile::openAudio(const EncoderSettings& s) {
    const AVCodec* codec = avcodec_find_encoder(s.container.audioCodec);
    if (s.container.audioCodec == AV_CODEC_ID_MP3)
        codec = avcodec_find_encoder_by_name("libmp3lame");
    if (!codec)
        return MEDIA_ENCODER_ECODEC;
    audio_ = avcodec_alloc_context3(codec);
    if (!audio_)
        return MEDIA_ENCODER_ENOMEM;
    audio_->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    audio_->sample_rate = s.encodedRate();
    av_channel_layout_default(&audio_->ch_layout, s.encodedChannels());
    audio_->bit_rate = int64_t(s.audioKbps * 1000.0);
    audio_->time_base = AVRational{1, audio_->sample_rate};
    if (fmt_->oformat->flags & AVFMT_GLOBALHEADER)
        audio_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (int rc = avcodec_open2(audio_, codec, nullptr); rc < 0)
        return codeFor(rc);

    audioStream_ = avformat_new_stream(fmt_, nullptr);
    if (!audioStream_)
        return MEDIA_ENCODER_ENOMEM;
    audioStream_->time_base = audio_->time_base;
    if (avcodec_parameters_from_context(audioStream_->codecpar, audio_) < 0)
        return MEDIA_ENCODER_ENOMEM;

    audioFrame_ = av_frame_alloc();
    if (!audioFrame_)
        return MEDIA_ENCODER_ENOMEM;
    audioFrame_->format = audio_->sample_fmt;
    audioFrame_->sample_rate = audio_->sample_rate;
    audioFrame_->nb_samples = audioFrameSize();
    if (av_channel_layout_copy(&audioFrame_->ch_layout, &audio_->ch_layout) < 0)
        return MEDIA_ENCODER_ENOMEM;
    return av_frame_get_buffer(audioFrame_, 0) < 0 ? MEDIA_ENCODER_ENOMEM : MEDIA_ENCODER_OK;
}

AVSampleFormat OutputFile::audioFormat() const {
    return audio_ ? audio_->sample_fmt : AV_SAMPLE_FMT_NONE;
}

int OutputFile::audioFrameSize() const {
    return audio_ && audio_->frame_size > 0 ? audio_->frame_size : kPcmFrameSize;
}

AVFrame* OutputFile::audioFrame() {
    if (!audioFrame_ || av_frame_make_writable(audioFrame_) < 0)
        return nullptr;
    audioFrame_->nb_samples = audioFrameSize();
    return audioFrame_;
}

int64_t OutputFile::expectedBytes() const {
    if (videoPacketsOut_ == 0)
        return bytes_;
    return bytes_ + (videoFramesIn_ - videoPacketsOut_) * (videoPacketBytes_ / videoPacketsOut_);
}

int OutputFile::writeVideo(AVFrame* picture, int64_t pts) {
    ++videoFramesIn_;
    picture->pts = pts;
    return encode(video_, videoStream_, picture);
}

int OutputFile::writeAudio(int64_t pts) {
    audioFrame_->pts = pts;
    return encode(audio_, audioStream_, audioFrame_);
}

int OutputFile::encode(AVCodecContext* ctx, AVStream* st, AVFrame* frame) {
    if (failed_)
        return MEDIA_ENCODER_EIO;
    int rc = avcodec_send_frame(ctx, frame);
    if (rc < 0 && rc != AVERROR_EOF)
        return codeFor(rc);
    while ((rc = avcodec_receive_packet(ctx, packet_)) >= 0) {
        if (ctx == video_) {
            ++videoPacketsOut_;
            videoPacketBytes_ += packet_->size;
        }
        av_packet_rescale_ts(packet_, ctx->time_base, st->time_base);
        packet_->stream_index = st->index;
        if (av_interleaved_write_frame(fmt_, packet_) < 0 || fmt_->pb->error)
            return writeFailed();
        sink_.markComplete();
        bytes_ = avio_tell(fmt_->pb);
    }
    return rc == AVERROR(EAGAIN) || rc == AVERROR_EOF ? MEDIA_ENCODER_OK : codeFor(rc);
}

int OutputFile::writeFailed() {
    failed_ = true;
    sink_.cutToComplete();
    bytes_ = avio_size(fmt_->pb);
    return MEDIA_ENCODER_EIO;
}

int OutputFile::finish() {
    if (!headerWritten_)
        return MEDIA_ENCODER_EIO;
    headerWritten_ = false;
    int result = MEDIA_ENCODER_OK;
    if (video_ && !failed_) {
        if (int rc = encode(video_, videoStream_, nullptr); rc != MEDIA_ENCODER_OK)
            result = rc;
    }
    if (audio_ && !failed_) {
        if (int rc = encode(audio_, audioStream_, nullptr); rc != MEDIA_ENCODER_OK)
            result = rc;
    }
    // A trailer that does not fit leaves the file as it was before it.
    if (!failed_ && (av_write_trailer(fmt_) < 0 || fmt_->pb->error))
        writeFailed();
    if (failed_) {
        release();
        return MEDIA_ENCODER_EIO;
    }
    // Some muxers go back to patch the header, so the position is not the size.
    avio_flush(fmt_->pb);
    if (int64_t size = avio_size(fmt_->pb); size > 0)
        bytes_ = size;
    if (!sink_.close())
        result = MEDIA_ENCODER_EIO;
    release();
    return result;
}

} // namespace mediaencoder
