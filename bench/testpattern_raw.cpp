// testpattern_raw WIDTH HEIGHT FRAMES: writes the test picture's frames as raw BGRA to stdout.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "TestSignal.h"

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const int w = std::atoi(argv[1]), h = std::atoi(argv[2]);
    const long frames = std::atol(argv[3]);
    if (w <= 0 || h <= 0 || frames < 0)
        return 2;
    std::vector<uint8_t> px(size_t(w) * h * 4);
    for (long i = 0; i < frames; ++i) {
        tapedeck::paintTestFrame(px.data(), w, h, w * 4, i);
        if (std::fwrite(px.data(), 1, px.size(), stdout) != px.size())
            return 1;
    }
    return 0;
}
