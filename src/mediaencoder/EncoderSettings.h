// Everything set before encoding starts.
#pragma once

#include <cstdint>
#include <string>

#include "Container.h"

namespace mediaencoder {

struct EncoderSettings {
    std::string outputPath;
    Container container{};

    bool hasVideo = false; // the image format was set
    int imageWidth = 0, imageHeight = 0;
    int outputWidth = 0, outputHeight = 0; // 0: same as the image size
    double fps = 30.0;
    double videoKbps = 5000.0;

    bool hasAudio = false; // the source context was set
    int srcChannels = 2, srcRate = 44100;
    int outChannels = 0, outRate = 0; // 0: same as the source
    double audioKbps = 128.0;

    int limitSeconds = 0;
    int limitMegabytes = 0;

    int encodedWidth() const { return (outputWidth ? outputWidth : imageWidth) & ~1; }
    int encodedHeight() const { return (outputHeight ? outputHeight : imageHeight) & ~1; }
    int encodedChannels() const { return outChannels ? outChannels : srcChannels; }
    int encodedRate() const { return outRate ? outRate : srcRate; }
};

// Path of piece n (1-based): the output path itself, then "<stem>_2<ext>", "<stem>_3<ext>", ...
std::string piecePath(const std::string& outputPath, int piece);

} // namespace mediaencoder
