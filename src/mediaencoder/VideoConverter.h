// BGRA pictures of any size into the encoder's yuv420p frame, scaled to fit and padded black.
#pragma once

#include <array>
#include <cstdint>

struct AVFrame;
struct SwsContext;

namespace mediaencoder {

struct Rect {
    int x, y, width, height;
};

// Where a source of sw x sh lands inside a dw x dh picture: aspect kept, centred, even values
// so chroma lines up.
Rect fitRect(int sw, int sh, int dw, int dh);

class VideoConverter {
public:
    // threads: how many threads share one conversion; 0 is one per core.
    explicit VideoConverter(int threads = 0) : threads_(threads) {}
    VideoConverter(const VideoConverter&) = delete;
    VideoConverter& operator=(const VideoConverter&) = delete;
    ~VideoConverter();

    // Writes the picture into dst (allocated yuv420p, writable). False when scaling failed.
    bool convert(const uint8_t* bgra, int width, int height, int bytesPerRow, AVFrame* dst);

private:
    // A context for these sizes and flags, made anew only when one of them changes.
    bool prepare(int sw, int sh, int dw, int dh, int flags);

    const int threads_;
    SwsContext* sws_ = nullptr;
    std::array<int, 5> made_{};
};

} // namespace mediaencoder
