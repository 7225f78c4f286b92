#include "TestSignal.h"

#include <cmath>
#include <numbers>

namespace tapedeck {

void paintTestFrame(uint8_t* bgra, int width, int height, int bytesPerRow, int64_t index,
                    bool noise) {
    const int barX = int((index * 8) % (width > 0 ? width : 1));
    const int barW = width / 16 + 1;
    const uint8_t blockB = uint8_t(index * 37), blockG = uint8_t(index * 91),
                  blockR = uint8_t(255 - index * 53);
    uint32_t seed = uint32_t(index) * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bgra + int64_t(y) * bytesPerRow;
        for (int x = 0; x < width; ++x) {
            uint8_t* p = row + x * 4;
            uint8_t v = uint8_t((x + y) * 255 / (width + height));
            uint8_t b = v, g = v, r = v;
            if (x >= barX && x < barX + barW)
                b = g = r = 255;
            else if (x < width / 4 && y < height / 4) {
                b = blockB;
                g = blockG;
                r = blockR;
            }
            if (noise) {
                seed = seed * 1664525u + 1013904223u;
                b ^= uint8_t(seed >> 24);
                g ^= uint8_t(seed >> 16);
                r ^= uint8_t(seed >> 8);
            }
            p[0] = b;
            p[1] = g;
            p[2] = r;
            p[3] = 255;
        }
    }
}

void fillTone(int32_t* out, int frames, int channels, int rate, int64_t first, bool planar) {
    for (int i = 0; i < frames; ++i) {
        double phase = 2.0 * std::numbers::pi * 440.0 * double(first + i) / rate;
        auto s = int32_t(std::sin(phase) * 0.25 * 2147483647.0);
        for (int c = 0; c < channels; ++c)
            out[planar ? c * frames + i : i * channels + c] = s;
    }
}

} // namespace tapedeck
