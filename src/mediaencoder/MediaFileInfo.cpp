// Reading a written file back: its real length, from the packets it holds rather than from
// what its header claims (an interrupted file has no finished header).
#include "MediaEncoder.h"

#include <algorithm>
#include <limits>

extern "C" {
#include <libavformat/avformat.h>
}

extern "C" int apiMediaFileDuration(const char* path, int64_t* durationMs) {
    if (!path || !durationMs)
        return MEDIA_ENCODER_EARG;
    AVFormatContext* fmt = nullptr;
    if (avformat_open_input(&fmt, path, nullptr, nullptr) < 0)
        return MEDIA_ENCODER_EIO;
    int rc = MEDIA_ENCODER_ECONTAINER;
    AVPacket* pkt = av_packet_alloc();
    if (pkt && avformat_find_stream_info(fmt, nullptr) >= 0) {
        // Seconds, so streams with different time bases compare.
        double start = std::numeric_limits<double>::max(), end = 0;
        while (av_read_frame(fmt, pkt) >= 0) {
            const int64_t t = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (t != AV_NOPTS_VALUE && pkt->size > 0) {
                const double base = av_q2d(fmt->streams[pkt->stream_index]->time_base);
                start = std::min(start, t * base);
                end = std::max(end, (t + pkt->duration) * base);
            }
            av_packet_unref(pkt);
        }
        if (end > start) {
            *durationMs = int64_t((end - std::max(start, 0.0)) * 1000.0 + 0.5);
            rc = MEDIA_ENCODER_OK;
        }
    }
    av_packet_free(&pkt);
    avformat_close_input(&fmt);
    return rc;
}
