#include "VideoConverter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace mediaencoder {

namespace {

struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;

void keepPixels(void*, uint8_t*) {}

void fillBlack(AVFrame* f) {
    for (int y = 0; y < f->height; ++y)
        std::memset(f->data[0] + y * f->linesize[0], 16, f->width);
    for (int p = 1; p < 3; ++p)
        for (int y = 0; y < (f->height + 1) / 2; ++y)
            std::memset(f->data[p] + y * f->linesize[p], 128, (f->width + 1) / 2);
}

} // namespace

Rect fitRect(int sw, int sh, int dw, int dh) {
    if (sw == dw && sh == dh)
        return {0, 0, dw, dh};
    double scale = std::min(double(dw) / sw, double(dh) / sh);
    int w = std::clamp(int(std::lround(sw * scale)) & ~1, 2, dw);
    int h = std::clamp(int(std::lround(sh * scale)) & ~1, 2, dh);
    return {((dw - w) / 2) & ~1, ((dh - h) / 2) & ~1, w, h};
}

VideoConverter::~VideoConverter() {
    sws_freeContext(sws_);
}

bool VideoConverter::prepare(int sw, int sh, int dw, int dh, int flags) {
    const std::array<int, 5> wanted{sw, sh, dw, dh, flags};
    if (sws_ && made_ == wanted)
        return true;
    sws_freeContext(sws_);
    sws_ = sws_alloc_context();
    if (!sws_)
        return false;
    av_opt_set_int(sws_, "srcw", sw, 0);
    av_opt_set_int(sws_, "srch", sh, 0);
    av_opt_set_int(sws_, "src_format", AV_PIX_FMT_BGRA, 0);
    av_opt_set_int(sws_, "dstw", dw, 0);
    av_opt_set_int(sws_, "dsth", dh, 0);
    av_opt_set_int(sws_, "dst_format", AV_PIX_FMT_YUV420P, 0);
    av_opt_set_int(sws_, "sws_flags", flags, 0);
    // Slices of one picture on several cores: a 4K frame is ready in a fraction of a frame's
    // time, so the pushing thread never holds up the screen grabs behind it.
    av_opt_set_int(sws_, "threads", threads_, 0);
    if (sws_init_context(sws_, nullptr, nullptr) < 0) {
        sws_freeContext(sws_);
        sws_ = nullptr;
        return false;
    }
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(sws_, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    made_ = wanted;
    return true;
}

bool VideoConverter::convert(const uint8_t* bgra, int width, int height, int bytesPerRow,
                             AVFrame* dst) {
    const Rect r = fitRect(width, height, dst->width, dst->height);
    // Point sampling is exact when nothing is scaled; bilinear otherwise.
    const int flags = (r.width == width && r.height == height) ? SWS_POINT : SWS_BILINEAR;
    if (!prepare(width, height, r.width, r.height, flags))
        return false;
    if (r.width != dst->width || r.height != dst->height)
        fillBlack(dst);

    // The caller's pixels as they are, not copied: they outlive the call.
    FramePtr src(av_frame_alloc());
    FramePtr area(av_frame_alloc());
    if (!src || !area || av_frame_ref(area.get(), dst) < 0)
        return false;
    src->format = AV_PIX_FMT_BGRA;
    src->width = width;
    src->height = height;
    src->data[0] = const_cast<uint8_t*>(bgra);
    src->linesize[0] = bytesPerRow;
    src->buf[0] = av_buffer_create(src->data[0], bytesPerRow * height, keepPixels, nullptr,
                                   AV_BUFFER_FLAG_READONLY);
    if (!src->buf[0])
        return false;
    // The part of dst the picture lands in.
    area->width = r.width;
    area->height = r.height;
    area->data[0] += r.y * dst->linesize[0] + r.x;
    area->data[1] += (r.y / 2) * dst->linesize[1] + r.x / 2;
    area->data[2] += (r.y / 2) * dst->linesize[2] + r.x / 2;
    return sws_scale_frame(sws_, area.get(), src.get()) >= 0;
}

} // namespace mediaencoder
