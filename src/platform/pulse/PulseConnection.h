// A blocking connection to the PulseAudio server on its own threaded main loop, for short
// queries and commands made from any thread. It connects again after the server went away.
#pragma once

#include <pulse/pulseaudio.h>

class PulseConnection {
public:
    explicit PulseConnection(const char* clientName);
    ~PulseConnection();

    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // Holds the loop's lock for the lifetime of the object; every call below needs it.
    class Lock {
    public:
        explicit Lock(PulseConnection& c) : loop_(c.loop_) { pa_threaded_mainloop_lock(loop_); }
        ~Lock() { pa_threaded_mainloop_unlock(loop_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        pa_threaded_mainloop* loop_;
    };

    // Connects when there is no live connection; false when no server answers.
    bool ready();
    pa_context* context() const { return context_; }
    // Waits until the operation finishes (or the connection dies) and releases it. Callbacks
    // of the operation must call signal().
    void wait(pa_operation* op);
    void signal() { pa_threaded_mainloop_signal(loop_, 0); }

private:
    void dropContext();
    static void stateChanged(pa_context* c, void* self);

    const char* clientName_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
};
