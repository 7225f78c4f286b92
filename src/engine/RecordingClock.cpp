#include "RecordingClock.h"

#include <sys/time.h>

#include <algorithm>
#include <cstdint>
#include <numeric>

double getNowTimeTimestamp() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return double(int64_t(tv.tv_sec) * 1000000 + tv.tv_usec) / 1000000.0;
}

RecordingClock::Status RecordingClock::status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

void RecordingClock::start() {
    std::lock_guard lock(mutex_);
    startDate_ = 0;
    fileTimes_.clear();
    status_ = Recording;
}

void RecordingClock::pause() {
    const double t = now_();
    std::lock_guard lock(mutex_);
    // Before the first frame nothing has been recorded yet; t - 0 would be decades.
    fileTimes_.push_back(startDate_ == 0 ? 0.0 : t - startDate_);
    status_ = Paused;
}

void RecordingClock::resume() {
    const double t = now_();
    std::lock_guard lock(mutex_);
    startDate_ = t;
    status_ = Resumed;
}

void RecordingClock::stop() {
    std::lock_guard lock(mutex_);
    status_ = Idle;
}

std::optional<double> RecordingClock::recordedTime(std::optional<double> at) {
    const double t = now_();
    std::lock_guard lock(mutex_);
    if (status_ != Recording && status_ != Resumed)
        return std::nullopt;
    if (startDate_ == 0) {
        fileTimes_.clear();
        startDate_ = t;
    }
    // A reading taken just before a resume counts from the resume, never into the pause.
    return (at ? *at : std::max(t, startDate_)) - startDate_ + pausedTime();
}

double RecordingClock::elapsed() {
    const double t = now_();
    std::lock_guard lock(mutex_);
    if (status_ == Paused || startDate_ == 0)
        return pausedTime();
    return t - startDate_ + pausedTime();
}

std::vector<double> RecordingClock::fileTimes() const {
    std::lock_guard lock(mutex_);
    return fileTimes_;
}

double RecordingClock::pausedTime() const {
    return std::accumulate(fileTimes_.begin(), fileTimes_.end(), 0.0);
}
