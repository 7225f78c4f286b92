// LD_PRELOAD shim for benchmarks: blocks the program's main thread for STALL_MS milliseconds
// (default 500) every STALL_EVERY_MS (default 2000), as a busy window would. A helper thread
// sends SIGURG to the main thread, whose handler sleeps; nothing else in the program changes.
#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

long envMs(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v ? std::atol(v) : fallback;
}

long stallMs = 500;

void stall(int) {
    timespec t{stallMs / 1000, (stallMs % 1000) * 1000000};
    while (nanosleep(&t, &t) != 0) {
    }
}

__attribute__((constructor)) void start() {
    stallMs = envMs("STALL_MS", 500);
    const long everyMs = envMs("STALL_EVERY_MS", 2000);
    struct sigaction action {};
    action.sa_handler = stall;
    action.sa_flags = SA_RESTART;
    sigaction(SIGURG, &action, nullptr);
    const pthread_t mainThread = pthread_self();
    std::thread([mainThread, everyMs] {
        // Only the main thread may take the signal.
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGURG);
        pthread_sigmask(SIG_BLOCK, &set, nullptr);
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(everyMs));
            pthread_kill(mainThread, SIGURG);
        }
    }).detach();
}

} // namespace
