// tiledmap's export and import: every map of vorn3 survives the round trip
// byte for byte, and import reads what Tiled may save and refuses what our
// maps cannot hold, naming the place.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <sstream>

#include "tests/tools/monstereditor/ScratchFolder.h"
#include "tools/tiledmap/TiledMapTool.h"
#include "tools/vorn3gen/PngFile.h"

namespace vorn::tiledmap {
namespace {

namespace fs = std::filesystem;
using tooltest::ScratchFolder;

const char* const kExtensions[] = {"gtl", "btl", "ftl", "atl", "ani", "obl", "wpl", "ini"};

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunTiledMapTool(arguments, out, err);
    return {status, out.str(), err.str()};
}

// Every file of `map` in `from` has the same bytes in `to`, and a file
// missing in `from` is missing in `to`.
void ExpectSameMapFiles(const std::string& from, const std::string& to, const std::string& map) {
    for (const char* extension : kExtensions) {
        const std::string name = "/maps/" + map + "." + extension;
        std::string expected;
        std::string actual;
        const bool hasExpected = ReadWholeFile(from + name, expected);
        const bool hasActual = ReadWholeFile(to + name, actual);
        EXPECT_EQ(hasExpected, hasActual) << name;
        EXPECT_EQ(expected, actual) << name;
    }
}

// A mod made to measure: a 3 x 2 map "m" over the tiles grass and rock and
// the object picture key.png.
class TiledMapFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string settings =
            "[Settings]\r\nMapWidth=3\r\nMapHeight=2\r\nTileWidth=32\r\nTileHeight=32\r\n";
        mod_.Write("settings.ini", settings);
        fs::create_directories(mod_.File("tiles"));
        fs::create_directories(mod_.File("objects"));
        fs::create_directories(mod_.File("maps"));
        const std::string png = vorn3gen::EncodePng(vorn3gen::Canvas(32, 32, 0x40A040));
        mod_.Write("tiles/grass.png", png);
        mod_.Write("tiles/rock.png", png);
        mod_.Write("objects/key.png", png);
        copy_.Write("settings.ini", settings);
    }

    // The "Tiles" tileset: grass is gid 1, rock gid 2, both known by their
    // pictures in the tiles folder.
    std::string TilesTileset() const {
        return "<tileset firstgid=\"1\" name=\"Tiles\" tilewidth=\"32\" tileheight=\"32\" "
               "tilecount=\"2\" columns=\"0\"><tile id=\"0\"><image source=\"" +
               mod_.File("tiles/grass.png") + "\"/></tile><tile id=\"1\"><image source=\"" +
               mod_.File("tiles/rock.png") + "\"/></tile></tileset>\n";
    }

    // A TMX of the small map: its tilesets on line 3, its layers from line 4.
    std::string Tmx(const std::string& layers, const std::string& tilesets = "") const {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<map version=\"1.8\" orientation=\"orthogonal\" width=\"3\" height=\"2\" "
               "tilewidth=\"32\" tileheight=\"32\" infinite=\"0\">\n" +
               (tilesets.empty() ? TilesTileset() : tilesets) + layers + "</map>\n";
    }

    ToolRun Import(const std::string& tmx) {
        mod_.Write("in.tmx", tmx);
        return RunTool({"import", mod_.File("in.tmx"), mod_.Path(), "m"});
    }

    ScratchFolder mod_;
    ScratchFolder copy_;
};

std::string Layer(const std::string& name, const std::string& data) {
    return "<layer name=\"" + name + "\" width=\"3\" height=\"2\">" + data + "</layer>\n";
}

// Six little-endian tile numbers.
std::string GidBytes(std::initializer_list<uint32_t> gids) {
    std::string bytes;
    for (const uint32_t gid : gids)
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((gid >> shift) & 0xFF);
    return bytes;
}

std::string Pack(const std::string& bytes, bool gzip) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, gzip ? 15 + 16 : 15, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&stream, bytes.size()) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

