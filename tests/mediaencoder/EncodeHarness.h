// Drives the encoder library the way a recorder does, with generated pictures and tone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MediaEncoder.h"

namespace testsupport {

struct RecordingPlan {
    std::string path;
    bool video = true, audio = true;
    int width = 320, height = 240;   // pushed frames
    int outWidth = 0, outHeight = 0; // 0: same as pushed
    double fps = 30;
    double videoKbps = 3000;
    int channels = 2, rate = 44100;
    int limitSeconds = 0, limitMegabytes = 0;
    bool noise = false;
};

// Creates and configures an encoder for the plan and starts it; null on failure.
MediaEncoder* startEncoder(const RecordingPlan& plan);

// Pushes video frames for [fromMs, toMs) at the plan's fps and the matching audio samples
// (audio follows the video clock, so a pause gap in video is also a gap in pushed audio time).
// `frameIndex` and `sampleIndex` carry on between calls.
struct Pusher {
    Pusher(const RecordingPlan& plan, MediaEncoder* h) : plan(plan), h(h) {}
    const RecordingPlan& plan;
    MediaEncoder* h;
    int64_t frameIndex = 0, sampleIndex = 0;
    int waits = 0; // pushes refused because the encoder was behind, then retried
    std::vector<uint8_t> pixels;
    void span(int64_t fromMs, int64_t toMs);
};

// Trailers, then wait until the file is complete; the handle stays open for its counters.
void drainEncoder(MediaEncoder* h);

// Trailers, wait for done, close. Returns the close result.
int finishEncoder(MediaEncoder* h);

// Encodes `seconds` of continuous recording with the plan and finishes; returns close's result.
int record(const RecordingPlan& plan, double seconds);

// A fresh folder under the test's temporary root.
std::string scratchDir(const std::string& name);

} // namespace testsupport
