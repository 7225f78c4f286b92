#include "PulseConnection.h"

PulseConnection::PulseConnection(const char* clientName) : clientName_(clientName) {
    loop_ = pa_threaded_mainloop_new();
    pa_threaded_mainloop_start(loop_);
}

PulseConnection::~PulseConnection() {
    {
        Lock lock(*this);
        dropContext();
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

void PulseConnection::stateChanged(pa_context*, void* self) {
    static_cast<PulseConnection*>(self)->signal();
}

void PulseConnection::dropContext() {
    if (!context_)
        return;
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
}

bool PulseConnection::ready() {
    if (context_ && pa_context_get_state(context_) == PA_CONTEXT_READY)
        return true;
    dropContext();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), clientName_);
    if (!context_)
        return false;
    pa_context_set_state_callback(context_, stateChanged, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        dropContext();
        return false;
    }
    for (;;) {
        pa_context_state_t state = pa_context_get_state(context_);
        if (state == PA_CONTEXT_READY)
            return true;
        if (!PA_CONTEXT_IS_GOOD(state)) {
            dropContext();
            return false;
        }
        pa_threaded_mainloop_wait(loop_);
    }
}

void PulseConnection::wait(pa_operation* op) {
    if (!op)
        return;
    while (pa_operation_get_state(op) == PA_OPERATION_RUNNING &&
           PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)))
        pa_threaded_mainloop_wait(loop_);
    pa_operation_unref(op);
}
