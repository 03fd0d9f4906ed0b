// The developer mode on the headless layer: the overlay and the variables
// screen over the frame, screenshots, the last script error, and live
// reload of maps, scripts and pictures that keeps the player's game.
#include <gtest/gtest.h>

#include "game/media/PictureLoader.h"
#include "game/media/ShellKeys.h"
#include "game/shell/DeveloperMode.h"
#include "game/shell/Session.h"
#include "game/world/Assets.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::ShellGame;

class DeveloperModeTest : public ::testing::Test {
protected:
    explicit DeveloperModeTest(DeveloperOptions options = {true, true},
                               std::vector<std::string> settings = {"TickMs=20"}) {
        shell = std::make_unique<ShellGame>(settings);
        shell->Write("global_tick.ds", "TICKS = TICKS + 1\n");
        EXPECT_TRUE(shell->StartNewGame());
        developer = std::make_unique<DeveloperMode>(shell->game, options);
    }

    // Presses the keys, then runs a frame with the developer mode watching.
    void Frame(const std::string& presses = "") {
        for (const char code : presses)
            shell->media.PressShellKey(code);
        shell->media.AdvanceTimeMs(10);
        RunFrame(shell->game, developer.get());
    }

    bool TextDrawn(const std::string& start) const {
        for (const auto& text : shell->media.TextLog())
            if (text.text.rfind(start, 0) == 0)
                return true;
        return false;
    }

    std::string NotesText() const {
        std::string text;
        for (const PanelLine& line : developer->Notes())
            text += line.text + "\n";
        return text;
    }

    Game& game() { return shell->game; }

    std::unique_ptr<ShellGame> shell;
    std::unique_ptr<DeveloperMode> developer;
};

TEST_F(DeveloperModeTest, F3ShowsTheOverlayOnADarkTranslucentPanel) {
    Frame();
    EXPECT_EQ(shell->media.PixelAt(6, 6), 0x30A030u);  // the grass
    EXPECT_FALSE(TextDrawn("map start"));
    Frame({shellkeys::F3});
    EXPECT_TRUE(developer->OverlayShown());
    // The grass under the panel's margin, mixed with the panel's colour.
    EXPECT_EQ(shell->media.PixelAt(6, 6), 0x142D1Cu);
    EXPECT_TRUE(TextDrawn("map start"));
    EXPECT_TRUE(TextDrawn("player 96,64 px  tile 3,2  health 10/10"));
    EXPECT_TRUE(TextDrawn("ground grass"));
    EXPECT_TRUE(TextDrawn("monsters 0  objects 0"));
    Frame({shellkeys::F3});
    EXPECT_EQ(shell->media.PixelAt(6, 6), 0x30A030u);
}

TEST_F(DeveloperModeTest, F4ListsTheVariablesByTypedPrefixAndTheGameHearsNoKeys) {
    game().script.SetSymbol("KEYS", "2", ValueType::Number);
    game().script.SetSymbol("NAME", "Ann", ValueType::String);
    shell->media.SetKeyDown(keys::Right, true);
    Frame({shellkeys::F4, 'K'});
    EXPECT_TRUE(TextDrawn("Script variables starting with K: 1 of 3"));
    EXPECT_TRUE(TextDrawn("KEYS                number  2"));
    EXPECT_FALSE(TextDrawn("NAME                string"));
    const float x = game().player.X;
    Frame({shellkeys::Backspace});
    EXPECT_TRUE(TextDrawn("NAME                string  Ann"));
    EXPECT_EQ(game().player.X, x);  // Right is held, but muted
    Frame({shellkeys::F4});
    Frame();
    EXPECT_GT(game().player.X, x);
}

TEST_F(DeveloperModeTest, TheLastScriptErrorNamesItsFileAndLine) {
    shell->Write("maps/start_tick.ds", "A = 1\nNoSuchCommand(1)\n");
    Frame({shellkeys::F5});
    Frame();
    Frame();
    const std::string error = game().ModFolder +
                              "/maps/start_tick.ds:2: error: Syntax error: Expression expected "
                              "or unknown command.";
    EXPECT_EQ(developer->LastScriptError(), error);

    // The overlay shows it whole, over several lines broken between words
    // (a path longer than a line is cut where the line ends).
    Frame({shellkeys::F3});
    size_t shown = 0;
    int lines = 0;
    for (const auto& drawn : shell->media.TextLog()) {
        if (drawn.text.empty() || error.compare(shown, drawn.text.size(), drawn.text) != 0)
            continue;
        shown += drawn.text.size();
        ++lines;
        const bool oneWord = drawn.text.find(' ') == std::string::npos;
        ASSERT_TRUE(shown == error.size() || error[shown] == ' ' || oneWord) << drawn.text;
        shown += shown < error.size() && error[shown] == ' ' ? 1 : 0;
    }
    EXPECT_EQ(shown, error.size());
    EXPECT_GT(lines, 1);
}

TEST_F(DeveloperModeTest, F5ReadsTheChangedMapAndScriptsAndKeepsThePlayersGame) {
    game().player.X = 150;
    game().player.Health = 4;
    game().inventory.push_back("Gem");
    Frame();
    const std::string ticks = shell->Variable("TICKS");
    shell->Write("maps/start.gtl", "wall grass\r\n");
    shell->Write("maps/start_enter.ds", "ENTERED = 1\n");
    shell->Write("global_tick.ds", "TICKS = 1000\n");
    Frame({shellkeys::F5});
    EXPECT_EQ(NotesText(), "F5 reloaded: 5 global scripts, map start\n");
    EXPECT_EQ(game().map->grid.Cell(0, 0)->Ground, "wall");
    EXPECT_EQ(game().map->grid.Cell(0, 0)->GroundSprite, FindTileSprite(game(), "wall"));
    EXPECT_EQ(game().player.X, 150.0f);
    EXPECT_EQ(game().player.Health, 4);
    EXPECT_EQ(game().inventory, std::vector<std::string>{"Gem"});
    EXPECT_EQ(shell->Variable("ENTERED"), "<unset>");  // F5 runs no script
    Frame();
    Frame();
    EXPECT_EQ(shell->Variable("TICKS"), " 1000");
    Frame({shellkeys::F5});
    EXPECT_EQ(NotesText(), "F5 reloaded: nothing changed on disk\n");
    Frame({shellkeys::F6});
    EXPECT_EQ(shell->Variable("ENTERED"), " 1");
    EXPECT_NE(ticks, "<unset>");
}

