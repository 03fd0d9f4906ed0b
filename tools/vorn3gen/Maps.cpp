// The four areas of vorn3, drawn as character grids, and the layer, object,
// warp and animation files written from them. A "." in a layer file names no
// tile (nothing is drawn) and as an attribute marks a free cell.
//
// Grid characters: "." ground of the area, "," flowers, "=" path, "s" sand,
// "p" cobbled plaza, "~" water, "b" bush, "o" rock, "u" stump, "f" fence,
// "c" cliff, "x" cave wall, "#" ruin wall, "r" rubble, "i" sign, "w" well,
// "F" camp fire place, "^" stalagmite, "K" crystal, "k" bones, "A" altar,
// "G"/"g" the locked gate, "C" cave mouth and "<" stairs (warp cells),
// "$" script tile on a path, "R"/"Q" rune circles (script tiles), "v" spikes
// (script tile), "1".."9" a monster of that type, "T" the top-left cell of a
// 2 x 3 tree, "H" of a 3 x 3 hut, "P" of a 1 x 3 pillar.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/vorn3gen/Art.h"

namespace vorn3gen {

namespace {

constexpr int kWidth = 30;
constexpr int kHeight = 15;
constexpr int kTile = 32;

struct Cell {
    std::string ground, background = ".", foreground = ".", top = ".", attribute = ".";
};

struct Area {
    std::string name;
    std::vector<std::string> ground;  // default ground tiles, mixed by position
    std::vector<std::string> rows;
    std::vector<std::string> objects;     // .obl lines
    std::vector<std::string> warps;       // .wpl lines
    std::vector<std::string> animations;  // .ani lines
};

struct Legend {
    char ch;
    const char* ground;  // nullptr: the area's own ground
    const char* background;
    const char* attribute;
};

const Legend kLegend[] = {
    {'.', nullptr, ".", "."},          {',', "flowers", ".", "."},
    {'=', "path", ".", "."},           {'s', "sand", ".", "."},
    {'p', "plaza", ".", "."},          {'~', "water", ".", "X"},
    {'b', nullptr, "bush", "X"},       {'o', nullptr, "rock", "X"},
    {'u', nullptr, "stump", "X"},      {'f', nullptr, "fence", "X"},
    {'c', nullptr, "cliff", "X"},      {'x', nullptr, "cavewall", "X"},
    {'#', nullptr, "ruinwall", "X"},   {'r', nullptr, "rubble", "X"},
    {'i', nullptr, "sign", "X"},       {'w', "plaza", "well", "X"},
    {'F', "plaza", ".", "X"},          {'^', nullptr, "stalagmite", "X"},
    {'K', nullptr, "crystal", "X"},    {'k', nullptr, "bones", "."},
    {'A', nullptr, "altar", "X"},      {'G', "path", "gate_l", "X"},
    {'g', "path", "gate_r", "X"},      {'C', nullptr, "cavemouth", "W"},
    {'<', nullptr, "stairs", "W"},     {'$', "path", ".", "S"},
    {'R', nullptr, "runecircle", "S"}, {'Q', "sand", "runecircle", "S"},
    {'v', nullptr, "spikes", "S"},
};

std::string At(int col, int row) {
    return std::to_string(col * kTile) + "," + std::to_string(row * kTile);
}

std::vector<Area> Areas() {
    std::vector<Area> areas;
    areas.push_back(
        {"meadow",
         {"grass", "grass", "grass2", "grass", "grass3"},
         {
             "T.T.T.T.T.T.T.T.T.T.T.T.T.T.T.",
             "..............................",
             "..............................",
             "b.......,,...T........,,...T.b",
             "b..T....,,..........T..1.....b",
             "b.....i.....1................b",
             "b.....$........,,.............",
             "b=============================",
             "b.....,,...........,,.........",
             "b..T......ssssssssss.....T...b",
             "b....1...ss~~~~~~~~ss........b",
             "b.......ss~~~~~~~~~~ss.......b",
             "b....R..s~~~~~ssss~~~s.....1.b",
             "b..,,...ss~~~~sssQ~~ss....,,.b",
             "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
         },
         {"Swift Boots,boots.png,17,4,0,0,40,0", "Life Crystal,crystal.png,16,12,0,2,0,2"},
         {},
         {"water," + At(12, 10) + ",0", "water," + At(16, 10) + ",0", "water," + At(11, 12) + ",0",
          "water," + At(19, 11) + ",0", "water," + At(14, 11) + ",0",
          "sparkle," + At(16, 12) + ",0"}});
    areas.push_back(
        {"village",
         {"grass", "grass2", "grass", "grass3", "grass"},
         {
             "cccccccccccccccccccccccccccccc",
             "cccccCcccccccccccccccccccccccc",
             "f....=.......................f",
             "f....=..H.......H............f",
             "f....=.......................f",
             "f....=..............3...H....f",
             ".....=ppppppppppppp..........f",
             "======pppppwppppFpp..........f",
             ".....=ppppppppppppp....4.....f",
             "f....=......i.......,,.......f",
             "f..T.=......$==......T.......f",
             "f....=........==.............f",
             "f..,,=........$$.........,,..f",
             "ffffffffffffffGgffffffffffffff",
             "bbbbbbbbbbbbb.==.bbbbbbbbbbbbb",
         },
         {},
         {"5,1,cave,3,7"},
         {"smoke,311,70,0", "smoke,567,70,0", "smoke,823,134,0", "torch," + At(7, 5) + ",0",
          "torch," + At(11, 5) + ",0", "torch," + At(15, 5) + ",0", "torch," + At(19, 5) + ",0",
          "torch," + At(23, 7) + ",0", "torch," + At(13, 12) + ",0", "torch," + At(16, 12) + ",0",
          "campfire," + At(16, 7) + ",0"}});
    areas.push_back(
        {"cave",
         {"cavefloor", "cavefloor", "cavefloor2", "cavefloor", "cavefloor2"},
         {
             "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
             "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
             "xx......xxxxx.....2....xxxxxxx",
             "xx..^...xxxx...........xx...xx",
             "xx......xxx....xx.......x...xx",
             "xx....2.......xxxx.....5x...xx",
             "xx.....k...............xx...xx",
             "x<.......xxx.......^..v......x",
             "xx.......xxx..5.......v.....xx",
             "xx.......xxxxx......xxx.....xx",
             "xxx.^...........^...xxx..K..xx",
             "xxxx.......5.......xxxxx.....x",
             "xxxxx..........k..xx....2....x",
             "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
             "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
         },
         {"Old Sword,sword.png,8,12,1,0,0,0", "Iron Key,key.png,26,4,0,0,0,0"},
         {"1,7,village,5,2"},
         {"torch," + At(2, 2) + ",0", "torch," + At(13, 2) + ",0", "torch," + At(22, 2) + ",0",
          "torch," + At(27, 3) + ",0", "torch," + At(5, 11) + ",0", "torch," + At(17, 12) + ",0",
          "torch," + At(28, 10) + ",0", "sparkle," + At(26, 4) + ",0"}});
    areas.push_back(
        {"ruins",
         {"ruinfloor", "ruinfloor", "ruinmoss", "ruinfloor", "ruinfloor", "ruinfloor", "ruinmoss"},
         {
             "#############....#############",
             "#.............pp.............#",
             "#..P.....P....pp....P.....P..#",
             "#.............pp.............#",
             "#.............pp.............#",
             "#...6.........pp.......6.....#",
             "#..P.....P....pp....P.....P..#",
             "#.............pp.............#",
             "#.............pp.............#",
             "#......rrrrrr.pp.rrrrrr......#",
             "#......r......pp......r......#",
             "#......r...7..pp......r..6...#",
             "#......r......AA......r......#",
             "#......rrrrrrrrrrrrrrrr......#",
             "##############################",
         },
         {"Relic of Vorn,relic.png,14,11,0,0,0,0"},
         {},
         {"sparkle," + At(14, 11) + ",0", "torch," + At(12, 10) + ",0",
          "torch," + At(17, 10) + ",0", "torch," + At(13, 1) + ",0", "torch," + At(16, 1) + ",0"}});
    return areas;
}

const Legend* Find(char ch) {
    for (const Legend& legend : kLegend)
        if (legend.ch == ch)
            return &legend;
    return nullptr;
}

// Stamps a picture cut into tiles (prefix_row_col) over the cells from
// (col, row): rows listed in `layers` go to that layer, "bg" rows block.
void Stamp(std::vector<std::vector<Cell>>& cells, const std::string& prefix, int col, int row,
           int width, const std::vector<char>& layers) {
    for (size_t dy = 0; dy < layers.size(); ++dy)
        for (int dx = 0; dx < width; ++dx) {
            const int c = col + dx, r = row + static_cast<int>(dy);
            if (c >= kWidth || r >= kHeight)
                continue;
            Cell& cell = cells[static_cast<size_t>(r)][static_cast<size_t>(c)];
            const std::string name = prefix + "_" + std::to_string(dy) + "_" + std::to_string(dx);
            if (layers[dy] == 't')
                cell.top = name;
            if (layers[dy] == 'f')
                cell.foreground = name;
            if (layers[dy] == 'b') {
                cell.background = name;
                cell.attribute = "X";
            }
        }
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string Layer(const std::vector<std::vector<Cell>>& cells, std::string Cell::*field) {
    std::vector<std::string> lines;
    for (const auto& row : cells) {
        std::string line;
        for (const Cell& cell : row)
            line += (line.empty() ? "" : " ") + cell.*field;
        lines.push_back(line);
    }
    return Join(lines);
}

void WriteArea(Output& out, const Area& area) {
    if (area.rows.size() != kHeight) {
        std::fprintf(stderr, "vorn3gen: %s has %zu rows\n", area.name.c_str(), area.rows.size());
        std::exit(1);
    }
    std::vector<std::vector<Cell>> cells(kHeight, std::vector<Cell>(kWidth));
    for (int r = 0; r < kHeight; ++r) {
        const std::string& row = area.rows[static_cast<size_t>(r)];
        if (row.size() != kWidth) {
            std::fprintf(stderr, "vorn3gen: %s row %d has %zu cells\n", area.name.c_str(), r,
                         row.size());
            std::exit(1);
        }
        for (int c = 0; c < kWidth; ++c) {
            Cell& cell = cells[static_cast<size_t>(r)][static_cast<size_t>(c)];
            // A scrambled position mixes the ground variants without visible stripes.
            const uint32_t mix =
                (static_cast<uint32_t>(c) * 73856093u) ^ (static_cast<uint32_t>(r) * 19349663u);
            cell.ground = area.ground[(mix >> 4) % area.ground.size()];
            const char ch = row[static_cast<size_t>(c)];
            if (ch >= '1' && ch <= '9') {
                cell.attribute = std::string(1, ch);
            } else if (const Legend* legend = Find(ch)) {
                if (legend->ground != nullptr)
                    cell.ground = legend->ground;
                if (ch == '~' && (c + r) % 3 == 0)
                    cell.ground = "water2";
                cell.background = legend->background;
                cell.attribute = legend->attribute;
            } else if (ch != 'T' && ch != 'H' && ch != 'P') {
                std::fprintf(stderr, "vorn3gen: %s has unknown cell '%c'\n", area.name.c_str(), ch);
                std::exit(1);
            }
        }
    }
    for (int r = 0; r < kHeight; ++r)
        for (int c = 0; c < kWidth; ++c) {
            const char ch = area.rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
            if (ch == 'T')
                Stamp(cells, "tree", c, r, 2, {'t', 'f', 'b'});
            if (ch == 'H')
                Stamp(cells, "hut", c, r, 3, {'t', 'b', 'b'});
            if (ch == 'P')
                Stamp(cells, "pillar", c, r, 1, {'t', 'f', 'b'});
        }
    const std::string base = "maps/" + area.name;
    out.Write(base + ".gtl", Layer(cells, &Cell::ground));
    out.Write(base + ".btl", Layer(cells, &Cell::background));
    out.Write(base + ".ftl", Layer(cells, &Cell::foreground) + Layer(cells, &Cell::top));
    out.Write(base + ".atl", Layer(cells, &Cell::attribute));
    // An empty list gets no file: every line of these files, an empty one
    // too, becomes an object, warp or animation.
    if (!area.objects.empty())
        out.Write(base + ".obl", Join(area.objects));
    if (!area.warps.empty())
        out.Write(base + ".wpl", Join(area.warps));
    if (!area.animations.empty())
        out.Write(base + ".ani", Join(area.animations));
}

}  // namespace

void WriteMaps(Output& out) {
    for (const Area& area : Areas())
        WriteArea(out, area);
}

}  // namespace vorn3gen
