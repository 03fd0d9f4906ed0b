// Reading and writing the files of one map with the game's text primitives.
#include "tools/tiledmap/MapFiles.h"

#include <filesystem>
#include <system_error>

#include "common/FileIO.h"
#include "common/IniFile.h"
#include "common/TextPrimitives.h"

namespace vorn::tiledmap {

namespace {

// Large enough for any map a person paints, small enough that a grid of
// texts always fits in memory.
constexpr int32_t kMostCells = 4 * 1024 * 1024;
constexpr int32_t kLargestTile = 4096;

const char* const kGridLayerNames[kGridLayerCount] = {"Ground", "Background", "Foreground", "Top",
                                                      "Attributes"};

// The line end of the file's first line (CR LF where it has none) and
// whether its last line is ended.
LineStyle DetectLineStyle(const std::string& bytes) {
    LineStyle style;
    const size_t end = bytes.find_first_of("\r\n");
    if (end != std::string::npos) {
        if (bytes[end] == '\n')
            style.end = "\n";
        else
            style.end = (end + 1 < bytes.size() && bytes[end + 1] == '\n') ? "\r\n" : "\r";
    }
    style.endsLastLine =
        bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r' || bytes.back() == '\0';
    return style;
}

// The fields of a layer line cut at single spaces, as TextField gives them.
std::vector<std::string_view> LayerFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t end = line.find(' '); end != std::string_view::npos; end = line.find(' ', start)) {
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// Reads the next size.rows rows of a grid file into `grid`.
void ReadGridRows(TextReader& reader, const std::string& path, int& lineNumber, const MapSize& size,
                  Grid& grid, Diagnostics& diagnostics) {
    grid.assign(static_cast<size_t>(size.columns) * static_cast<size_t>(size.rows), ".");
    std::string line;
    for (int32_t y = 0; y < size.rows; ++y) {
        if (!reader.ReadTextLine(line)) {
            diagnostics.Warning(path, 0,
                                "the file ends after " + std::to_string(lineNumber) +
                                    " lines; the missing rows keep the cells of the map shown "
                                    "before in the game, and are exported as \".\"");
            return;
        }
        ++lineNumber;
        const std::vector<std::string_view> fields = LayerFields(line);
        if (fields.size() > static_cast<size_t>(size.columns)) {
            diagnostics.Warning(path, lineNumber,
                                std::to_string(fields.size()) + " names where the map has " +
                                    std::to_string(size.columns) +
                                    " columns; the game reads only the first ones, the rest is "
                                    "not exported");
        }
        for (int32_t x = 0; x < size.columns; ++x) {
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(size.columns) + x;
            grid[at] = static_cast<size_t>(x) < fields.size() ? std::string(fields[x]) : "";
        }
    }
}

void WarnAboutUnreadLines(TextReader& reader, const std::string& path, int lineNumber,
                          Diagnostics& diagnostics) {
    std::string line;
    while (reader.ReadTextLine(line)) {
        ++lineNumber;
        if (!TrimSpaces(line).empty()) {
            diagnostics.Warning(path, lineNumber,
                                "the game reads no further rows of this file; this line and the "
                                "rest are not exported");
            return;
        }
    }
}

std::string TextAt(const std::string& line, int n) {
    return std::string(TrimSpaces(TextField(line, n, ',')));
}

int32_t NumberAt(const std::string& line, int n) {
    return TextToInt(TextField(line, n, ','));
}

void ReadProperties(TextReader& reader, const std::string& path,
                    std::vector<PropertyEntry>& entries, Diagnostics& diagnostics) {
    enum class Part { BeforeGroup, InGroup, AfterGroup } part = Part::BeforeGroup;
    std::string line;
    int lineNumber = 0;
    while (reader.ReadTextLine(line)) {
        ++lineNumber;
        if (part == Part::BeforeGroup && line.find("[Properties]") != std::string::npos) {
            part = Part::InGroup;
            continue;
        }
        if (part == Part::InGroup && !line.empty() && line[0] == '[')
            part = Part::AfterGroup;
        const size_t equals = line.find('=');
        if (part == Part::InGroup && equals != std::string::npos && equals > 0) {
            PropertyEntry entry{line.substr(0, equals), line.substr(equals + 1)};
            bool seen = false;
            for (const PropertyEntry& earlier : entries)
                seen = seen || earlier.key == entry.key;
            if (seen) {
                diagnostics.Warning(path, lineNumber,
                                    "a second \"" + entry.key +
                                        "\" line; the game reads only the first, this one is "
                                        "not exported");
            } else {
                entries.push_back(std::move(entry));
            }
        } else if (!TrimSpaces(line).empty()) {
            diagnostics.Warning(path, lineNumber,
                                "not a KEY=VALUE line of the group [Properties]; the game never "
                                "reads it and it is not exported");
        }
    }
    if (part == Part::BeforeGroup)
        diagnostics.Warning(path, 0, "no [Properties] line: the game reads no map property here");
}

// The file's lines, each ended as `style` says.
std::string JoinLines(const std::vector<std::string>& lines, const LineStyle& style) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || style.endsLastLine)
            text += style.end;
    }
    return text;
}

