#include "MediaProbe.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace testsupport {

double ProbedFile::length() const {
    double l = 0;
    for (const ProbedStream& s : streams)
        l = std::max(l, s.endSeconds);
    return l;
}

namespace {

struct Demuxer {
    AVFormatContext* fmt = nullptr;
    std::vector<AVCodecContext*> decoders;
    explicit Demuxer(const std::string& path) {
        if (avformat_open_input(&fmt, path.c_str(), nullptr, nullptr) < 0) {
            fmt = nullptr;
            return;
        }
        avformat_find_stream_info(fmt, nullptr);
        for (unsigned i = 0; i < fmt->nb_streams; ++i) {
            const AVCodec* c = avcodec_find_decoder(fmt->streams[i]->codecpar->codec_id);
            AVCodecContext* ctx = c ? avcodec_alloc_context3(c) : nullptr;
            if (ctx && (avcodec_parameters_to_context(ctx, fmt->streams[i]->codecpar) < 0 ||
                        avcodec_open2(ctx, c, nullptr) < 0))
                avcodec_free_context(&ctx);
            decoders.push_back(ctx);
        }
    }
    ~Demuxer() {
        for (AVCodecContext*& c : decoders)
            avcodec_free_context(&c);
        avformat_close_input(&fmt);
    }
};

} // namespace

ProbedFile probeMedia(const std::string& path, const FrameVisitor& visit) {
    ProbedFile out;
    Demuxer d(path);
    if (!d.fmt)
        return out;
    out.opened = true;
    out.streams.resize(d.fmt->nb_streams);
    for (unsigned i = 0; i < d.fmt->nb_streams; ++i) {
        AVCodecParameters* p = d.fmt->streams[i]->codecpar;
        ProbedStream& s = out.streams[i];
        const AVCodecDescriptor* desc = avcodec_descriptor_get(p->codec_id);
        s.codec = desc ? desc->name : "";
        s.width = p->width;
        s.height = p->height;
        s.sampleRate = p->sample_rate;
        s.channels = p->ch_layout.nb_channels;
        if (p->codec_type == AVMEDIA_TYPE_VIDEO && out.videoIndex < 0)
            out.videoIndex = int(i);
        if (p->codec_type == AVMEDIA_TYPE_AUDIO && out.audioIndex < 0)
            out.audioIndex = int(i);
    }

    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    std::vector<uint8_t> rgb;
    bool more = true;
    auto drain = [&](unsigned i) {
        AVStream* st = d.fmt->streams[i];
        ProbedStream& s = out.streams[i];
        while (avcodec_receive_frame(d.decoders[i], frame) >= 0) {
            if (st->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) {
                s.samples += frame->nb_samples;
            } else {
                if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
                    s.times.push_back(frame->best_effort_timestamp * av_q2d(st->time_base));
                if (visit && more && int(i) == out.videoIndex) {
                    SwsContext* sws = sws_getContext(
                        frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                        frame->height, AV_PIX_FMT_RGB24, SWS_POINT, nullptr, nullptr, nullptr);
                    // Room behind the last row: the converter's vector code writes whole
                    // words past the end of rows whose width is not a multiple of 16.
                    rgb.resize(size_t(frame->width) * frame->height * 3 + 64);
                    uint8_t* dst[4] = {rgb.data(), nullptr, nullptr, nullptr};
                    int stride[4] = {frame->width * 3, 0, 0, 0};
                    sws_scale(sws, frame->data, frame->linesize, 0, frame->height, dst, stride);
                    sws_freeContext(sws);
                    more = visit(int(s.frames), frame->width, frame->height, rgb.data());
                }
                ++s.frames;
            }
            av_frame_unref(frame);
        }
    };
    int read = 0;
    while (more && (read = av_read_frame(d.fmt, pkt)) >= 0) {
        unsigned i = unsigned(pkt->stream_index);
        if (pkt->flags & AV_PKT_FLAG_CORRUPT)
            ++out.decodeErrors;
        ProbedStream& s = out.streams[i];
        AVStream* st = d.fmt->streams[i];
        if (pkt->size > 0 && s.packets++ == 0)
            s.startsWithKeyFrame = (pkt->flags & AV_PKT_FLAG_KEY) != 0;
        int64_t t = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        if (t != AV_NOPTS_VALUE)
            s.endSeconds = std::max(s.endSeconds, (t + pkt->duration) * av_q2d(st->time_base));
        if (d.decoders[i] && pkt->size > 0) {
            if (avcodec_send_packet(d.decoders[i], pkt) < 0)
                ++out.decodeErrors;
            drain(i);
        }
        av_packet_unref(pkt);
    }
    // A file that ends inside a packet is an error too, not the end.
    if (more && read < 0 && read != AVERROR_EOF)
        ++out.decodeErrors;
    for (unsigned i = 0; more && i < d.decoders.size(); ++i) {
        if (d.decoders[i]) {
            avcodec_send_packet(d.decoders[i], nullptr);
            drain(i);
        }
    }
    for (ProbedStream& s : out.streams)
        std::sort(s.times.begin(), s.times.end());
    av_frame_free(&frame);
    av_packet_free(&pkt);
    return out;
}

bool pixelAt(const std::string& path, int index, int x, int y, uint8_t rgb[3]) {
    bool found = false;
    forEachFrameRgb(path, [&](int i, int width, int height, const uint8_t* pixels) {
        if (i < index)
            return true;
        if (x < width && y < height) {
            std::copy_n(&pixels[(size_t(y) * width + x) * 3], 3, rgb);
            found = true;
        }
        return false;
    });
    return found;
}

} // namespace testsupport
