#include "CameraStream.h"

#include "CameraSources.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libavutil/time.h>
#include <libswscale/swscale.h>
}

#include <mutex>

namespace {

QString averror(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

} // namespace

struct CameraStream::Handles {
    std::function<bool()> interrupted;
    AVFormatContext* format = nullptr;
    AVCodecContext* decoder = nullptr;
    SwsContext* scaler = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int stream = -1;
    AVRational timeBase{0, 1};

    ~Handles() {
        sws_freeContext(scaler);
        avcodec_free_context(&decoder);
        avformat_close_input(&format);
        av_packet_free(&packet);
        av_frame_free(&frame);
    }
};

std::unique_ptr<CameraStream>
CameraStream::open(const CameraSource& source, std::function<bool()> interrupted, QString& error) {
    static std::once_flag registered;
    std::call_once(registered, [] { avdevice_register_all(); });
    auto h = std::make_unique<Handles>();
    h->interrupted = std::move(interrupted);
    h->format = avformat_alloc_context();
    h->format->interrupt_callback = {
        [](void* opaque) { return int(static_cast<Handles*>(opaque)->interrupted()); }, h.get()};

    const AVInputFormat* inputFormat = nullptr;
    if (!source.format.isEmpty()) {
        inputFormat = av_find_input_format(source.format.toUtf8().constData());
        if (!inputFormat) {
            error = "unknown input format " + source.format;
            return nullptr;
        }
    }
    int rc = avformat_open_input(&h->format, source.url.toUtf8().constData(), inputFormat, nullptr);
    if (rc < 0) {
        // A failed open frees the context.
        h->format = nullptr;
        error = source.url + ": " + averror(rc);
        return nullptr;
    }
    if ((rc = avformat_find_stream_info(h->format, nullptr)) < 0) {
        error = source.url + ": " + averror(rc);
        return nullptr;
    }
    const AVCodec* codec = nullptr;
    h->stream = av_find_best_stream(h->format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (h->stream < 0 || !codec) {
        error = source.url + ": no picture to decode";
        return nullptr;
    }
    const AVStream* stream = h->format->streams[h->stream];
    h->timeBase = stream->time_base;
    h->decoder = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(h->decoder, stream->codecpar);
    if ((rc = avcodec_open2(h->decoder, codec, nullptr)) < 0) {
        error = source.url + ": " + averror(rc);
        return nullptr;
    }
    const bool live = QString::fromUtf8(h->format->iformat->name).contains("video4linux2");
    const AVRational rate =
        stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate;
    std::unique_ptr<CameraStream> opened(new CameraStream(std::move(h)));
    opened->live_ = live;
    opened->frameRate_ = rate.den ? av_q2d(rate) : 0;
    return opened;
}

CameraStream::CameraStream(std::unique_ptr<Handles> handles) : h_(std::move(handles)) {}

CameraStream::~CameraStream() = default;

std::optional<CameraStream::Frame> CameraStream::read(QString& error) {
    for (;;) {
        if (std::optional<Frame> frame = receive())
            return frame;
        if (draining_) {
            error = "the camera's stream ended";
            return std::nullopt;
        }
        const int rc = av_read_frame(h_->format, h_->packet);
        if (rc == AVERROR(EAGAIN)) {
            if (h_->interrupted()) {
                error = "stopped";
                return std::nullopt;
            }
            av_usleep(2000);
            continue;
        }
        if (rc < 0) {
            if (rc != AVERROR_EOF) {
                error = "the camera went away: " + averror(rc);
                return std::nullopt;
            }
            // The last pictures still inside the decoder come out first.
            draining_ = true;
            avcodec_send_packet(h_->decoder, nullptr);
            continue;
        }
        if (h_->packet->stream_index == h_->stream) {
            const int sent = avcodec_send_packet(h_->decoder, h_->packet);
            // A damaged picture (a broken MJPEG frame) is skipped; the stream goes on.
            if (sent < 0 && sent != AVERROR(EAGAIN))
                av_log(nullptr, AV_LOG_DEBUG, "camera packet dropped\n");
        }
        av_packet_unref(h_->packet);
    }
}

std::optional<CameraStream::Frame> CameraStream::receive() {
    while (avcodec_receive_frame(h_->decoder, h_->frame) == 0) {
        Frame out;
        out.image = toBgra(h_->frame);
        const int64_t pts = h_->frame->best_effort_timestamp;
        if (pts != AV_NOPTS_VALUE)
            out.time = double(pts) * av_q2d(h_->timeBase);
        av_frame_unref(h_->frame);
        if (!out.image.isNull())
            return out;
    }
    return std::nullopt;
}

QImage CameraStream::toBgra(const AVFrame* frame) {
    const auto format = AVPixelFormat(frame->format);
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
    if (!desc || frame->width <= 0 || frame->height <= 0)
        return {};
    h_->scaler = sws_getCachedContext(h_->scaler, frame->width, frame->height, format, frame->width,
                                      frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr,
                                      nullptr, nullptr);
    if (!h_->scaler)
        return {};
    // A picture with its own transparency is premultiplied after the conversion.
    const bool alpha = desc->flags & AV_PIX_FMT_FLAG_ALPHA;
    QImage image(frame->width, frame->height,
                 alpha ? QImage::Format_ARGB32 : QImage::Format_ARGB32_Premultiplied);
    uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(h_->scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
    if (alpha)
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}
