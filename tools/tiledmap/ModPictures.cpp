// Listing the mod's pictures and reading their sizes from the file headers.
#include "tools/tiledmap/ModPictures.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/TileFiles.h"

namespace vorn::tiledmap {

namespace {

uint32_t BigEndian(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

int32_t LittleEndian(const unsigned char* bytes) {
    return static_cast<int32_t>(uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) |
                                (uint32_t{bytes[2]} << 16) | (uint32_t{bytes[3]} << 24));
}

}  // namespace

bool ReadPictureSize(const std::string& path, int& width, int& height) {
    unsigned char header[26] = {};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header), sizeof header))
        return false;
    constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr int kLargest = 1 << 16;
    int64_t w = 0;
    int64_t h = 0;
    if (std::equal(kPngSignature, kPngSignature + 8, header)) {
        w = BigEndian(header + 16);
        h = BigEndian(header + 20);
    } else if (header[0] == 'B' && header[1] == 'M') {
        // A negative height marks a picture stored from the top row down.
        w = LittleEndian(header + 18);
        h = LittleEndian(header + 22);
        h = h < 0 ? -h : h;
    } else {
        return false;
    }
    if (w <= 0 || h <= 0 || w > kLargest || h > kLargest)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

std::vector<PictureFile> ListTilePictures(const std::string& modFolder, int tileWidth,
                                          int tileHeight) {
    const std::string folder = modFolder + "/tiles";
    std::vector<PictureFile> pictures;
    for (const std::string& file : ListTilePictureFiles(folder)) {
        PictureFile picture{file, folder + "/" + file, TileNameFromFile(file), tileWidth,
                            tileHeight};
        ReadPictureSize(picture.path, picture.width, picture.height);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::vector<PictureFile> ListObjectPictures(const std::string& modFolder) {
    namespace fs = std::filesystem;
    const std::string folder = modFolder + "/objects";
    std::vector<PictureFile> pictures;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string file = it->path().filename().string();
        PictureFile picture{file, folder + "/" + file, file, 0, 0};
        if (ReadPictureSize(picture.path, picture.width, picture.height))
            pictures.push_back(std::move(picture));
    }
    std::sort(pictures.begin(), pictures.end(),
              [](const PictureFile& a, const PictureFile& b) { return a.file < b.file; });
    return pictures;
}

}  // namespace vorn::tiledmap
