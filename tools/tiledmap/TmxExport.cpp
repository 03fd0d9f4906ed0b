// Export: the map's files become the layers, tilesets and properties of one
// TMX document, built with pugixml.
#include "tools/tiledmap/TmxExport.h"

#include <pugixml.hpp>

#include <filesystem>
#include <map>
#include <sstream>
#include <system_error>

#include "common/CodePage1252.h"
#include "common/FileIO.h"
#include "common/TextPrimitives.h"
#include "tools/tiledmap/LabelPictures.h"
#include "tools/tiledmap/MapFiles.h"
#include "tools/tiledmap/ModPictures.h"
#include "tools/tiledmap/TmxVocabulary.h"

namespace vorn::tiledmap {

namespace {

namespace fs = std::filesystem;

// The attribute values every map's Attributes tileset offers, so that walls,
// warps, script tiles and the first monster types can be painted on any map.
const char* const kStandardAttributes[] = {"X", "M", "W", "S", "1", "2", "3",
                                           "4", "5", "6", "7", "8", "9"};

bool IsAttributeFree(const std::string& value) {
    return value != "X" && value != "M" && value != "W" && value != "S" && TextToInt(value) <= 0;
}

// The text a cell painted with nothing stands for: "." where the layer uses
// it, else the layer's most frequent text that draws nothing (or is a free
// attribute), else ".".
std::string ChooseEmptyText(const Grid& grid, const auto& drawsNothing) {
    std::map<std::string, int> counts;
    std::string best = ".";
    int bestCount = 0;
    for (const std::string& text : grid) {
        if (!drawsNothing(text))
            continue;
        if (text == ".")
            return ".";
        const int count = ++counts[text];
        if (count > bestCount) {
            best = text;
            bestCount = count;
        }
    }
    return best;
}

struct TilesetTile {
    fs::path picture;
    int width = 0;
    int height = 0;
    const char* property = nullptr;  // tmx::kNameProperty or tmx::kPictureProperty
    std::string value;               // Windows-1252
};

struct Tileset {
    const char* name;
    std::vector<TilesetTile> tiles;
    uint32_t firstGid = 0;
};

// Texts given label tiles, in the order first seen.
class LabelTexts {
public:
    void Add(const std::string& text) {
        if (index_.emplace(text, texts_.size()).second)
            texts_.push_back(text);
    }
    const std::vector<std::string>& Texts() const { return texts_; }
    size_t IndexOf(const std::string& text) const { return index_.at(text); }
    bool Has(const std::string& text) const { return index_.count(text) != 0; }

private:
    std::vector<std::string> texts_;
    std::map<std::string, size_t> index_;
};

std::string PathInTmx(const fs::path& picture, const fs::path& tmxFolder) {
    std::error_code error;
    const fs::path relative = fs::relative(picture, tmxFolder, error);
    return (error || relative.empty()) ? fs::absolute(picture).generic_string()
                                       : relative.generic_string();
}

void AddProperty(pugi::xml_node node, const char* name, const std::string& value,
                 const char* type = nullptr) {
    pugi::xml_node properties = node.child("properties");
    if (!properties)
        properties = node.prepend_child("properties");
    pugi::xml_node property = properties.append_child("property");
    property.append_attribute("name") = name;
    if (type != nullptr)
        property.append_attribute("type") = type;
    property.append_attribute("value") = Cp1252TextToUtf8(value).c_str();
}

void AddIntProperty(pugi::xml_node node, const char* name, int32_t value) {
    AddProperty(node, name, IntToText(value), "int");
}

void AppendTileset(pugi::xml_node map, const Tileset& tileset, const fs::path& tmxFolder) {
    int width = 1;
    int height = 1;
    for (const TilesetTile& tile : tileset.tiles) {
        width = std::max(width, tile.width);
        height = std::max(height, tile.height);
    }
    pugi::xml_node node = map.append_child("tileset");
    node.append_attribute("firstgid") = tileset.firstGid;
    node.append_attribute("name") = tileset.name;
    node.append_attribute("tilewidth") = width;
    node.append_attribute("tileheight") = height;
    node.append_attribute("tilecount") = tileset.tiles.size();
    // columns 0: an image collection, one picture file per tile.
    node.append_attribute("columns") = 0;
    pugi::xml_node grid = node.append_child("grid");
    grid.append_attribute("orientation") = "orthogonal";
    grid.append_attribute("width") = 1;
    grid.append_attribute("height") = 1;
    for (size_t id = 0; id < tileset.tiles.size(); ++id) {
        const TilesetTile& tile = tileset.tiles[id];
        pugi::xml_node tileNode = node.append_child("tile");
        tileNode.append_attribute("id") = id;
        AddProperty(tileNode, tile.property, tile.value);
        pugi::xml_node image = tileNode.append_child("image");
        image.append_attribute("width") = tile.width;
        image.append_attribute("height") = tile.height;
        image.append_attribute("source") = PathInTmx(tile.picture, tmxFolder).c_str();
    }
}

std::string CsvData(const std::vector<uint32_t>& gids, int32_t columns) {
    std::string csv = "\n";
    for (size_t i = 0; i < gids.size(); ++i) {
        csv += std::to_string(gids[i]);
        if (i + 1 < gids.size())
            csv += ',';
        if ((i + 1) % static_cast<size_t>(columns) == 0)
            csv += '\n';
    }
    return csv;
}

std::string LineEndsText(const MapContent& content, const MapLocation& location) {
    std::string text;
    for (const char* extension : kMapFileExtensions) {
        std::error_code ignored;
        if (!fs::exists(location.FilePath(extension), ignored))
            continue;
        const auto found = content.lineStyles.find(extension);
        const LineStyle style = found == content.lineStyles.end() ? LineStyle{} : found->second;
        const char* end = style.end == "\n" ? "LF" : style.end == "\r" ? "CR" : "CRLF";
        text += std::string(text.empty() ? "" : " ") + extension + "=" + end +
                (style.endsLastLine ? "" : ":unended");
    }
    return text;
}

class Exporter {
public:
    Exporter(const MapLocation& location, const MapSize& size, const std::string& tmxPath,
             Diagnostics& diagnostics)
        : location_(location),
          size_(size),
          tmxPath_(tmxPath),
          tmxFolder_(fs::absolute(fs::path(tmxPath)).parent_path()),
          diagnostics_(diagnostics) {}

