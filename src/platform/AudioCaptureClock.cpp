#include "AudioCaptureClock.h"

#include <algorithm>

double AudioCaptureClock::bufferArrived(double now, size_t frames) {
    const double before = double(framesBefore_) / rate_;
    const double start = now - double(frames) / rate_ - before;
    if (!started_) {
        started_ = true;
        bucketStart_ = now;
        currentStart_ = previousStart_ = start;
    } else if (now - bucketStart_ >= kWindow) {
        previousStart_ = currentStart_;
        currentStart_ = start;
        bucketStart_ = now;
    } else {
        currentStart_ = std::min(currentStart_, start);
    }
    framesBefore_ += frames;
    return std::min(currentStart_, previousStart_) + before;
}
