#include "PulseAudioCapture.h"

#include "KTLog.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <cstring>

namespace {

const double kRetryInterval = 0.5;  // seconds between attempts to reach a lost source or server
const double kConnectTimeout = 2.0; // a server or stream that is not up by then is tried afresh
const double kSettle = 0.5;         // seconds of sound before it counts as back
const pa_usec_t kTick = 20000;      // how often the mix is handed on without waiting for sound
const uint32_t kFragmentMs = 20;

double wallClock() {
    timeval now;
    pa_gettimeofday(&now);
    return double(now.tv_sec) + double(now.tv_usec) / 1e6;
}

} // namespace

PulseAudioCapture::PulseAudioCapture(PulseAudioHardware& hardware) : hardware_(hardware) {
    loop_ = pa_threaded_mainloop_new();
    pa_threaded_mainloop_start(loop_);
}

PulseAudioCapture::~PulseAudioCapture() {
    stop();
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

void PulseAudioCapture::setMissingHandler(MissingHandler handler) {
    pa_threaded_mainloop_lock(loop_);
    missingHandler_ = std::move(handler);
    pa_threaded_mainloop_unlock(loop_);
}

void PulseAudioCapture::start(const QString& UID, int sampleRate, int channels,
                              BufferHandler handler) {
    std::vector<PulseAudioHardware::Source> sources = hardware_.captureSources(UID);
    pa_threaded_mainloop_lock(loop_);
    teardown();
    ++generation_;
    const pa_sample_spec format{PA_SAMPLE_S32LE, uint32_t(sampleRate), uint8_t(channels)};
    if (!pa_sample_spec_valid(&format)) {
        KTLOG("audio format refused: %d Hz, %d channels", sampleRate, channels);
        pa_threaded_mainloop_unlock(loop_);
        return;
    }
    wanted_ = true;
    sources_ = std::move(sources);
    sampleRate_ = sampleRate;
    channels_ = channels;
    handler_ = std::move(handler);
    mixer_.emplace(sampleRate, channels, wallClock());
    for (const PulseAudioHardware::Source& s : sources_)
        addLeg(s);
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    timeval when;
    timer_ = api->time_new(api, pa_timeval_add(pa_gettimeofday(&when), kTick), ticked, this);
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
    if (timer_) {
        pa_threaded_mainloop_get_api(loop_)->time_free(timer_);
        timer_ = nullptr;
    }
    for (auto& leg : legs_)
        closeLeg(*leg);
    legs_.clear();
    dropContext();
    missing_ = false;
    mixer_.reset();
}

void PulseAudioCapture::dropContext() {
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_set_subscribe_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    serverKnown_ = false;
}

PulseAudioCapture::Leg& PulseAudioCapture::addLeg(const PulseAudioHardware::Source& source) {
    auto leg = std::make_unique<Leg>();
    leg->owner = this;
    leg->id = nextLeg_++;
    leg->source = source;
    legs_.push_back(std::move(leg));
    return *legs_.back();
}

void PulseAudioCapture::connectContext() {
    connectedAt_ = wallClock();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Tapedeck capture");
    pa_context_set_state_callback(context_, contextChanged, this);
    // A refused connection may already have been handled by the state callback.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 && context_)
        contextLost();
}

void PulseAudioCapture::contextLost() {
    for (auto& leg : legs_) {
        closeLeg(*leg);
        leg->failed = false;
    }
    // Of the streams following a default, only the newest is still wanted.
    std::erase_if(legs_, [](const auto& leg) { return leg->retiring; });
    dropContext();
    contextRetryAt_ = wallClock() + kRetryInterval;
    running_ = false;
    reportMissing();
}

void PulseAudioCapture::contextChanged(pa_context* c, void* self) {
    auto* capture = static_cast<PulseAudioCapture*>(self);
    switch (pa_context_get_state(c)) {
    case PA_CONTEXT_READY:
        // Only server events are asked for: the defaults may have changed.
        pa_context_set_subscribe_callback(
            c,
            [](pa_context* c, pa_subscription_event_type_t, uint32_t, void* self) {
                pa_operation_unref(pa_context_get_server_info(c, serverInfo, self));
            },
            capture);
        pa_operation_unref(pa_context_subscribe(c, PA_SUBSCRIPTION_MASK_SERVER, nullptr, nullptr));
        pa_operation_unref(pa_context_get_server_info(c, serverInfo, capture));
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        capture->contextLost();
        break;
    default:
        break;
    }
}

void PulseAudioCapture::serverInfo(pa_context*, const pa_server_info* info, void* self) {
    auto* capture = static_cast<PulseAudioCapture*>(self);
    if (!info || !capture->context_)
        return;
    capture->defaultSink_ = info->default_sink_name ? QByteArray(info->default_sink_name) : "";
    if (!capture->serverKnown_) {
        capture->serverKnown_ = true;
        for (auto& leg : capture->legs_)
            capture->openLeg(*leg);
        capture->reportMissing();
    } else {
        capture->followDefaultSink();
    }
}

void PulseAudioCapture::followDefaultSink() {
    const QByteArray monitor = defaultSink_.isEmpty() ? QByteArray() : defaultSink_ + ".monitor";
    const size_t count = legs_.size();
    for (size_t i = 0; i < count; ++i) {
        Leg& leg = *legs_[i];
        if (leg.source.kind != PulseAudioHardware::Source::DefaultMonitor || leg.retiring ||
            leg.device == monitor)
            continue;
        leg.retiring = true;
        if (leg.failed || !leg.stream)
            closeLeg(leg);
        // The sound now goes to the new sink: record its monitor; the old stream stays until
        // the new one delivers, so the switch leaves no gap.
        openLeg(addLeg(leg.source));
    }
    std::erase_if(legs_, [](const auto& leg) { return leg->retiring && !leg->stream; });
}

void PulseAudioCapture::openLeg(Leg& leg) {
    using Source = PulseAudioHardware::Source;
    if (leg.stream || !context_ || !serverKnown_)
        return;
    leg.device = leg.source.kind == Source::Named ? leg.source.name
                 : leg.source.kind == Source::DefaultMonitor && !defaultSink_.isEmpty()
                     ? defaultSink_ + ".monitor"
                     : QByteArray();
    if (leg.source.kind == Source::DefaultMonitor && leg.device.isEmpty())
        return; // nothing plays anywhere: silence
    const pa_sample_spec format{PA_SAMPLE_S32LE, uint32_t(sampleRate_), uint8_t(channels_)};
    leg.stream = pa_stream_new(context_, "Tapedeck recording", &format, nullptr);
    if (!leg.stream) {
        legFailed(leg);
        return;
    }
    leg.clock.emplace(sampleRate_);
    leg.delivered = leg.ready = false;
    leg.openedAt = wallClock();
    pa_stream_set_state_callback(leg.stream, streamChanged, &leg);
    pa_stream_set_read_callback(leg.stream, readable, &leg);
    pa_buffer_attr attr;
    std::memset(&attr, 0xff, sizeof attr); // server defaults for everything else
    attr.fragsize = uint32_t(pa_usec_to_bytes(kFragmentMs * 1000, &format));
    // A named source is recorded or missed, never swapped for another by the server.
    const auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY |
                                         (leg.device.isEmpty() ? 0 : PA_STREAM_DONT_MOVE));
    if (pa_stream_connect_record(
            leg.stream, leg.device.isEmpty() ? nullptr : leg.device.constData(), &attr, flags) < 0)
        legFailed(leg);
}