std::string Base64(const std::string& bytes) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t count = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < count ? static_cast<uint8_t>(bytes[i + k]) : 0);
        for (size_t k = 0; k < 4; ++k)
            text += k <= count ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return text;
}

TEST(TiledMapRoundTrip, EveryMapOfVorn3KeepsItsBytes) {
    const std::string vorn3 = std::string(VORN_SOURCE_DIR) + "/vorn3";
    int maps = 0;
    for (const auto& entry : fs::directory_iterator(vorn3 + "/maps")) {
        if (entry.path().extension() != ".ini")
            continue;
        const std::string map = entry.path().stem().string();
        ScratchFolder work;
        ScratchFolder copy;
        std::string settings;
        ASSERT_TRUE(ReadWholeFile(vorn3 + "/settings.ini", settings));
        copy.Write("settings.ini", settings);
        const ToolRun exported = RunTool({"export", vorn3, map, work.File(map + ".tmx")});
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(exported.err, "") << map;
        const ToolRun imported = RunTool({"import", work.File(map + ".tmx"), copy.Path(), map});
        ASSERT_EQ(imported.status, 0) << imported.err;
        ExpectSameMapFiles(vorn3, copy.Path(), map);
        ++maps;
    }
    EXPECT_EQ(maps, 4);
}

// LF and CR line ends, an unended last line, a tile name and an object
// picture without a picture file, odd attributes and an .ini whose longer
// key comes first all come back as they were.
TEST_F(TiledMapFixture, UncommonFilesKeepTheirBytes) {
    mod_.Write("maps/m.gtl", "grass rock ghost\nrock grass grass\n");
    mod_.Write("maps/m.btl", ". . rock\r. . .");
    mod_.Write("maps/m.ftl", ". . .\r\n. . .\r\n. rock .\r\n. . .\r\n");
    mod_.Write("maps/m.atl", "0 X 3x\n0 S 0\n");
    mod_.Write("maps/m.obl", "Key,key.png,1,0,0,0,5,0\nLost,nope.png,2,1,1,2,3,4\n");
    mod_.Write("maps/m.ani", "torch,40,-8,1");
    mod_.Write("maps/m.ini", "[Properties]\nSpeechTextY=40\nSpeechText=Caf\xE9\nTitle=A=B\n");
    const ToolRun exported = RunTool({"export", mod_.Path(), "m", mod_.File("m.tmx")});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(fs::exists(mod_.File("m_labels/missing-0.png")));
    const ToolRun imported = RunTool({"import", mod_.File("m.tmx"), copy_.Path(), "m"});
    ASSERT_EQ(imported.status, 0) << imported.err;
    ExpectSameMapFiles(mod_.Path(), copy_.Path(), "m");
}

// Base64 data plain, zlib- and gzip-compressed, and an external tileset;
// a TMX without Foreground keeps the file's foreground half.
TEST_F(TiledMapFixture, ImportReadsEveryFormTiledSaves) {
    mod_.Write("maps/m.ftl", "rock . .\r\n. . .\r\n. . .\r\n. . .\r\n");
    const std::string gids = GidBytes({1, 2, 0, 2, 1, 1});
    const std::string zlibData =
        "<data encoding=\"base64\" compression=\"zlib\">" + Base64(Pack(gids, false)) + "</data>";
    const std::string gzipData = "<data encoding=\"base64\" compression=\"gzip\">\n   " +
                                 Base64(Pack(gids, true)) + "\n  </data>";
    const std::string plainData = "<data encoding=\"base64\">" + Base64(gids) + "</data>";
    mod_.Write("tiles.tsx",
               "<?xml version=\"1.0\"?>\n<tileset name=\"Tiles\" tilewidth=\"32\" "
               "tileheight=\"32\" tilecount=\"2\" columns=\"0\">\n"
               "<tile id=\"0\"><image source=\"tiles/grass.png\"/></tile>\n"
               "<tile id=\"1\"><properties><property name=\"name\" value=\"rock\"/>"
               "</properties><image source=\"tiles/rock.png\"/></tile>\n</tileset>\n");
    const ToolRun run = Import(
        Tmx(Layer("Ground", zlibData) + Layer("Background", gzipData) + Layer("Top", plainData),
            "<tileset firstgid=\"1\" source=\"tiles.tsx\"/>"));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string painted = "grass rock .\r\nrock grass grass\r\n";
    EXPECT_EQ(mod_.Read("maps/m.gtl"), painted);
    EXPECT_EQ(mod_.Read("maps/m.btl"), painted);
    EXPECT_EQ(mod_.Read("maps/m.ftl"), "rock . .\r\n. . .\r\n" + painted);
    EXPECT_EQ(mod_.Read("maps/m.atl"), "<missing>");  // no layer: the file stays as it was
}

