// Import: the layers, objects and properties of a TMX document become the
// content of the map's files, which are written only when nothing failed.
#include "tools/tiledmap/TmxImport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "common/CodePage1252.h"
#include "common/TextPrimitives.h"
#include "common/TileFiles.h"
#include "tools/tiledmap/LayerData.h"
#include "tools/tiledmap/MapFiles.h"
#include "tools/tiledmap/TmxTilesets.h"
#include "tools/tiledmap/TmxVocabulary.h"
#include "tools/tiledmap/XmlFile.h"

namespace vorn::tiledmap {

namespace {

namespace fs = std::filesystem;

bool IsInFolder(const std::string& file, const std::string& folder) {
    std::error_code error;
    const fs::path parent = fs::weakly_canonical(fs::path(file).parent_path(), error);
    const fs::path wanted = fs::weakly_canonical(fs::path(folder), error);
    return !error && parent == wanted && fs::is_regular_file(file, error);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string CellName(int32_t column, int32_t row) {
    return "cell (column " + std::to_string(column) + ", row " + std::to_string(row) + ")";
}

class Importer {
public:
    Importer(const MapLocation& location, const MapSize& size, Diagnostics& diagnostics)
        : location_(location), size_(size), diagnostics_(diagnostics) {}

    bool Run(const std::string& tmxPath) {
        if (!tmx_.Load(tmxPath, diagnostics_) || !CheckMap() || !tilesets_.Load(tmx_, diagnostics_))
            return false;
        MapContent content;
        ReadLayers(content);
        ReadMapProperties(content);
        if (diagnostics_.Failed())
            return false;
        CompleteFromCurrentFiles(content);
        return WriteMapContent(location_, size_, content, diagnostics_);
    }

private:
    void Error(pugi::xml_node node, const std::string& text) {
        diagnostics_.Error(tmx_.Path(), tmx_.LineOf(node), text);
    }

    bool CheckMap() {
        const pugi::xml_node map = tmx_.Root();
        if (std::strcmp(map.name(), "map") != 0) {
            Error(map, "not a Tiled map: the file's root element is <" + std::string(map.name()) +
                           ">, not <map>");
            return false;
        }
        const std::string orientation = map.attribute("orientation").value();
        if (orientation != "orthogonal") {
            Error(map, "the map is " + orientation + "; our maps are orthogonal");
            return false;
        }
        if (map.attribute("infinite").as_int() != 0) {
            Error(map,
                  "the map is infinite; ours have a fixed size: turn off Infinite in the map "
                  "properties");
            return false;
        }
        const auto size = [&](const char* name, int32_t wanted, const char* setting) {
            const int value = map.attribute(name).as_int();
            if (value != wanted)
                Error(map, std::string("the map's ") + name + " is " + std::to_string(value) +
                               " where the mod's settings.ini has " + setting + "=" +
                               std::to_string(wanted) + "; every map of a mod has that size");
            return value == wanted;
        };
        // Every mismatch is reported, not only the first.
        bool fits = size("width", size_.columns, "MapWidth");
        fits = size("height", size_.rows, "MapHeight") && fits;
        fits = size("tilewidth", size_.tileWidth, "TileWidth") && fits;
        return size("tileheight", size_.tileHeight, "TileHeight") && fits;
    }

    // Windows-1252 text of a TMX text, or an error naming it.
    std::optional<std::string> CodePageText(pugi::xml_node node, const std::string& text,
                                            const char* forbidden, const std::string& what) {
        std::optional<std::string> bytes = Utf8TextToCp1252(text);
        if (!bytes) {
            Error(node, what + " " + Quoted(text) +
                            " has a character that the mod's code page (Windows-1252) lacks");
        } else if (bytes->find_first_of(std::string(forbidden) + std::string(1, '\0')) !=
                   std::string::npos) {
            Error(node, what + " " + Quoted(text) +
                            " holds a character its file cannot store (a line break or one of \"" +
                            std::string(forbidden).substr(2) + "\")");
            bytes.reset();
        }
        return bytes;
    }

    void ReadLayers(MapContent& content) {
        std::set<std::string> seen;
        for (pugi::xml_node node : tmx_.Root().children()) {
            const std::string element = node.name();
            if (element != "layer" && element != "objectgroup" && element != "imagelayer" &&
                element != "group")
                continue;
            const std::string name = node.attribute("name").value();
            const int line = tmx_.LineOf(node);
            if (!seen.insert(name).second) {
                diagnostics_.Warning(tmx_.Path(), line,
                                     "a second layer " + Quoted(name) + " is ignored");
                continue;
            }
            if (element == "layer" && ReadTileLayer(node, name, content))
                continue;
            if (element == "objectgroup" && ReadObjectLayer(node, name, content))
                continue;
            diagnostics_.Warning(
                tmx_.Path(), line,
                "the " + element + " " + Quoted(name) +
                    " is not one of ours (tile layers Ground, Background, Foreground, Top, "
                    "Attributes; object layers Objects, Warps, Animations) and is ignored");
        }
    }

    bool ReadTileLayer(pugi::xml_node node, const std::string& name, MapContent& content) {
        int index = 0;
        while (index < kGridLayerCount && name != GridLayerName(static_cast<GridLayer>(index)))
            ++index;
        if (index == kGridLayerCount)
            return false;
        const auto layer = static_cast<GridLayer>(index);
        const pugi::xml_node data = node.child("data");
        std::string problem;
        const size_t cells = static_cast<size_t>(size_.columns) * static_cast<size_t>(size_.rows);
        const std::optional<std::vector<uint32_t>> gids = DecodeLayerData(data, cells, problem);
        if (!gids) {
            Error(data ? data : node, "layer " + Quoted(name) + ": " + problem);
            return true;
        }
        const char* empty = PropertyValue(node, tmx::kEmptyProperty);
        const std::optional<std::string> emptyText =
            CodePageText(node, empty != nullptr ? empty : ".", "\r\n ", "the empty cell text");
        Grid grid(cells);
        std::map<uint32_t, std::optional<std::string>> texts;  // one error per tile
        int flipped = 0;
        for (size_t cell = 0; cell < cells; ++cell) {
            const uint32_t gid = (*gids)[cell];
            const auto column = static_cast<int32_t>(cell % static_cast<size_t>(size_.columns));
            const auto row = static_cast<int32_t>(cell / static_cast<size_t>(size_.columns));
            if ((gid & kFlipBits) != 0 && flipped++ == 0) {
                Error(data, "layer " + Quoted(name) + ", " + CellName(column, row) +
                                ": the tile is flipped or rotated, which our maps cannot store; "
                                "paint it unflipped");
            }
            auto [found, added] = texts.try_emplace(gid & ~(kFlipBits | kHexagonalRotationBit));
            if (added) {
                found->second =
                    found->first == 0
                        ? emptyText
                        : CellText(data, layer, found->first,
                                   "layer " + Quoted(name) + ", " + CellName(column, row));
            }
            if (found->second)
                grid[cell] = *found->second;
        }
        if (flipped > 1)
            Error(data, "layer " + Quoted(name) + ": " + std::to_string(flipped - 1) +
                            " more flipped or rotated cells");
        content.GridOf(layer) = std::move(grid);
        return true;
    }

    // The text a tile stands for in a layer file: its "name" property, or
    // for a tile layer the name of its picture in the mod's tiles folder.
    std::optional<std::string> CellText(pugi::xml_node data, GridLayer layer, uint32_t gid,
                                        const std::string& where) {
        const TmxTilesets::Match match = tilesets_.Find(gid);
        if (match.tile != nullptr && match.tile->name != nullptr)
            return CodePageText(data, match.tile->name, "\r\n ", where + ": the tile name");
        if (layer == GridLayer::Attributes) {
            Error(data, where + ": the tile is not one of the Attributes tileset (it has no " +
                            Quoted(tmx::kNameProperty) +
                            " property); paint this layer with the Attributes tileset");
            return std::nullopt;
        }
        const std::string tiles = location_.modFolder + "/tiles";
        const std::optional<std::string> picture = TilePicture(data, match, gid, where, tiles);
        if (!picture)
            return std::nullopt;
        const std::string file = fs::path(*picture).filename().string();
        const std::vector<std::string> tileFiles = ListTilePictureFiles(tiles);
        if (!IsInFolder(*picture, tiles) ||
            std::find(tileFiles.begin(), tileFiles.end(), file) == tileFiles.end()) {
            Error(data, where + ": the tile picture " + *picture + " (tileset " +
                            Quoted(match.tileset->name) + ") is not a PNG file in " + tiles +
                            "/; copy it there and paint with it from there, since a map names "
                            "its tiles after their files in that folder");
            return std::nullopt;
        }
        return CodePageText(data, TileNameFromFile(file), "\r\n ", where + ": the tile name");
    }

    // The tile's own picture file, or an error when it has none.
    std::optional<std::string> TilePicture(pugi::xml_node node, const TmxTilesets::Match& match,
                                           uint32_t gid, const std::string& where,
                                           const std::string& folder) {
        if (match.tileset == nullptr) {
            Error(node, where + ": tile number " + std::to_string(gid) + " is in no tileset");
            return std::nullopt;
        }
        if (match.tile == nullptr || match.tile->image.empty()) {
            Error(node,
                  where + ": tileset " + Quoted(match.tileset->name) + " (" +
                      match.tileset->file->Path() + ":" + std::to_string(match.tileset->line) +
                      ") " +
                      (match.tileset->sheetImage.empty()
                           ? "has no picture for this tile"
                           : "cuts its tiles from the one picture " + match.tileset->sheetImage) +
                      "; our maps take one picture file per tile from " + folder +
                      "/ (a Tiled \"collection of images\")");
            return std::nullopt;
        }
        return match.tile->image;
    }

    bool ReadObjectLayer(pugi::xml_node node, const std::string& name, MapContent& content) {
        if (name == tmx::kObjectsLayer) {
            content.objects.emplace();
            for (pugi::xml_node object : node.children("object"))
                ReadObject(object, *content.objects);
        } else if (name == tmx::kWarpsLayer) {
            content.warps.emplace();
            for (pugi::xml_node object : node.children("object"))
                ReadWarp(object, *content.warps);
        } else if (name == tmx::kAnimationsLayer) {
            content.animations.emplace();
            for (pugi::xml_node object : node.children("object"))
                ReadAnimation(object, *content.animations);
        } else {
            return false;
        }
        return true;
    }

    // A position in map pixels as a whole number, or an error.
    std::optional<int32_t> Coordinate(pugi::xml_node object, double value, const char* what) {
        const double rounded = std::floor(value + 0.5);
        if (!std::isfinite(value) || rounded < INT32_MIN || rounded > INT32_MAX) {
            Error(object, std::string("the object's ") + what + " is out of range");
            return std::nullopt;
        }
        return static_cast<int32_t>(rounded);
    }

    int32_t IntProperty(pugi::xml_node object, const char* name) {
        const char* value = PropertyValue(object, name);
        return value == nullptr ? 0 : TextToInt(value);
    }

    void ReadObject(pugi::xml_node object, std::vector<ObjectEntry>& objects) {
        const uint32_t gid = object.attribute("gid").as_uint();
        const std::string where = std::string("object ") + object.attribute("id").value() +
                                  " of layer " + Quoted(tmx::kObjectsLayer);
        if (gid == 0) {
            Error(object, where + " is not a tile object; place objects with the tiles of the " +
                              Quoted(tmx::kObjectPicturesTileset) + " tileset");
            return;
        }
        if ((gid & kFlipBits) != 0)
            Error(object, where + " is flipped, which our maps cannot store; unflip it");
        const TmxTilesets::Match match = tilesets_.Find(gid);
        std::optional<std::string> picture;
        if (match.tile != nullptr && match.tile->picture != nullptr) {
            picture = CodePageText(object, match.tile->picture, "\r\n,", where + ": the picture");
        } else {
            const std::string folder = location_.modFolder + "/objects";
            const std::optional<std::string> file = TilePicture(object, match, gid, where, folder);
            if (file && !IsInFolder(*file, folder)) {
                Error(object, where + ": the picture " + *file + " is not in " + folder +
                                  "/; copy it there and place the object with it from there");
            } else if (file) {
                picture = CodePageText(object, fs::path(*file).filename().string(), "\r\n,",
                                       where + ": the picture");
            }
        }
        const std::optional<std::string> name =
            CodePageText(object, object.attribute("name").value(), "\r\n,", where + ": the name");
        const double height = object.attribute("height").as_double(
            match.tile != nullptr && match.tile->imageHeight > 0 ? match.tile->imageHeight
                                                                 : size_.tileHeight);
        // A tile object stands on its bottom-left corner.
        const std::optional<int32_t> column =
            Coordinate(object, object.attribute("x").as_double() / size_.tileWidth, "x");
        const std::optional<int32_t> row = Coordinate(
            object, (object.attribute("y").as_double() - height) / size_.tileHeight, "y");
        if (!picture || !name || !column || !row)
            return;
        objects.push_back(
            {*name, *picture, *column, *row, IntProperty(object, tmx::kDamageProperty),
             IntProperty(object, tmx::kHealthProperty), IntProperty(object, tmx::kSpeedProperty),
             IntProperty(object, tmx::kHealProperty)});
    }

    void ReadWarp(pugi::xml_node object, std::vector<WarpEntry>& warps) {
        const std::string where = std::string("warp ") + object.attribute("id").value() +
                                  " of layer " + Quoted(tmx::kWarpsLayer);
        // The warp is on the cell under the middle of its rectangle.
        const double width = object.attribute("width").as_double();
        const double height = object.attribute("height").as_double();
        const std::optional<int32_t> column = Coordinate(
            object, std::floor((object.attribute("x").as_double() + width / 2) / size_.tileWidth),
            "x");
        const std::optional<int32_t> row = Coordinate(
            object, std::floor((object.attribute("y").as_double() + height / 2) / size_.tileHeight),
            "y");
        const char* target = PropertyValue(object, tmx::kTargetMapProperty);
        if (target == nullptr) {
            Error(object, where + " has no " + Quoted(tmx::kTargetMapProperty) +
                              " property naming the map it leads to");
            return;
        }
        const std::optional<std::string> targetMap =
            CodePageText(object, target, "\r\n,", where + ": the target map");
        if (!column || !row || !targetMap)
            return;
        warps.push_back({*column, *row, *targetMap, IntProperty(object, tmx::kTargetColumnProperty),
                         IntProperty(object, tmx::kTargetRowProperty)});
    }

    void ReadAnimation(pugi::xml_node object, std::vector<AnimationEntry>& animations) {
        const std::string where = std::string("animation ") + object.attribute("id").value();
        const std::optional<std::string> name =
            CodePageText(object, object.attribute("name").value(), "\r\n,", where + ": the name");
        const std::optional<int32_t> x = Coordinate(object, object.attribute("x").as_double(), "x");
        const std::optional<int32_t> y = Coordinate(object, object.attribute("y").as_double(), "y");
        if (name && x && y)
            animations.push_back({*name, *x, *y, IntProperty(object, tmx::kPlayOnceProperty)});
    }

    void ReadMapProperties(MapContent& content) {
        const pugi::xml_node map = tmx_.Root();
        std::vector<PropertyEntry> added;
        std::vector<std::string> order;
        bool hasIni = false;
        for (pugi::xml_node property : map.child("properties").children("property")) {
            const std::string name = property.attribute("name").value();
            const pugi::xml_attribute valueAttribute = property.attribute("value");
            const char* value = valueAttribute ? valueAttribute.value() : property.text().get();
            if (name == tmx::kIniOrderProperty) {
                hasIni = true;
                const std::optional<std::string> keys = CodePageText(property, value, "\r\n", "");
                for (int n = 1; keys && !keys->empty() && n <= static_cast<int>(keys->size()) + 1;
                     ++n) {
                    const std::string_view key = TextField(*keys, n, '=');
                    if (!key.empty())
                        order.emplace_back(key);
                }
            } else if (name == tmx::kLineEndsProperty) {
                ReadLineEnds(property, value, content);
            } else if (name.rfind(tmx::kBookkeepingPrefix, 0) != 0) {
                hasIni = true;
                const std::optional<std::string> key =
                    CodePageText(property, name, "\r\n=", "the map property name");
                const std::optional<std::string> text =
                    CodePageText(property, value, "\r\n", "the value of map property");
                if (key && !key->empty() && (*key)[0] == '[')
                    Error(property, "the map property name " + Quoted(name) +
                                        " starts with \"[\", which ends the group in the .ini");
                else if (key && !key->empty() && text)
                    added.push_back({*key, *text});
            }
        }
        if (!hasIni)
            return;
        // Keys in their recorded order, then new ones, each before the first
        // key it is a prefix of, since the game would match that one first.
        std::vector<PropertyEntry>& entries = content.properties.emplace();
        for (const std::string& key : order) {
            const auto found = std::find_if(added.begin(), added.end(),
                                            [&](const PropertyEntry& e) { return e.key == key; });
            if (found != added.end()) {
                entries.push_back(std::move(*found));
                added.erase(found);
            }
        }
        for (PropertyEntry& entry : added) {
            const auto before = std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
                return e.key.rfind(entry.key, 0) == 0;
            });
            entries.insert(before, std::move(entry));
        }
    }

