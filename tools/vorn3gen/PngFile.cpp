// PNG writing through the shared encoder, and the output folder.
#include "tools/vorn3gen/PngFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/PngEncoder.h"

namespace vorn3gen {

// The bundled pictures are stored at the strongest compression.
constexpr int kGeneratedCompression = 9;

std::string EncodePng(const Canvas& canvas, bool transparentAsAlpha) {
    if (!transparentAsAlpha) {
        return vorn::EncodeRgbPng(canvas.Width(), canvas.Height(), canvas.Pixels().data(),
                                  kGeneratedCompression);
    }
    vorn::PngImage image;
    image.width = canvas.Width();
    image.height = canvas.Height();
    image.colourType = 6;  // RGB with alpha
    image.compressionLevel = kGeneratedCompression;
    for (const Colour c : canvas.Pixels()) {
        image.rows.push_back(static_cast<uint8_t>(c >> 16));
        image.rows.push_back(static_cast<uint8_t>(c >> 8));
        image.rows.push_back(static_cast<uint8_t>(c));
        image.rows.push_back(c == kTransparent ? 0 : 255);
    }
    return vorn::EncodePng(image);
}

bool Output::Write(const std::string& relativePath, const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path target = fs::path(root_) / relativePath;
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    if (bytes.empty() || !file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        std::fprintf(stderr, "vorn3gen: cannot write %s\n", target.string().c_str());
        ++failures_;
        return false;
    }
    ++written_;
    return true;
}

}  // namespace vorn3gen
