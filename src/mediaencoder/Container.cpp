#include "Container.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace mediaencoder {

namespace {

struct Entry {
    const char* extension;
    Container container;
};

constexpr std::array<Entry, 8> kContainers{{
    {".mov", {"mov", AV_CODEC_ID_H264, AV_CODEC_ID_AAC, true}},
    {".mp4", {"mp4", AV_CODEC_ID_H264, AV_CODEC_ID_AAC, true}},
    {".m4v", {"mp4", AV_CODEC_ID_H264, AV_CODEC_ID_AAC, true}},
    {".flv", {"flv", AV_CODEC_ID_H264, AV_CODEC_ID_AAC, false}},
    {".avi", {"avi", AV_CODEC_ID_H264, AV_CODEC_ID_MP3, false}},
    {".mp3", {"mp3", AV_CODEC_ID_NONE, AV_CODEC_ID_MP3, false}},
    {".wav", {"wav", AV_CODEC_ID_NONE, AV_CODEC_ID_PCM_S16LE, false}},
    {".m4a", {"ipod", AV_CODEC_ID_NONE, AV_CODEC_ID_AAC, true}},
}};

} // namespace

std::optional<Container> containerForPath(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const Entry& e : kContainers) {
        if (ext == e.extension)
            return e.container;
    }
    return std::nullopt;
}

} // namespace mediaencoder
