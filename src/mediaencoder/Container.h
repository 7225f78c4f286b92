// Which muxer and codecs an output path's extension stands for.
#pragma once

#include <optional>
#include <string>

extern "C" {
#include <libavcodec/codec_id.h>
}

namespace mediaencoder {

struct Container {
    const char* muxer;    // libavformat short name
    AVCodecID videoCodec; // AV_CODEC_ID_NONE when the container holds no video
    AVCodecID audioCodec;
    bool fragmented; // ISO media: written as fragments so a killed recorder leaves a file
};

// The container for a path, by its extension (case-insensitive), or nothing when unknown.
std::optional<Container> containerForPath(const std::string& path);

} // namespace mediaencoder
