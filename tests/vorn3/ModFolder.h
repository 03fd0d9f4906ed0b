// Read-only access to the bundled game folder for its tests: settings,
// map layers, PNG and WAVE headers, and the lists of files of each kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorn3test {

// Absolute path of vorn3/ in the source tree.
std::string ModPath();
// Whole file as bytes; "" when missing.
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// The lines of a text file (CR, LF or CRLF), without a trailing empty line.
std::vector<std::string> ReadLines(const std::string& path);
// Files below `folder` (relative paths, sorted), optionally only those
// whose name ends with `suffix`.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix = "");

// settings.ini lookups of the bundled game.
std::string Setting(const std::string& key);
int SettingInt(const std::string& key);

// Names of the maps: every maps/*.ini.
std::vector<std::string> MapNames();
// One layer grid: rows of names split at single spaces. The ".ftl" file
// holds two grids; `part` 1 picks the second (the top layer).
std::vector<std::vector<std::string>> ReadLayer(const std::string& map, const std::string& ext,
                                                int part = 0);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row by row
    bool ok = false;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// Decodes a PNG file completely with libpng.
Picture LoadPicture(const std::string& path);

struct WaveInfo {
    bool ok = false;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    uint32_t dataBytes = 0;
    std::string error;
};
// Parses the RIFF WAVE header and checks that the data chunk fits the file.
WaveInfo ReadWaveInfo(const std::string& path);

// Every .ds file of the game (global and map scripts, libraries).
std::vector<std::string> ScriptFiles();

}  // namespace vorn3test
