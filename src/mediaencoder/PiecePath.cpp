#include "EncoderSettings.h"

#include <filesystem>

namespace mediaencoder {

std::string piecePath(const std::string& outputPath, int piece) {
    if (piece <= 1)
        return outputPath;
    std::filesystem::path p(outputPath);
    std::filesystem::path name = p.stem();
    name += "_" + std::to_string(piece);
    name += p.extension();
    return (p.parent_path() / name).string();
}

} // namespace mediaencoder
