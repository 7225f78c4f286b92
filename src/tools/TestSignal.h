// A moving picture and a steady tone, for the encode demo, benchmarks and tests: content that
// changes every frame so the encoder does real work, and that can be recognised when read back.
#pragma once

#include <cstdint>

namespace tapedeck {

// Paints frame `index` of a width x height BGRA (premultiplied, opaque) picture: a grey ramp
// background, a white bar sweeping left to right, and a coloured block whose colour steps with
// the index. `noise` adds per-pixel noise that defeats compression (for file-size tests).
void paintTestFrame(uint8_t* bgra, int width, int height, int bytesPerRow, int64_t index,
                    bool noise = false);

// Fills `frames` sample frames of a 440 Hz sine at `rate` Hz, 32-bit signed, starting at sample
// `first`. Planar: channel c's samples follow channel c-1's. Interleaved: L R L R ...
void fillTone(int32_t* out, int frames, int channels, int rate, int64_t first, bool planar);

} // namespace tapedeck
