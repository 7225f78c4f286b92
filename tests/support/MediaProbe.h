// Reads a media file back with libavformat so tests can check what was really written.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

struct ProbedStream {
    std::string codec; // decoder name, e.g. "h264", "aac", "mp3", "pcm_s16le"
    int width = 0, height = 0;
    int sampleRate = 0, channels = 0;
    int64_t packets = 0;       // non-empty packets
    int64_t frames = 0;        // decoded video frames
    int64_t samples = 0;       // decoded audio samples per channel
    std::vector<double> times; // presentation time of each decoded video frame, seconds
    double endSeconds = 0;     // end of the last packet, seconds
    bool startsWithKeyFrame = false;
};

struct ProbedFile {
    bool opened = false;
    int videoIndex = -1, audioIndex = -1;
    std::vector<ProbedStream> streams;
    int decodeErrors = 0;

    const ProbedStream* video() const { return videoIndex < 0 ? nullptr : &streams[videoIndex]; }
    const ProbedStream* audio() const { return audioIndex < 0 ? nullptr : &streams[audioIndex]; }
    // Length of the longest stream, seconds.
    double length() const;
};

// Called for each decoded video frame in order, with its RGB24 pixels (rows top down); returning
// false stops the reading.
using FrameVisitor = std::function<bool(int index, int width, int height, const uint8_t* rgb)>;

// Demuxes and decodes the whole file, showing each video frame to visit when one is given.
ProbedFile probeMedia(const std::string& path, const FrameVisitor& visit = {});

// Shows each decoded video frame to visit until it returns false.
inline void forEachFrameRgb(const std::string& path, const FrameVisitor& visit) {
    probeMedia(path, visit);
}

// The RGB colour of pixel (x, y) in decoded video frame `index`; false when there is none.
bool pixelAt(const std::string& path, int index, int x, int y, uint8_t rgb[3]);

} // namespace testsupport