    bool Run(MapContent& content) {
        CompleteContent(content);
        CollectTilesets(content);
        if (!WriteLabelPictures())
            return false;
        pugi::xml_document document;
        BuildDocument(document, content);
        std::ostringstream text;
        document.save(text, " ", pugi::format_default, pugi::encoding_utf8);
        if (!WriteFileAtomically(tmxPath_, text.str())) {
            diagnostics_.Error(tmxPath_, 0, "cannot write the file");
            return false;
        }
        return true;
    }

private:
    // Layers and lists whose files are missing export as empty.
    void CompleteContent(MapContent& content) {
        const size_t cells = static_cast<size_t>(size_.columns) * static_cast<size_t>(size_.rows);
        for (auto& grid : content.grids) {
            if (!grid)
                grid.emplace(cells, ".");
        }
        if (!content.objects)
            content.objects.emplace();
        if (!content.warps)
            content.warps.emplace();
        if (!content.animations)
            content.animations.emplace();
    }

    void CollectTilesets(const MapContent& content) {
        for (const PictureFile& picture :
             ListTilePictures(location_.modFolder, size_.tileWidth, size_.tileHeight)) {
            tileIds_.emplace(picture.name, tiles_.tiles.size());  // the first of two names wins
            tiles_.tiles.push_back(
                {picture.path, picture.width, picture.height, tmx::kNameProperty, picture.name});
        }
        for (const PictureFile& picture : ListObjectPictures(location_.modFolder)) {
            objectPictureIds_.emplace(picture.file, objectPictures_.tiles.size());
            objectPictures_.tiles.push_back(
                {picture.path, picture.width, picture.height, tmx::kPictureProperty, picture.file});
        }
        for (int i = 0; i < kGridLayerCount; ++i) {
            const auto layer = static_cast<GridLayer>(i);
            const Grid& grid = *content.GridOf(layer);
            if (layer == GridLayer::Attributes) {
                emptyTexts_[i] = ChooseEmptyText(grid, IsAttributeFree);
                for (const char* value : kStandardAttributes)
                    attributes_.Add(value);
                for (const std::string& value : grid) {
                    if (value != emptyTexts_[i])
                        attributes_.Add(value);
                }
                continue;
            }
            const auto drawsNothing = [this](const std::string& name) {
                return tileIds_.count(name) == 0;
            };
            emptyTexts_[i] = ChooseEmptyText(grid, drawsNothing);
            for (const std::string& name : grid) {
                if (name != emptyTexts_[i] && drawsNothing(name))
                    missingNames_.Add(name);
            }
        }
        for (const ObjectEntry& object : *content.objects) {
            if (objectPictureIds_.count(object.picture) == 0)
                missingPictures_.Add(object.picture);
        }
        tiles_.firstGid = 1;
        objectPictures_.firstGid = tiles_.firstGid + tiles_.tiles.size();
        attributeTiles_.firstGid = objectPictures_.firstGid + objectPictures_.tiles.size();
        missingTiles_.firstGid = attributeTiles_.firstGid + attributes_.Texts().size();
    }