TEST_F(DeveloperModeTest, AFileThatCannotBeReadKeepsWhatWasReadBefore) {
    Frame();
    const std::string grass = shell->folder.PathOf("tiles/grass.png");
    shell->Write("tiles/grass.png", test::MakePng(32, 32, 0xC00000));
    Frame({shellkeys::F5});
    Frame();
    EXPECT_EQ(shell->media.PixelAt(6, 250), 0xC00000u);  // the same tile, a new picture

    shell->Write("tiles/grass.png", "half a picture");
    std::remove(shell->folder.PathOf("maps/start.atl").c_str());
    shell->Write("maps/start.gtl", "wall wall\r\n");
    testing::internal::CaptureStderr();
    Frame({shellkeys::F5});
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(grass + ": error: not a PNG or BMP picture"), std::string::npos);
    EXPECT_NE(errors.find("start.atl: error: the map cannot do without this file"),
              std::string::npos);
    EXPECT_NE(errors.find("maps/start: error: the map stays as it was"), std::string::npos);
    EXPECT_EQ(NotesText(), "F5 reloaded: nothing changed on disk\n" + errors);
    Frame();
    EXPECT_FALSE(game().ended);
    EXPECT_EQ(game().map->grid.Cell(0, 0)->Ground, "grass");
    EXPECT_EQ(shell->media.PixelAt(6, 250), 0xC00000u);
}

TEST_F(DeveloperModeTest, F12WritesNumberedScreenshotsOfTheFrame) {
    Frame({shellkeys::F12});
    Frame({shellkeys::F12});
    Picture shot;
    ASSERT_TRUE(LoadPictureFile(shell->folder.PathOf("screenshots/0002.png"), shot));
    EXPECT_EQ(shot.width, 320);
    EXPECT_EQ(shot.height, 296);
    EXPECT_EQ(shot.pixels[6 * 320 + 6] & kRgbMask, 0x30A030u);
    EXPECT_TRUE(shell->folder.Exists("screenshots/0001.png"));
}

class PlainModeTest : public DeveloperModeTest {
protected:
    PlainModeTest() : DeveloperModeTest({false, true}) {}
};

TEST_F(PlainModeTest, OnlyF12WorksOutsideTheDeveloperMode) {
    shell->Write("maps/start.gtl", "wall\r\n");
    Frame({shellkeys::F3, shellkeys::F4, shellkeys::F5, shellkeys::F12});
    EXPECT_FALSE(developer->OverlayShown());
    EXPECT_FALSE(developer->VariablesShown());
    EXPECT_EQ(game().map->grid.Cell(0, 0)->Ground, "grass");
    EXPECT_TRUE(shell->folder.Exists("screenshots/0001.png"));
}

class RecordedModeTest : public DeveloperModeTest {
protected:
    RecordedModeTest() : DeveloperModeTest({true, false}) {}
};

TEST_F(RecordedModeTest, LiveReloadIsOffWhileASessionIsRecorded) {
    shell->Write("maps/start.gtl", "wall\r\n");
    Frame({shellkeys::F5});
    EXPECT_EQ(NotesText(), "Live reload is off while a session is recorded or replayed.\n");
    EXPECT_EQ(game().map->grid.Cell(0, 0)->Ground, "grass");
}

// Starts a new game, presses F3 in its first frame and ends it in the third,
// noting whether the overlay was drawn.
class OverlayProbe : public FrameWatcher {
public:
    explicit OverlayProbe(HeadlessMedia& media) : media_(media) {}
    void FrameStarting(Game& game, FrameKind kind) override {
        media_.SetKeyDown(keys::Space, kind == FrameKind::Title);
        if (kind != FrameKind::Play)
            return;
        for (const auto& text : media_.TextLog())
            overlayDrawn = overlayDrawn || text.text.rfind("map start", 0) == 0;
        media_.AdvanceTimeMs(10);
        if (frame_ == 0)
            media_.PressShellKey(shellkeys::F3);
        game.ended = ++frame_ > 2;
    }
    void FrameDrawn(Game&, FrameKind) override {}
    bool overlayDrawn = false;

private:
    HeadlessMedia& media_;
    int frame_ = 0;
};

TEST(SessionDeveloperModeTest, DebugModeInTheSettingsTurnsItOnAsTheCommandLineDoes) {
    for (const char* debugMode : {"DebugMode=0", "DebugMode=1"}) {
        for (const bool commandLine : {false, true}) {
            ShellGame shell({debugMode});
            OverlayProbe probe(shell.media);
            SessionSetup setup;
            setup.modFolder = test::ModArgument(shell.folder.Path());
            setup.developerMode = commandLine;
            setup.player = &probe;
            ASSERT_TRUE(RunSession(shell.media, setup).started);
            EXPECT_EQ(probe.overlayDrawn, commandLine || debugMode[10] == '1')
                << debugMode << (commandLine ? " --dev" : "");
        }
    }
}

}  // namespace
}  // namespace vorn
