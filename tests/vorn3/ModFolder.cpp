// Helpers of the vorn3 tests: file access, settings and layers, PNG decoding
// and WAVE header parsing.
#include "tests/vorn3/ModFolder.h"

#include <png.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/IniFile.h"
#include "common/TextPrimitives.h"

namespace vorn3test {

namespace fs = std::filesystem;

std::string ModPath() {
    return std::string(VORN_SOURCE_DIR) + "/vorn3";
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool FileExists(const std::string& path) {
    return fs::is_regular_file(path);
}

std::vector<std::string> ReadLines(const std::string& path) {
    vorn::TextReader reader(ReadBytes(path));
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadTextLine(line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file())
            continue;
        const std::string relative = fs::relative(it->path(), folder).generic_string();
        if (relative.size() >= suffix.size() &&
            relative.compare(relative.size() - suffix.size(), suffix.size(), suffix) == 0)
            files.push_back(relative);
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string Setting(const std::string& key) {
    return vorn::ReadIniValue(ModPath() + "/settings.ini", "Settings", key);
}

int SettingInt(const std::string& key) {
    return vorn::TextToInt(Setting(key));
}

std::vector<std::string> MapNames() {
    std::vector<std::string> names;
    for (const std::string& file : ListFiles(ModPath() + "/maps", ".ini"))
        names.push_back(file.substr(0, file.size() - 4));
    return names;
}

std::vector<std::vector<std::string>> ReadLayer(const std::string& map, const std::string& ext,
                                                int part) {
    const std::vector<std::string> lines = ReadLines(ModPath() + "/maps/" + map + "." + ext);
    const size_t height = static_cast<size_t>(SettingInt("MapHeight"));
    std::vector<std::vector<std::string>> grid;
    for (size_t i = height * part; i < lines.size() && i < height * (part + 1); ++i) {
        std::vector<std::string> row;
        std::string field;
        std::istringstream in(lines[i]);
        while (std::getline(in, field, ' '))
            row.push_back(field);
        if (!lines[i].empty() && lines[i].back() == ' ')
            row.push_back("");
        grid.push_back(row);
    }
    return grid;
}

Picture LoadPicture(const std::string& path) {
    Picture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return picture;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
        png_image_free(&image);
        return picture;
    }
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = (static_cast<uint32_t>(buffer[3 * i]) << 16) |
                            (static_cast<uint32_t>(buffer[3 * i + 1]) << 8) | buffer[3 * i + 2];
    picture.ok = true;
    return picture;
}

namespace {

uint32_t Le(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

}  // namespace

WaveInfo ReadWaveInfo(const std::string& path) {
    WaveInfo info;
    const std::string bytes = ReadBytes(path);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        info.error = "no RIFF WAVE header";
        return info;
    }
    if (Le(bytes, 4, 4) + 8 != bytes.size()) {
        info.error = "RIFF size does not match the file size";
        return info;
    }
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = Le(bytes, at + 4, 4);
        if (at + 8 + size > bytes.size()) {
            info.error = "chunk " + id + " runs past the end";
            return info;
        }
        if (id == "fmt " && size >= 16) {
            if (Le(bytes, at + 8, 2) != 1) {
                info.error = "not PCM";
                return info;
            }
            info.channels = static_cast<int>(Le(bytes, at + 10, 2));
            info.sampleRate = static_cast<int>(Le(bytes, at + 12, 4));
            info.bitsPerSample = static_cast<int>(Le(bytes, at + 22, 2));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                info.error = "data before fmt";
                return info;
            }
            info.dataBytes = size;
            info.ok = size > 0;
            if (!info.ok)
                info.error = "empty data";
            return info;
        }
        at += 8 + size + (size % 2);
    }
    info.error = "no data chunk";
    return info;
}

std::vector<std::string> ScriptFiles() {
    return ListFiles(ModPath(), ".ds");
}

}  // namespace vorn3test