void PulseAudioCapture::closeLeg(Leg& leg) {
    if (mixer_)
        mixer_->forget(leg.id);
    if (!leg.stream)
        return;
    pa_stream_set_state_callback(leg.stream, nullptr, nullptr);
    pa_stream_set_read_callback(leg.stream, nullptr, nullptr);
    pa_stream_disconnect(leg.stream);
    pa_stream_unref(leg.stream);
    leg.stream = nullptr;
}

void PulseAudioCapture::legFailed(Leg& leg) {
    closeLeg(leg);
    if (leg.retiring) {
        const int id = leg.id;
        std::erase_if(legs_, [id](const auto& l) { return l->id == id; });
        return;
    }
    leg.failed = true;
    leg.retryAt = wallClock() + kRetryInterval;
    running_ = false;
    reportMissing();
}

void PulseAudioCapture::streamChanged(pa_stream* s, void* data) {
    auto& leg = *static_cast<Leg*>(data);
    PulseAudioCapture* capture = leg.owner;
    switch (pa_stream_get_state(s)) {
    case PA_STREAM_READY:
        leg.failed = false;
        leg.ready = true;
        capture->reportMissing();
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        // The source went away (or the server is going): silence, and try again in a while.
        capture->legFailed(leg);
        break;
    default:
        break;
    }
}

