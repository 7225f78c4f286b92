// A PulseAudio record stream (S32LE) on its own threaded main loop. Losing the server or the
// device is logged and retried once a second, so capture comes back when they do.
#pragma once

#include "AudioCapture.h"
#include "AudioCaptureClock.h"
#include "SerialQueue.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

class PulseAudioCapture : public AudioCapture {
public:
    PulseAudioCapture();
    ~PulseAudioCapture() override;

    void start(const QString& UID, int sampleRate, int channels, BufferHandler handler) override;
    void stop() override;
    bool isRunning() const override { return running_.load(); }

private:
    // All of these run with the loop's lock held.
    void connectContext();
    void openStream();
    void teardown();
    void retryLater();
    void deliver();

    static void contextChanged(pa_context* c, void* self);
    static void streamChanged(pa_stream* s, void* self);
    static void readable(pa_stream* s, size_t bytes, void* self);
    static void retry(struct pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self);

    SerialQueue queue_{"AudioDataOutputQueue"};
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* retryTimer_ = nullptr;

    bool wanted_ = false; // guarded by the loop's lock
    QByteArray source_;
    int sampleRate_ = 0;
    int channels_ = 0;
    BufferHandler handler_;
    std::optional<AudioCaptureClock> clock_; // per stream: a new stream starts its own timeline
    std::atomic<bool> running_{false};
    // Buffers carry the generation they were captured in; a stop or restart moves it on, and
    // buffers of an older generation are dropped on the queue.
    std::atomic<uint64_t> generation_{0};
};
