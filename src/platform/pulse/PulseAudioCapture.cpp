#include "PulseAudioCapture.h"

#include "KTLog.h"
#include "PulseDeviceNames.h"

#include <pulse/pulseaudio.h>

#include <cstring>
#include <memory>

namespace {

const pa_usec_t kRetryInterval = 1000000; // 1 s
const uint32_t kFragmentMs = 20;

// Interleaved frames to one block per channel.
std::vector<uint8_t> planar(const uint8_t* data, size_t frames, int channels) {
    std::vector<uint8_t> out(frames * channels * sizeof(int32_t));
    for (size_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            std::memcpy(&out[(c * frames + f) * sizeof(int32_t)],
                        data + (f * channels + c) * sizeof(int32_t), sizeof(int32_t));
    return out;
}

} // namespace

PulseAudioCapture::PulseAudioCapture() {
    loop_ = pa_threaded_mainloop_new();
    pa_threaded_mainloop_start(loop_);
}

PulseAudioCapture::~PulseAudioCapture() {
    stop();
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

void PulseAudioCapture::start(const QString& UID, int sampleRate, int channels,
                              BufferHandler handler) {
    pa_threaded_mainloop_lock(loop_);
    teardown();
    ++generation_;
    wanted_ = true;
    source_ = UID.isEmpty() ? QByteArray() : sourceName(UID);
    sampleRate_ = sampleRate;
    channels_ = channels;
    handler_ = std::move(handler);
    connectContext();
    pa_threaded_mainloop_unlock(loop_);
}

void PulseAudioCapture::stop() {
    pa_threaded_mainloop_lock(loop_);
    wanted_ = false;
    teardown();
    ++generation_;
    pa_threaded_mainloop_unlock(loop_);
    // Let buffers already queued run out (they are dropped) so none arrives after this.
    queue_.sync([] {});
}

void PulseAudioCapture::teardown() {
    running_ = false;
    if (retryTimer_) {
        pa_threaded_mainloop_get_api(loop_)->time_free(retryTimer_);
        retryTimer_ = nullptr;
    }
    if (stream_) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_read_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
}

void PulseAudioCapture::retryLater() {
    teardown();
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    struct timeval when;
    pa_timeval_add(pa_gettimeofday(&when), kRetryInterval);
    retryTimer_ = api->time_new(api, &when, retry, this);
}

void PulseAudioCapture::retry(pa_mainloop_api* api, pa_time_event* timer, const struct timeval*,
                              void* self) {
    auto* capture = static_cast<PulseAudioCapture*>(self);
    api->time_free(timer);
    capture->retryTimer_ = nullptr;
    if (capture->wanted_)
        capture->connectContext();
}

void PulseAudioCapture::connectContext() {
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Tapedeck capture");
    pa_context_set_state_callback(context_, contextChanged, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        retryLater();
}

void PulseAudioCapture::contextChanged(pa_context* c, void* self) {
    auto* capture = static_cast<PulseAudioCapture*>(self);
    switch (pa_context_get_state(c)) {
    case PA_CONTEXT_READY:
        capture->openStream();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        if (capture->running_)
            systemLog("audio server went away; recording goes on without sound");
        capture->retryLater();
        break;
    default:
        break;
    }
}

void PulseAudioCapture::openStream() {
    pa_sample_spec format{PA_SAMPLE_S32LE, uint32_t(sampleRate_), uint8_t(channels_)};
    if (!pa_sample_spec_valid(&format)) {
        KTLOG("audio format refused: %d Hz, %d channels", sampleRate_, channels_);
        wanted_ = false;
        teardown();
        return;
    }
    stream_ = pa_stream_new(context_, "Tapedeck recording", &format, nullptr);
    clock_.emplace(sampleRate_);
    if (!stream_) {
        retryLater();
        return;
    }
    pa_stream_set_state_callback(stream_, streamChanged, this);
    pa_stream_set_read_callback(stream_, readable, this);
    pa_buffer_attr attr;
    std::memset(&attr, 0xff, sizeof attr); // server defaults for everything else
    attr.fragsize = uint32_t(pa_usec_to_bytes(kFragmentMs * 1000, &format));
    if (pa_stream_connect_record(stream_, source_.isEmpty() ? nullptr : source_.constData(), &attr,
                                 PA_STREAM_ADJUST_LATENCY) < 0)
        retryLater();
}

void PulseAudioCapture::streamChanged(pa_stream* s, void* self) {
    auto* capture = static_cast<PulseAudioCapture*>(self);
    switch (pa_stream_get_state(s)) {
    case PA_STREAM_READY:
        capture->running_ = true;
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        // The device went away (or the server is going): try again in a while.
        systemLog("audio capture stopped: " +
                  QString::fromUtf8(pa_strerror(pa_context_errno(capture->context_))));
        capture->retryLater();
        break;
    default:
        break;
    }
}

void PulseAudioCapture::readable(pa_stream*, size_t, void* self) {
    static_cast<PulseAudioCapture*>(self)->deliver();
}

void PulseAudioCapture::deliver() {
    const size_t frameBytes = size_t(channels_) * sizeof(int32_t);
    const void* data = nullptr;
    size_t bytes = 0;
    while (stream_ && pa_stream_readable_size(stream_) > 0) {
        if (pa_stream_peek(stream_, &data, &bytes) < 0 || bytes == 0)
            return;
        const size_t frames = bytes / frameBytes;
        // A hole carries nothing to record, but its time passes all the same.
        if (!data) {
            clock_->skipped(frames);
        } else {
            // Taken as completed on arrival: the server's latency figures are not reliable for
            // every source (a sine source reports seconds), and the clock filters the delay.
            timeval now;
            pa_gettimeofday(&now);
            const double captureTime =
                clock_->bufferArrived(double(now.tv_sec) + double(now.tv_usec) / 1e6, frames);
            auto buffer = std::make_shared<std::vector<uint8_t>>(
                planar(static_cast<const uint8_t*>(data), frames, channels_));
            uint64_t generation = generation_.load();
            queue_.async([this, buffer, frames, captureTime, generation, handler = handler_] {
                if (generation == generation_.load())
                    handler(*buffer, frames, captureTime);
            });
        }
        pa_stream_drop(stream_);
    }
}