    void ReadLineEnds(pugi::xml_node property, const char* value, MapContent& content) {
        for (int n = 1;; ++n) {
            const std::string_view token = TextField(value, n, ' ');
            if (token.empty())
                break;
            const std::string extension(TextField(token, 1, '='));
            const std::string_view style = TextField(token, 2, '=');
            const std::string_view end = TextField(style, 1, ':');
            LineStyle lineStyle;
            lineStyle.end = end == "LF" ? "\n" : end == "CR" ? "\r" : "\r\n";
            lineStyle.endsLastLine = TextField(style, 2, ':') != "unended";
            if (end != "LF" && end != "CR" && end != "CRLF") {
                diagnostics_.Warning(tmx_.Path(), tmx_.LineOf(property),
                                     "unknown line end " + Quoted(std::string(token)) + " in " +
                                         tmx::kLineEndsProperty + "; CRLF is used");
            }
            content.lineStyles[extension] = lineStyle;
        }
    }

    // The ".ftl" file holds Foreground and Top: a TMX with only one of them
    // keeps the other from the file. Files keep their line ends unless the
    // TMX records others.
    void CompleteFromCurrentFiles(MapContent& content) {
        Diagnostics ignored;
        MapContent current;
        ReadMapContent(location_, size_, false, current, ignored);
        auto& foreground = content.GridOf(GridLayer::Foreground);
        auto& top = content.GridOf(GridLayer::Top);
        const size_t cells = static_cast<size_t>(size_.columns) * static_cast<size_t>(size_.rows);
        if (foreground && !top)
            top = current.GridOf(GridLayer::Top).value_or(Grid(cells, "."));
        if (top && !foreground)
            foreground = current.GridOf(GridLayer::Foreground).value_or(Grid(cells, "."));
        for (const auto& [extension, style] : current.lineStyles)
            content.lineStyles.try_emplace(extension, style);
    }

    const MapLocation& location_;
    const MapSize& size_;
    Diagnostics& diagnostics_;
    XmlFile tmx_;
    TmxTilesets tilesets_;
};

}  // namespace

bool ImportMap(const std::string& tmxPath, const std::string& modFolder, const std::string& map,
               Diagnostics& diagnostics) {
    const std::optional<MapSize> size = ReadMapSize(modFolder, diagnostics);
    if (!size)
        return false;
    const MapLocation location{modFolder, map};
    Importer importer(location, *size, diagnostics);
    return importer.Run(tmxPath) && !diagnostics.Failed();
}

}  // namespace vorn::tiledmap