void AppendGridLines(const Grid& grid, const MapSize& size, std::vector<std::string>& lines) {
    for (int32_t y = 0; y < size.rows; ++y) {
        std::string line;
        for (int32_t x = 0; x < size.columns; ++x) {
            if (x > 0)
                line += ' ';
            line += grid[static_cast<size_t>(y) * static_cast<size_t>(size.columns) + x];
        }
        lines.push_back(std::move(line));
    }
}

std::string JoinFields(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (&field != fields.begin())
            line += ',';
        line += field;
    }
    return line;
}

}  // namespace

const char* GridLayerName(GridLayer layer) {
    return kGridLayerNames[static_cast<int>(layer)];
}

std::optional<MapSize> ReadMapSize(const std::string& modFolder, Diagnostics& diagnostics) {
    const std::string path = modFolder + "/settings.ini";
    MapSize size;
    const std::pair<const char*, int32_t*> keys[] = {{"MapWidth", &size.columns},
                                                     {"MapHeight", &size.rows},
                                                     {"TileWidth", &size.tileWidth},
                                                     {"TileHeight", &size.tileHeight}};
    bool fits = true;
    for (const auto& [key, value] : keys) {
        *value = TextToInt(ReadIniValue(path, "Settings", key));
        const int32_t largest =
            (value == &size.columns || value == &size.rows) ? kMostCells : kLargestTile;
        if (*value <= 0 || *value > largest) {
            diagnostics.Error(path, 0,
                              std::string("[Settings] ") + key + " is " + std::to_string(*value) +
                                  "; every map takes its size from it, so it must be 1 to " +
                                  std::to_string(largest));
            fits = false;
        }
    }
    if (fits && static_cast<int64_t>(size.columns) * size.rows > kMostCells) {
        diagnostics.Error(path, 0,
                          "MapWidth x MapHeight is above " + std::to_string(kMostCells) + " cells");
        fits = false;
    }
    return fits ? std::optional<MapSize>(size) : std::nullopt;
}