    // The label tiles and their pictures in "<TMX name>_labels".
    bool WriteLabelPictures() {
        const fs::path folder = tmxFolder_ / (fs::path(tmxPath_).stem().string() + "_labels");
        std::error_code error;
        fs::create_directories(folder, error);
        auto add = [&](Tileset& tileset, const std::string& file, const char* property,
                       const std::string& text, LabelKind kind) {
            const fs::path path = folder / file;
            if (!WriteFileAtomically(path.string(),
                                     LabelPicture(text, kind, size_.tileWidth, size_.tileHeight))) {
                diagnostics_.Error(path.string(), 0, "cannot write the label picture");
                return false;
            }
            tileset.tiles.push_back({path, size_.tileWidth, size_.tileHeight, property, text});
            return true;
        };
        bool written = true;
        int number = 0;
        for (const std::string& value : attributes_.Texts()) {
            written =
                written && add(attributeTiles_, "attribute-" + std::to_string(number++) + ".png",
                               tmx::kNameProperty, value, LabelKind::Attribute);
        }
        number = 0;
        for (const std::string& name : missingNames_.Texts()) {
            written = written && add(missingTiles_, "missing-" + std::to_string(number++) + ".png",
                                     tmx::kNameProperty, name, LabelKind::MissingPicture);
        }
        for (const std::string& picture : missingPictures_.Texts()) {
            written = written && add(missingTiles_, "missing-" + std::to_string(number++) + ".png",
                                     tmx::kPictureProperty, picture, LabelKind::MissingPicture);
        }
        return written;
    }

    uint32_t CellGid(GridLayer layer, const std::string& text) const {
        if (text == emptyTexts_[static_cast<int>(layer)])
            return 0;
        if (layer == GridLayer::Attributes)
            return attributeTiles_.firstGid + attributes_.IndexOf(text);
        const auto tile = tileIds_.find(text);
        if (tile != tileIds_.end())
            return tiles_.firstGid + tile->second;
        return missingTiles_.firstGid + missingNames_.IndexOf(text);
    }

