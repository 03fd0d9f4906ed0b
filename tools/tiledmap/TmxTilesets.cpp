// Loading the tilesets of a TMX map.
#include "tools/tiledmap/TmxTilesets.h"

#include <algorithm>
#include <filesystem>

#include "tools/tiledmap/TmxVocabulary.h"

namespace vorn::tiledmap {

namespace {

namespace fs = std::filesystem;

std::string ResolvePath(const std::string& relativeTo, const char* source) {
    const fs::path path(source);
    if (path.empty() || path.is_absolute())
        return path.string();
    return (fs::absolute(fs::path(relativeTo)).parent_path() / path).lexically_normal().string();
}

void ReadTiles(pugi::xml_node node, const XmlFile& file, TmxTileset& tileset) {
    tileset.name = node.attribute("name").value();
    tileset.file = &file;
    tileset.line = file.LineOf(node);
    if (pugi::xml_node sheet = node.child("image"))
        tileset.sheetImage = ResolvePath(file.Path(), sheet.attribute("source").value());
    for (pugi::xml_node tileNode : node.children("tile")) {
        TmxTile& tile = tileset.tiles[tileNode.attribute("id").as_uint()];
        tile.name = PropertyValue(tileNode, tmx::kNameProperty);
        tile.picture = PropertyValue(tileNode, tmx::kPictureProperty);
        if (pugi::xml_node image = tileNode.child("image")) {
            tile.image = ResolvePath(file.Path(), image.attribute("source").value());
            tile.imageHeight = image.attribute("height").as_int();
        }
    }
}

}  // namespace

bool TmxTilesets::Load(const XmlFile& tmx, Diagnostics& diagnostics) {
    bool loaded = true;
    for (pugi::xml_node node : tmx.Root().children("tileset")) {
        TmxTileset tileset;
        tileset.firstGid = node.attribute("firstgid").as_uint();
        if (tileset.firstGid == 0) {
            diagnostics.Error(tmx.Path(), tmx.LineOf(node), "a tileset without a firstgid above 0");
            loaded = false;
            continue;
        }
        const char* source = node.attribute("source").value();
        if (*source == '\0') {
            ReadTiles(node, tmx, tileset);
        } else {
            auto file = std::make_unique<XmlFile>();
            if (!file->Load(ResolvePath(tmx.Path(), source), diagnostics)) {
                loaded = false;
                continue;
            }
            ReadTiles(file->Root(), *file, tileset);
            tsxFiles_.push_back(std::move(file));
        }
        tilesets_.push_back(std::move(tileset));
    }
    std::sort(tilesets_.begin(), tilesets_.end(),
              [](const TmxTileset& a, const TmxTileset& b) { return a.firstGid < b.firstGid; });
    return loaded;
}

TmxTilesets::Match TmxTilesets::Find(uint32_t gid) const {
    gid &= ~(kFlipBits | kHexagonalRotationBit);
    Match match;
    for (const TmxTileset& tileset : tilesets_) {
        if (tileset.firstGid <= gid)
            match.tileset = &tileset;
    }
    if (match.tileset != nullptr) {
        const auto tile = match.tileset->tiles.find(gid - match.tileset->firstGid);
        if (tile != match.tileset->tiles.end())
            match.tile = &tile->second;
    }
    return match;
}

}  // namespace vorn::tiledmap
