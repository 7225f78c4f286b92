// The C calls: each looks the handle up in a registry first, so a null, closed or made-up handle
// is refused instead of followed.
#include "MediaEncoder.h"

#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

#include "Encoder.h"

extern "C" {
#include <libavutil/log.h>
}

using mediaencoder::Encoder;

namespace {

std::mutex registryMutex;
std::unordered_map<MediaEncoder*, std::shared_ptr<Encoder>>& registry() {
    static std::unordered_map<MediaEncoder*, std::shared_ptr<Encoder>> handles;
    return handles;
}

std::shared_ptr<Encoder> find(MediaEncoder* h) {
    std::lock_guard lock(registryMutex);
    auto it = registry().find(h);
    return it == registry().end() ? nullptr : it->second;
}

template <typename R, typename F> R call(MediaEncoder* h, F&& f) {
    std::shared_ptr<Encoder> e = find(h);
    if (!e)
        return R(MEDIA_ENCODER_EHANDLE);
    return f(*e);
}

} // namespace

extern "C" {

MediaEncoder* apiEncoderCreate(void) {
    // FFmpeg's chatter (codec banners, statistics) is no use in a recorder's log.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_ERROR); });
    try {
        auto e = std::make_shared<Encoder>();
        auto* h = reinterpret_cast<MediaEncoder*>(e.get());
        std::lock_guard lock(registryMutex);
        registry().emplace(h, std::move(e));
        return h;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

int apiEncoderSetOutputPath(MediaEncoder* h, const char* path) {
    return call<int>(h, [&](Encoder& e) { return e.setOutputPath(path); });
}

int apiEncoderSetImageSize(MediaEncoder* h, int32_t width, int32_t height) {
    return call<int>(h, [&](Encoder& e) { return e.setImageSize(width, height); });
}

int apiEncoderSetImageFormat(MediaEncoder* h, int32_t format) {
    return call<int>(h, [&](Encoder& e) { return e.setImageFormat(format); });
}

int apiEncoderSetOutputSize(MediaEncoder* h, int32_t width, int32_t height) {
    return call<int>(h, [&](Encoder& e) { return e.setOutputSize(width, height); });
}

int apiEncoderSetFps(MediaEncoder* h, double fps) {
    return call<int>(h, [&](Encoder& e) { return e.setFps(fps); });
}

int apiEncoderSetVideoBitrate(MediaEncoder* h, double kbps) {
    return call<int>(h, [&](Encoder& e) { return e.setVideoBitrate(kbps); });
}

int apiEncoderSetAudioSrcContext(MediaEncoder* h, int32_t channels, int32_t sampleRate,
                                 int32_t sampleFormat) {
    return call<int>(
        h, [&](Encoder& e) { return e.setAudioSrcContext(channels, sampleRate, sampleFormat); });
}

int apiEncoderSetAudioBitrate(MediaEncoder* h, double kbps) {
    return call<int>(h, [&](Encoder& e) { return e.setAudioBitrate(kbps); });
}

int apiEncoderSetAudioEncodeContext(MediaEncoder* h, int32_t channels, int32_t sampleRate) {
    return call<int>(h, [&](Encoder& e) { return e.setAudioEncodeContext(channels, sampleRate); });
}

int apiEncoderSetLimitTime(MediaEncoder* h, int32_t seconds) {
    return call<int>(h, [&](Encoder& e) { return e.setLimitTime(seconds); });
}

int apiEncoderSetLimitSize(MediaEncoder* h, int32_t megabytes) {
    return call<int>(h, [&](Encoder& e) { return e.setLimitSize(megabytes); });
}

int apiEncoderEncode(MediaEncoder* h) {
    return call<int>(h, [](Encoder& e) { return e.encode(); });
}

int apiEncoderPushVideo(MediaEncoder* h, const MediaVideoFrame* frame, int64_t ptsMs) {
    return call<int>(h, [&](Encoder& e) { return e.pushVideo(frame, ptsMs); });
}

int apiEncoderPushVideoRepeat(MediaEncoder* h, int64_t ptsMs) {
    return call<int>(h, [&](Encoder& e) { return e.pushVideoRepeat(ptsMs); });
}

int apiEncoderPushAudio(MediaEncoder* h, const MediaAudioFrame* frame) {
    return call<int>(h, [&](Encoder& e) { return e.pushAudio(frame); });
}

int apiEncodePushVideoTrailer(MediaEncoder* h) {
    return call<int>(h, [](Encoder& e) { return e.pushVideoTrailer(); });
}

int apiEncodePushAudioTrailer(MediaEncoder* h) {
    return call<int>(h, [](Encoder& e) { return e.pushAudioTrailer(); });
}

int apiEncodeIsDone(MediaEncoder* h) {
    return call<int>(h, [](Encoder& e) { return e.isDone(); });
}

int apiEncoderClose(MediaEncoder* h) {
    std::shared_ptr<Encoder> e;
    {
        std::lock_guard lock(registryMutex);
        auto it = registry().find(h);
        if (it == registry().end())
            return MEDIA_ENCODER_EHANDLE;
        e = std::move(it->second);
        registry().erase(it);
    }
    return e->close();
}

int64_t apiEncoderGetFileSize(MediaEncoder* h) {
    return call<int64_t>(h, [](Encoder& e) { return e.fileSize(); });
}

int64_t apiEncoderGetEncodedTimestamp(MediaEncoder* h) {
    return call<int64_t>(h, [](Encoder& e) { return e.encodedTimestamp(); });
}

int64_t apiEncoderGetDroppedFrames(MediaEncoder* h) {
    return call<int64_t>(h, [](Encoder& e) { return e.droppedFrames(); });
}

} // extern "C"