    uint32_t ObjectGid(const std::string& picture, int& width, int& height) const {
        const auto found = objectPictureIds_.find(picture);
        if (found != objectPictureIds_.end()) {
            width = objectPictures_.tiles[found->second].width;
            height = objectPictures_.tiles[found->second].height;
            return objectPictures_.firstGid + found->second;
        }
        width = size_.tileWidth;
        height = size_.tileHeight;
        return missingTiles_.firstGid + missingNames_.Texts().size() +
               missingPictures_.IndexOf(picture);
    }

    pugi::xml_node AppendLayer(pugi::xml_node map, const char* element, const char* name) {
        pugi::xml_node layer = map.append_child(element);
        layer.append_attribute("id") = nextLayerId_++;
        layer.append_attribute("name") = name;
        return layer;
    }

    pugi::xml_node AppendObject(pugi::xml_node group) {
        pugi::xml_node object = group.append_child("object");
        object.append_attribute("id") = nextObjectId_++;
        return object;
    }

    void BuildDocument(pugi::xml_document& document, const MapContent& content) {
        pugi::xml_node declaration = document.append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        pugi::xml_node map = document.append_child("map");
        map.append_attribute("version") = "1.8";
        map.append_attribute("orientation") = "orthogonal";
        map.append_attribute("renderorder") = "right-down";
        map.append_attribute("width") = size_.columns;
        map.append_attribute("height") = size_.rows;
        map.append_attribute("tilewidth") = size_.tileWidth;
        map.append_attribute("tileheight") = size_.tileHeight;
        map.append_attribute("infinite") = 0;
        pugi::xml_attribute nextLayerId = map.append_attribute("nextlayerid");
        pugi::xml_attribute nextObjectId = map.append_attribute("nextobjectid");

        AppendMapProperties(map, content);
        for (const Tileset* tileset : {&tiles_, &objectPictures_, &attributeTiles_, &missingTiles_})
            if (!tileset->tiles.empty())
                AppendTileset(map, *tileset, tmxFolder_);
        for (int i = 0; i < kGridLayerCount; ++i)
            AppendTileLayer(map, static_cast<GridLayer>(i), *content.grids[i]);
        AppendObjects(map, *content.objects);
        AppendWarps(map, *content.warps);
        AppendAnimations(map, *content.animations);
        nextLayerId = nextLayerId_;
        nextObjectId = nextObjectId_;
    }

    void AppendMapProperties(pugi::xml_node map, const MapContent& content) {
        if (content.properties) {
            std::string order;
            for (const PropertyEntry& entry : *content.properties) {
                AddProperty(map, Cp1252TextToUtf8(entry.key).c_str(), entry.value);
                order += (order.empty() ? "" : "=") + entry.key;
            }
            AddProperty(map, tmx::kIniOrderProperty, order);
        }
        AddProperty(map, tmx::kLineEndsProperty, LineEndsText(content, location_));
    }

    void AppendTileLayer(pugi::xml_node map, GridLayer layer, const Grid& grid) {
        pugi::xml_node node = AppendLayer(map, "layer", GridLayerName(layer));
        node.append_attribute("width") = size_.columns;
        node.append_attribute("height") = size_.rows;
        if (layer == GridLayer::Attributes)
            node.append_attribute("opacity") = "0.7";
        AddProperty(node, tmx::kEmptyProperty, emptyTexts_[static_cast<int>(layer)]);
        std::vector<uint32_t> gids;
        gids.reserve(grid.size());
        for (const std::string& text : grid)
            gids.push_back(CellGid(layer, text));
        pugi::xml_node data = node.append_child("data");
        data.append_attribute("encoding") = "csv";
        data.text() = CsvData(gids, size_.columns).c_str();
    }