bool ReadMapContent(const MapLocation& location, const MapSize& size, bool requireMap,
                    MapContent& content, Diagnostics& diagnostics) {
    bool complete = true;
    auto open = [&](const std::string& extension, TextReader& reader) {
        const std::string path = location.FilePath(extension);
        std::string bytes;
        if (!ReadWholeFile(path, bytes))
            return false;
        const LineStyle style = DetectLineStyle(bytes);
        if (!(style == LineStyle{}))
            content.lineStyles[extension] = style;
        reader = TextReader(std::move(bytes));
        return true;
    };
    auto readGrids = [&](const char* extension, std::initializer_list<GridLayer> layers) {
        TextReader reader;
        if (!open(extension, reader))
            return false;
        const std::string path = location.FilePath(extension);
        int lineNumber = 0;
        for (const GridLayer layer : layers) {
            content.GridOf(layer).emplace();
            ReadGridRows(reader, path, lineNumber, size, *content.GridOf(layer), diagnostics);
        }
        WarnAboutUnreadLines(reader, path, lineNumber, diagnostics);
        return true;
    };
    for (const auto& [extension, layer] :
         {std::pair{"gtl", GridLayer::Ground}, std::pair{"atl", GridLayer::Attributes}}) {
        if (!readGrids(extension, {layer}) && requireMap) {
            diagnostics.Error(location.FilePath(extension), 0,
                              std::string("cannot read the map's ") + GridLayerName(layer) +
                                  " layer, which the game needs to load the map");
            complete = false;
        }
    }
    readGrids("btl", {GridLayer::Background});
    readGrids("ftl", {GridLayer::Foreground, GridLayer::Top});

    // The lists are read as the game reads them: one entry per filled line.
    TextReader unused;
    if (open("obl", unused)) {
        content.objects.emplace();
        ForEachFilledLine(location.FilePath("obl"), [&](const std::string& line) {
            content.objects->push_back({TextAt(line, 1), TextAt(line, 2), NumberAt(line, 3),
                                        NumberAt(line, 4), NumberAt(line, 5), NumberAt(line, 6),
                                        NumberAt(line, 7), NumberAt(line, 8)});
        });
    }
    if (open("wpl", unused)) {
        content.warps.emplace();
        ForEachFilledLine(location.FilePath("wpl"), [&](const std::string& line) {
            content.warps->push_back({NumberAt(line, 1), NumberAt(line, 2), TextAt(line, 3),
                                      NumberAt(line, 4), NumberAt(line, 5)});
        });
    }
    if (open("ani", unused)) {
        content.animations.emplace();
        ForEachFilledLine(location.FilePath("ani"), [&](const std::string& line) {
            content.animations->push_back(
                {TextAt(line, 1), NumberAt(line, 2), NumberAt(line, 3), NumberAt(line, 4)});
        });
    }
    TextReader ini;
    if (open("ini", ini)) {
        content.properties.emplace();
        ReadProperties(ini, location.FilePath("ini"), *content.properties, diagnostics);
    }
    return complete;
}

bool WriteMapContent(const MapLocation& location, const MapSize& size, const MapContent& content,
                     Diagnostics& diagnostics) {
    std::error_code ignored;
    std::filesystem::create_directories(location.modFolder + "/maps", ignored);
    bool written = true;
    auto write = [&](const char* extension, const std::vector<std::string>& lines) {
        const std::string path = location.FilePath(extension);
        // An empty list gets no new file: the game reads a missing one as empty.
        if (lines.empty() && !std::filesystem::exists(path, ignored))
            return;
        const auto style = content.lineStyles.find(extension);
        const LineStyle lineStyle = style == content.lineStyles.end() ? LineStyle{} : style->second;
        if (!WriteFileAtomically(path, JoinLines(lines, lineStyle))) {
            diagnostics.Error(path, 0, "cannot write the file");
            written = false;
        }
    };
    auto writeGrids = [&](const char* extension, std::initializer_list<GridLayer> layers) {
        std::vector<std::string> lines;
        for (const GridLayer layer : layers) {
            if (!content.GridOf(layer))
                return;
            AppendGridLines(*content.GridOf(layer), size, lines);
        }
        write(extension, lines);
    };
    writeGrids("gtl", {GridLayer::Ground});
    writeGrids("btl", {GridLayer::Background});
    writeGrids("ftl", {GridLayer::Foreground, GridLayer::Top});
    writeGrids("atl", {GridLayer::Attributes});
    auto number = [](int32_t value) { return IntToText(value); };
    if (content.animations) {
        std::vector<std::string> lines;
        for (const AnimationEntry& a : *content.animations)
            lines.push_back(JoinFields({a.name, number(a.x), number(a.y), number(a.playOnce)}));
        write("ani", lines);
    }
    if (content.objects) {
        std::vector<std::string> lines;
        for (const ObjectEntry& o : *content.objects)
            lines.push_back(
                JoinFields({o.name, o.picture, number(o.column), number(o.row), number(o.damage),
                            number(o.health), number(o.speed), number(o.heal)}));
        write("obl", lines);
    }
    if (content.warps) {
        std::vector<std::string> lines;
        for (const WarpEntry& w : *content.warps)
            lines.push_back(JoinFields({number(w.column), number(w.row), w.targetMap,
                                        number(w.targetColumn), number(w.targetRow)}));
        write("wpl", lines);
    }
    if (content.properties) {
        std::vector<std::string> lines = {"[Properties]"};
        for (const PropertyEntry& entry : *content.properties)
            lines.push_back(entry.key + "=" + entry.value);
        write("ini", lines);
    }
    return written;
}

}  // namespace vorn::tiledmap