// Flipped tiles, pictures from outside the tiles folder, unknown layers and
// broken XML: errors name the file, the line and the cell; nothing is
// written when there is one.
TEST_F(TiledMapFixture, ImportRefusesWhatOurMapsCannotHold) {
    mod_.Write("maps/m.gtl", "rock rock rock\r\nrock rock rock\r\n");
    mod_.Write("elsewhere.png", vorn3gen::EncodePng(vorn3gen::Canvas(32, 32, 0)));
    const std::string extra =
        "<tileset firstgid=\"3\" name=\"Extra\" tilewidth=\"32\" tileheight=\"32\" "
        "tilecount=\"1\" columns=\"0\"><tile id=\"0\"><image source=\"elsewhere.png\"/>"
        "</tile></tileset>\n";

    ToolRun run =
        Import(Tmx(Layer("Ground", "<data encoding=\"csv\">1,2,1,\n1,2147483649,1</data>")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("in.tmx:4: error: layer \"Ground\", cell (column 1, row 1): the tile "
                           "is flipped"),
              std::string::npos)
        << run.err;

    run = Import(
        Tmx(Layer("Ground", "<data encoding=\"csv\">1,2,3,1,1,1</data>"), TilesTileset() + extra));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find("cell (column 2, row 0): the tile picture " + mod_.File("elsewhere.png") +
                     " (tileset \"Extra\") is not a PNG file in " + mod_.Path() + "/tiles/"),
        std::string::npos)
        << run.err;
    EXPECT_EQ(mod_.Read("maps/m.gtl"), "rock rock rock\r\nrock rock rock\r\n");

    run = Import(Tmx(Layer("Clouds", "<data encoding=\"csv\">1,1,1,1,1,1</data>") +
                     Layer("Ground", "<data encoding=\"csv\">1,1,1,1,1,1</data>")));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("in.tmx:4: warning: the layer \"Clouds\" is not one of ours"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(mod_.Read("maps/m.gtl"), "grass grass grass\r\ngrass grass grass\r\n");

    run = Import("<map>\n<layer>\n</map>\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("in.tmx:3: error: not a readable XML file"), std::string::npos)
        << run.err;
}

TEST_F(TiledMapFixture, CommandLineNamesWhatIsWrong) {
    EXPECT_EQ(RunTool({"--help"}).status, 0);
    EXPECT_NE(RunTool({"--help"}).out.find("tiledmap export MODFOLDER MAP OUT.tmx"),
              std::string::npos);
    EXPECT_EQ(RunTool({"export", mod_.Path()}).status, 1);
    EXPECT_EQ(RunTool({"export", mod_.Path(), "../m", mod_.File("x.tmx")}).status, 1);
    const ToolRun missing = RunTool({"export", mod_.Path(), "m", mod_.File("x.tmx")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find(mod_.File("maps/m.gtl") + ": error: cannot read the map's Ground"),
              std::string::npos)
        << missing.err;
    EXPECT_FALSE(fs::exists(mod_.File("x.tmx")));
}

}  // namespace
}  // namespace vorn::tiledmap