void PulseAudioCapture::readable(pa_stream*, size_t, void* data) {
    auto& leg = *static_cast<Leg*>(data);
    PulseAudioCapture* capture = leg.owner;
    capture->read(leg);
    capture->handOn();
}

void PulseAudioCapture::read(Leg& leg) {
    const size_t frameBytes = size_t(channels_) * sizeof(int32_t);
    const void* data = nullptr;
    size_t bytes = 0;
    bool delivered = false;
    while (leg.stream && pa_stream_readable_size(leg.stream) > 0) {
        if (pa_stream_peek(leg.stream, &data, &bytes) < 0 || bytes == 0)
            break;
        const size_t frames = bytes / frameBytes;
        // Taken as completed on arrival: the server's latency figures are not reliable for
        // every source (a sine source reports seconds), and the clock filters the delay. A hole
        // carries nothing to record, but its time passes all the same.
        const double captureTime = leg.clock->bufferArrived(wallClock(), frames);
        mixer_->add(leg.id, static_cast<const int32_t*>(data), frames, captureTime);
        delivered |= data != nullptr;
        pa_stream_drop(leg.stream);
    }
    if (!delivered || leg.delivered)
        return;
    leg.delivered = true;
    reportMissing();
    // The first sound of a stream that follows the default sink: the ones it replaces go.
    const int id = leg.id;
    for (auto& other : legs_)
        if (other->retiring && other->id < id &&
            other->source.kind == PulseAudioHardware::Source::DefaultMonitor)
            closeLeg(*other);
    std::erase_if(legs_, [id](const auto& l) { return l->retiring && l->id < id; });
}

void PulseAudioCapture::ticked(pa_mainloop_api* api, pa_time_event* timer, const struct timeval*,
                               void* self) {
    auto* capture = static_cast<PulseAudioCapture*>(self);
    capture->tick();
    timeval when;
    api->time_restart(timer, pa_timeval_add(pa_gettimeofday(&when), kTick));
}

void PulseAudioCapture::tick() {
    const double now = wallClock();
    // A server on its way up can accept a connection and not answer it for a long while.
    if (context_ && !serverKnown_ && now - connectedAt_ > kConnectTimeout)
        contextLost();
    if (!context_ && wanted_ && now >= contextRetryAt_)
        connectContext();
    for (size_t i = 0; i < legs_.size(); ++i) {
        Leg& leg = *legs_[i];
        if (leg.stream && !leg.ready && now - leg.openedAt > kConnectTimeout)
            legFailed(leg); // may drop the leg
        else if (leg.failed && now >= leg.retryAt)
            openLeg(leg);
    }
    reportMissing();
    handOn();
}

void PulseAudioCapture::handOn() {
    if (!mixer_)
        return;
    AudioMixer::Output out = mixer_->take(wallClock());
    if (out.frames == 0)
        return;
    auto buffer = std::make_shared<std::vector<int32_t>>(std::move(out.samples));
    const uint64_t generation = generation_.load();
    queue_.async([this, buffer, frames = out.frames, time = out.captureTime, generation,
                  handler = handler_] {
        if (generation == generation_.load())
            handler({reinterpret_cast<const uint8_t*>(buffer->data()), buffer->size() * 4}, frames,
                    time);
    });
}

void PulseAudioCapture::reportMissing() {
    QString what = context_ ? QString() : QStringLiteral("the sound server");
    bool flowing = context_ && serverKnown_;
    for (const auto& leg : legs_) {
        if (leg->failed && what.isEmpty())
            what = QString::fromUtf8(leg->device.isEmpty() ? "the default input" : leg->device);
        // A stream following the default sink has nothing to record while there is none.
        flowing &= leg->retiring || leg->delivered || (!leg->failed && !leg->stream);
    }
    const bool missing = !what.isEmpty();
    running_ = flowing && !missing;
    // Back only once sound has flowed for a while: a server on its way up brings its devices
    // one by one, and that is still the same outage.
    if (missing || !running_)
        backSince_ = 0;
    else if (missing_ && backSince_ == 0)
        backSince_ = wallClock();
    if (missing == missing_ ||
        (!missing && (backSince_ == 0 || wallClock() - backSince_ < kSettle)))
        return;
    missing_ = missing;
    systemLog(missing ? "no sound from " + what + ": the recording goes on with silence"
                      : QStringLiteral("sound is back"));
    const uint64_t generation = generation_.load();
    queue_.async([this, missing, what, generation, handler = missingHandler_] {
        if (handler && generation == generation_.load())
            handler(missing, what);
    });
}
