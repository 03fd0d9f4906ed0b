// Files the benchmarks generate for the mods they measure: written whole,
// PNG pictures of one grey, and map layers whose names vary from cell to
// cell as real maps' do.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "common/PngEncoder.h"

namespace vorn::bench {

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string SolidPng(int width, int height, unsigned char shade) {
    PngImage image;
    image.width = width;
    image.height = height;
    image.colourType = 0;  // grey
    image.rows.assign(static_cast<size_t>(width) * height, shade);
    return EncodePng(image);
}

// `size` rows of `size` names: `prefix` and a number below `kinds` that
// changes from cell to cell (`salt` shifts it).
inline std::string VariedLayer(int size, int kinds, const std::string& prefix, int salt) {
    std::string text;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (x > 0)
                text += ' ';
            text += prefix + std::to_string((x * 7 + y * 13 + salt) % kinds);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace vorn::bench
