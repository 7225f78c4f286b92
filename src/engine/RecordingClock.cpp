#include "RecordingClock.h"

#include <cstdint>

#include <sys/time.h>

double getNowTimeTimestamp() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return double(int64_t(tv.tv_sec) * 1000000 + tv.tv_usec) / 1000000.0;
}
