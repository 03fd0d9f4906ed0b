// The cells of a tile layer's <data> element in every form Tiled saves:
// CSV, base64 (plain, zlib or gzip compressed) and the old <tile> elements.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace vorn::tiledmap {

// Exactly `cellCount` global tile ids, flip bits included; nullopt with the
// reason in `problem` when the data cannot be read or has another count.
std::optional<std::vector<uint32_t>> DecodeLayerData(pugi::xml_node data, size_t cellCount,
                                                     std::string& problem);

}  // namespace vorn::tiledmap
