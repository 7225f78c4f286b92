// Recording an input device of PulseAudioHardware: one record stream (S32LE) per source the
// device is made of, all on one threaded main loop, mixed on the recording clock. "BlackHole
// 2ch" records the monitor of the server's default sink and moves along when the default sink
// changes, the new stream taking over once it delivers. A source or server that goes away is
// retried twice a second, its sound replaced by silence meanwhile; the change is logged once.
#pragma once

#include "AudioCapture.h"
#include "AudioCaptureClock.h"
#include "AudioMixer.h"
#include "PulseAudioHardware.h"
#include "SerialQueue.h"

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

struct pa_context;
struct pa_server_info;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

class PulseAudioCapture : public AudioCapture {
public:
    explicit PulseAudioCapture(PulseAudioHardware& hardware);
    ~PulseAudioCapture() override;

    void start(const QString& UID, int sampleRate, int channels, BufferHandler handler) override;
    void stop() override;
    bool isRunning() const override { return running_.load(); }
    void setMissingHandler(MissingHandler handler) override;

private:
    // One record stream feeding the mixer.
    struct Leg {
        PulseAudioCapture* owner = nullptr;
        int id = 0;
        PulseAudioHardware::Source source{};
        QByteArray device; // what the stream records; empty: the server's default source
        pa_stream* stream = nullptr;
        std::optional<AudioCaptureClock> clock;
        bool failed = false;   // its stream went away; retried at retryAt
        bool retiring = false; // a newer leg takes over once it delivers
        bool ready = false;
        bool delivered = false;
        double retryAt = 0;
        double openedAt = 0;
    };

    // All of these run with the loop's lock held.
    void connectContext();
    void contextLost();
    void dropContext();
    void teardown();
    void openLeg(Leg& leg);
    void closeLeg(Leg& leg);
    void legFailed(Leg& leg);
    void followDefaultSink();
    void read(Leg& leg);
    void tick();
    void handOn();
    void reportMissing();
    Leg& addLeg(const PulseAudioHardware::Source& source);

    static void contextChanged(pa_context* c, void* self);
    static void serverInfo(pa_context* c, const pa_server_info* info, void* self);
    static void streamChanged(pa_stream* s, void* leg);
    static void readable(pa_stream* s, size_t bytes, void* leg);
    static void ticked(struct pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self);

    PulseAudioHardware& hardware_;
    SerialQueue queue_{"AudioDataOutputQueue"};
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_time_event* timer_ = nullptr;

    // Guarded by the loop's lock.
    bool wanted_ = false;
    std::vector<PulseAudioHardware::Source> sources_;
    int sampleRate_ = 0;
    int channels_ = 0;
    BufferHandler handler_;
    MissingHandler missingHandler_;
    std::optional<AudioMixer> mixer_;
    std::vector<std::unique_ptr<Leg>> legs_;
    int nextLeg_ = 0;
    bool serverKnown_ = false; // the defaults have been read since the context connected
    QByteArray defaultSink_;
    double contextRetryAt_ = 0;
    double connectedAt_ = 0;
    bool missing_ = false; // as last reported
    double backSince_ = 0; // when sound started to flow again after it went missing

    std::atomic<bool> running_{false};
    // Buffers carry the generation they were captured in; a stop or restart moves it on, and
    // buffers of an older generation are dropped on the queue.
    std::atomic<uint64_t> generation_{0};
};
