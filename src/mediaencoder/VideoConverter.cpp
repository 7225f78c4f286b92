#include "VideoConverter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace mediaencoder {

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

static void fillBlack(AVFrame* f) {
    for (int y = 0; y < f->height; ++y)
        std::memset(f->data[0] + y * f->linesize[0], 16, f->width);
    for (int p = 1; p < 3; ++p)
        for (int y = 0; y < (f->height + 1) / 2; ++y)
            std::memset(f->data[p] + y * f->linesize[p], 128, (f->width + 1) / 2);
}

bool VideoConverter::convert(const uint8_t* bgra, int width, int height, int bytesPerRow,
                             AVFrame* dst) {
    Rect r = fitRect(width, height, dst->width, dst->height);
    // Point sampling is exact when nothing is scaled; bilinear otherwise.
    int flags = (r.width == width && r.height == height) ? SWS_POINT : SWS_BILINEAR;
    sws_ = sws_getCachedContext(sws_, width, height, AV_PIX_FMT_BGRA, r.width, r.height,
                                AV_PIX_FMT_YUV420P, flags, nullptr, nullptr, nullptr);
    if (!sws_)
        return false;
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(sws_, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);

    if (r.width != dst->width || r.height != dst->height)
        fillBlack(dst);
    uint8_t* planes[4] = {dst->data[0] + r.y * dst->linesize[0] + r.x,
                          dst->data[1] + (r.y / 2) * dst->linesize[1] + r.x / 2,
                          dst->data[2] + (r.y / 2) * dst->linesize[2] + r.x / 2, nullptr};
    const uint8_t* src[4] = {bgra, nullptr, nullptr, nullptr};
    const int srcStride[4] = {bytesPerRow, 0, 0, 0};
    return sws_scale(sws_, src, srcStride, 0, height, planes, dst->linesize) == r.height;
}

} // namespace mediaencoder