    void AppendObjects(pugi::xml_node map, const std::vector<ObjectEntry>& objects) {
        pugi::xml_node group = AppendLayer(map, "objectgroup", tmx::kObjectsLayer);
        // "index": Tiled keeps the objects in file order, which is the
        // order the game offers them for pick-up.
        group.append_attribute("draworder") = "index";
        for (const ObjectEntry& entry : objects) {
            int width = 0;
            int height = 0;
            const uint32_t gid = ObjectGid(entry.picture, width, height);
            pugi::xml_node object = AppendObject(group);
            object.append_attribute("name") = Cp1252TextToUtf8(entry.name).c_str();
            object.append_attribute("gid") = gid;
            // A tile object stands on its bottom-left corner.
            object.append_attribute("x") = int64_t{entry.column} * size_.tileWidth;
            object.append_attribute("y") = int64_t{entry.row} * size_.tileHeight + height;
            object.append_attribute("width") = width;
            object.append_attribute("height") = height;
            AddIntProperty(object, tmx::kDamageProperty, entry.damage);
            AddIntProperty(object, tmx::kHealProperty, entry.heal);
            AddIntProperty(object, tmx::kHealthProperty, entry.health);
            AddIntProperty(object, tmx::kSpeedProperty, entry.speed);
        }
    }

    void AppendWarps(pugi::xml_node map, const std::vector<WarpEntry>& warps) {
        pugi::xml_node group = AppendLayer(map, "objectgroup", tmx::kWarpsLayer);
        group.append_attribute("color") = "#3060f0";
        group.append_attribute("draworder") = "index";
        for (const WarpEntry& warp : warps) {
            pugi::xml_node object = AppendObject(group);
            object.append_attribute("x") = int64_t{warp.column} * size_.tileWidth;
            object.append_attribute("y") = int64_t{warp.row} * size_.tileHeight;
            object.append_attribute("width") = size_.tileWidth;
            object.append_attribute("height") = size_.tileHeight;
            AddIntProperty(object, tmx::kTargetColumnProperty, warp.targetColumn);
            AddProperty(object, tmx::kTargetMapProperty, warp.targetMap);
            AddIntProperty(object, tmx::kTargetRowProperty, warp.targetRow);
        }
    }

    void AppendAnimations(pugi::xml_node map, const std::vector<AnimationEntry>& animations) {
        pugi::xml_node group = AppendLayer(map, "objectgroup", tmx::kAnimationsLayer);
        group.append_attribute("color") = "#f0c030";
        group.append_attribute("draworder") = "index";
        for (const AnimationEntry& animation : animations) {
            pugi::xml_node object = AppendObject(group);
            object.append_attribute("name") = Cp1252TextToUtf8(animation.name).c_str();
            object.append_attribute("x") = animation.x;
            object.append_attribute("y") = animation.y;
            AddIntProperty(object, tmx::kPlayOnceProperty, animation.playOnce);
            object.append_child("point");
        }
    }

    const MapLocation& location_;
    const MapSize& size_;
    const std::string& tmxPath_;
    const fs::path tmxFolder_;
    Diagnostics& diagnostics_;

    Tileset tiles_{tmx::kTilesTileset, {}};
    Tileset objectPictures_{tmx::kObjectPicturesTileset, {}};
    Tileset attributeTiles_{tmx::kAttributesTileset, {}};
    Tileset missingTiles_{tmx::kMissingPicturesTileset, {}};
    std::map<std::string, size_t> tileIds_;
    std::map<std::string, size_t> objectPictureIds_;
    LabelTexts attributes_;
    LabelTexts missingNames_;
    LabelTexts missingPictures_;
    std::string emptyTexts_[kGridLayerCount];
    int nextLayerId_ = 1;
    int nextObjectId_ = 1;
};

}  // namespace

bool ExportMap(const std::string& modFolder, const std::string& map, const std::string& tmxPath,
               Diagnostics& diagnostics) {
    const std::optional<MapSize> size = ReadMapSize(modFolder, diagnostics);
    if (!size)
        return false;
    const MapLocation location{modFolder, map};
    MapContent content;
    if (!ReadMapContent(location, *size, true, content, diagnostics))
        return false;
    Exporter exporter(location, *size, tmxPath, diagnostics);
    return exporter.Run(content) && !diagnostics.Failed();
}

}  // namespace vorn::tiledmap
