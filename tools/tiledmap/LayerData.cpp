// Decoding layer data: CSV numbers, base64 and zlib's inflate.
#include "tools/tiledmap/LayerData.h"

#include <zlib.h>

#include <cstring>

namespace vorn::tiledmap {

namespace {

bool ParseGid(std::string_view text, uint32_t& gid) {
    if (text.empty() || text.size() > 10)
        return false;
    uint64_t value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(ch - '0');
    }
    if (value > UINT32_MAX)
        return false;
    gid = static_cast<uint32_t>(value);
    return true;
}

std::optional<std::vector<uint32_t>> DecodeCsv(std::string_view text, std::string& problem) {
    std::vector<uint32_t> gids;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view field = text.substr(start, end - start);
        const size_t first = field.find_first_not_of(" \t\r\n");
        field = first == std::string_view::npos
                    ? std::string_view()
                    : field.substr(first, field.find_last_not_of(" \t\r\n") - first + 1);
        uint32_t gid = 0;
        if (!ParseGid(field, gid)) {
            // Only the end of the data may be empty (after a last comma).
            if (!field.empty() || end != text.size()) {
                problem = "\"" + std::string(field) + "\" in the CSV data is not a tile number";
                return std::nullopt;
            }
        } else {
            gids.push_back(gid);
        }
        start = end + 1;
    }
    return gids;
}

int Base64Value(char ch) {
    if (ch >= 'A' && ch <= 'Z')
        return ch - 'A';
    if (ch >= 'a' && ch <= 'z')
        return ch - 'a' + 26;
    if (ch >= '0' && ch <= '9')
        return ch - '0' + 52;
    if (ch == '+')
        return 62;
    if (ch == '/')
        return 63;
    return -1;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
    std::string bytes;
    uint32_t bits = 0;
    int bitCount = 0;
    bool padding = false;
    for (const char ch : text) {
        if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n')
            continue;
        if (ch == '=') {
            padding = true;
            continue;
        }
        const int value = Base64Value(ch);
        if (value < 0 || padding)
            return std::nullopt;
        bits = (bits << 6) | static_cast<uint32_t>(value);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes += static_cast<char>((bits >> bitCount) & 0xFF);
        }
    }
    return bytes;
}

// Inflates zlib or gzip data (zlib tells them apart by their header). At
// most `limit` bytes come out, so a small file cannot fill the memory.
std::optional<std::string> Inflate(const std::string& packed, size_t limit) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 32) != Z_OK)
        return std::nullopt;
    std::string bytes(limit + 1, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(bytes.data());
    stream.avail_out = static_cast<uInt>(bytes.size());
    const int result = inflate(&stream, Z_FINISH);
    const size_t produced = bytes.size() - stream.avail_out;
    inflateEnd(&stream);
    if (result != Z_STREAM_END)
        return std::nullopt;
    bytes.resize(produced);
    return bytes;
}

}  // namespace

std::optional<std::vector<uint32_t>> DecodeLayerData(pugi::xml_node data, size_t cellCount,
                                                     std::string& problem) {
    if (data.child("chunk")) {
        problem =
            "the layer is stored in chunks (an infinite map); our maps have a fixed size: "
            "turn off Infinite in the map properties";
        return std::nullopt;
    }
    const std::string encoding = data.attribute("encoding").value();
    const std::string compression = data.attribute("compression").value();
    std::optional<std::vector<uint32_t>> gids;
    if (encoding.empty()) {
        gids.emplace();
        for (pugi::xml_node tile : data.children("tile"))
            gids->push_back(tile.attribute("gid").as_uint());
    } else if (encoding == "csv") {
        gids = DecodeCsv(data.text().get(), problem);
        if (!gids)
            return std::nullopt;
    } else if (encoding == "base64") {
        std::optional<std::string> bytes = DecodeBase64(data.text().get());
        if (!bytes) {
            problem = "the base64 layer data holds a character that is not base64";
            return std::nullopt;
        }
        if (compression == "zlib" || compression == "gzip") {
            bytes = Inflate(*bytes, cellCount * 4);
            if (!bytes) {
                problem = "the " + compression + " layer data cannot be unpacked";
                return std::nullopt;
            }
        } else if (!compression.empty()) {
            problem = "layer data compressed with \"" + compression +
                      "\" cannot be read; choose CSV, or base64 with zlib or gzip, as the tile "
                      "layer format in the map properties";
            return std::nullopt;
        }
        if (bytes->size() % 4 != 0) {
            problem = "the layer data is not a whole number of 4-byte tile numbers";
            return std::nullopt;
        }
        gids.emplace(bytes->size() / 4);
        for (size_t i = 0; i < gids->size(); ++i) {
            const auto* b = reinterpret_cast<const unsigned char*>(bytes->data() + i * 4);
            (*gids)[i] = uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) |
                         (uint32_t{b[3]} << 24);
        }
    } else {
        problem = "unknown layer data encoding \"" + encoding + "\"";
        return std::nullopt;
    }
    if (gids->size() != cellCount) {
        problem = "the layer has " + std::to_string(gids->size()) + " cells where the map has " +
                  std::to_string(cellCount);
        return std::nullopt;
    }
    return gids;
}

}  // namespace vorn::tiledmap
