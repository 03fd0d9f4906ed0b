// replaygen SCENARIO MODFOLDER OUT: plays a scenario on the headless game
// and records the session to OUT, as `game --record` records one played in a
// window. The scenario says what a player would do, one step a line; the
// generator turns each step into keys frame by frame, looking at the game
// only to choose them (the recording holds the keys, nothing else):
//
//   title KEY            on the title screen, KEY (Space: new game, L: load)
//   walkto X Y [calm]    walk to tile (X, Y) of the map, around walls and
//                        monsters, striking at hostile monsters in the way
//                        (not when calm); ends there, or when the player is
//                        carried away (a warp, a rune, a map edge, a death)
//   hold KEY until-map M hold KEY until the map is M
//   press KEY [FRAMES]   hold KEY for FRAMES frames (2), then let go a frame
//   wait FRAMES          no key for FRAMES frames
//   wait-map M           no key until the map is M (after a death, say)
//   expect VAR VALUE     fails unless script variable VAR holds VALUE now
//   quit ANSWER          close the window and answer the quit question
//                        (Yes saves)
//
// '#' starts a comment. Frames are 33 ms apart on the game's clock. The
// program fails (exit status 1, nothing written) when a step cannot finish.
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/TextPrimitives.h"
#include "game/media/HeadlessMedia.h"
#include "game/play/ActorBoxes.h"
#include "game/shell/ModFiles.h"
#include "game/shell/Session.h"

namespace {

using namespace vorn;

// The loop sleeps 8 ms a frame; this makes 33 ms, a 30-frames-a-second game.
constexpr int32_t kExtraFrameMs = 25;
// A step that has not finished after this many frames has failed.
constexpr int kStepFrameLimit = 6000;
// Frames without moving after which a walk tries the other axis a while.
constexpr int kStuckFrames = 20;
// A hostile monster whose frame is this close (on both axes) gets struck.
constexpr float kStrikeReach = 36.0f;
// Moving farther than this in one frame means the player was carried away.
constexpr float kCarriedDistance = 40.0f;
// How far the player may be off a waypoint before walking straightens it.
constexpr float kAlignSlack = 5.0f;

struct Step {
    std::string action;
    std::vector<std::string> words;
    int line = 0;
};

int KeyByName(const std::string& name) {
    const std::pair<const char*, int> names[] = {
        {"Up", keys::Up},       {"Down", keys::Down},     {"Left", keys::Left},
        {"Right", keys::Right}, {"Ctrl", keys::LeftCtrl}, {"Return", keys::Return},
        {"S", keys::S},         {"Tab", keys::Tab},       {"L", keys::L},
        {"Space", keys::Space},
    };
    for (const auto& [known, key] : names) {
        if (name == known)
            return key;
    }
    return -1;
}

bool ReadScenario(const std::string& path, std::vector<Step>& steps) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << path << ": error: the scenario cannot be read\n";
        return false;
    }
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        Step step;
        step.line = line;
        if (!(words >> step.action))
            continue;
        for (std::string word; words >> word;)
            step.words.push_back(word);
        steps.push_back(step);
    }
    return true;
}

struct Tile {
    int32_t column = 0;
    int32_t row = 0;
    bool operator==(const Tile&) const = default;
};

// Where the player is for warps, tiles and pick-up: the centre probe's tile.
Tile PlayerTile(const Game& game) {
    const Rect probe = CentreProbe(game);
    return {static_cast<int32_t>((probe.left + 1) / game.settings.TileWidth),
            static_cast<int32_t>((probe.top + 1) / game.settings.TileHeight)};
}

// The player position that puts both the probe and the clip box into a tile.
void WaypointOf(const Game& game, Tile tile, float& x, float& y) {
    const GameSettings& s = game.settings;
    x = static_cast<float>(tile.column * s.TileWidth + (s.TileWidth - s.PlayerWidth) / 2);
    y = static_cast<float>(tile.row * s.TileHeight + s.TileHeight - s.PlayerHeight -
                           s.PlayerClipY / 2 + 2);
}

bool TileBlocked(const Game& game, Tile tile, Tile goal) {
    const MapCell* cell = game.map->grid.Cell(tile.column, tile.row);
    if (cell == nullptr || cell->Attribute.Kind() == CellKind::Wall)
        return true;
    if (tile == goal)
        return false;
    const Rect box = TileRect(game.settings, tile.column, tile.row);
    for (const Monster& monster : game.map->monsters) {
        if (!monster.Dying && Overlaps(box, MonsterClipBox(monster)))
            return true;
    }
    return false;
}

// The next tile on a shortest path from `from` to `goal`, or none.
std::optional<Tile> NextTile(const Game& game, Tile from, Tile goal) {
    const MapGrid& grid = game.map->grid;
    const int32_t width = grid.Width();
    std::vector<int32_t> cameFrom(static_cast<size_t>(width) * grid.Height(), -1);
    auto index = [width](Tile t) { return static_cast<size_t>(t.row) * width + t.column; };
    if (!grid.Contains(from.column, from.row) || !grid.Contains(goal.column, goal.row))
        return std::nullopt;
    std::deque<Tile> open{goal};  // searched backwards, so the first step is at hand
    cameFrom[index(goal)] = static_cast<int32_t>(index(goal));
    while (!open.empty()) {
        const Tile here = open.front();
        open.pop_front();
        if (here == from)
            return Tile{static_cast<int32_t>(cameFrom[index(here)] % width),
                        static_cast<int32_t>(cameFrom[index(here)] / width)};
        for (const Tile step : {Tile{here.column + 1, here.row}, Tile{here.column - 1, here.row},
                                Tile{here.column, here.row + 1}, Tile{here.column, here.row - 1}}) {
            if (!grid.Contains(step.column, step.row) || cameFrom[index(step)] >= 0)
                continue;
            if (!(step == from) && TileBlocked(game, step, goal))
                continue;
            cameFrom[index(step)] = static_cast<int32_t>(index(here));
            open.push_back(step);
        }
    }
    return std::nullopt;
}

// Plays the steps, choosing the keys for each frame before the frame reads them.
class ScenarioPlayer : public FrameWatcher {
public:
    ScenarioPlayer(HeadlessMedia& media, std::vector<Step> steps, std::string path)
        : media_(media), steps_(std::move(steps)), path_(std::move(path)) {}

    const std::string& Failure() const { return failure_; }
    bool Finished() const { return next_ >= steps_.size(); }

    void FrameStarting(Game& game, FrameKind kind) override {
        media_.ReleaseAllKeys();
        if (kind == FrameKind::Play)
            media_.AdvanceTimeMs(kExtraFrameMs);
        ChooseKeys(game, kind);
        lastX_ = game.player.X;
        lastY_ = game.player.Y;
        lastMap_ = game.map->info.Name;
    }

    void FrameDrawn(Game&, FrameKind) override {}

private:
    void ChooseKeys(Game& game, FrameKind kind) {
        while (!failure_.empty() || next_ < steps_.size()) {
            if (!failure_.empty()) {
                // Ends the session at once; nothing is written.
                game.ended = true;
                game.script.RequestStop();
                return;
            }
            if (++framesInStep_ > kStepFrameLimit) {
                Fail("the step did not finish in " + std::to_string(kStepFrameLimit) + " frames");
                continue;
            }
            if (!PlayStep(game, kind, steps_[next_]))
                return;  // the step goes on next frame
            ++next_;
            framesInStep_ = 0;
            stepState_ = 0;
        }
        if (!quitQueued_) {
            // Past the last step with the game still running: end it as the
            // quit step would, without saving.
            media_.QueueWindowEvent(WindowEvent::CloseRequested);
            media_.QueueMessageAnswer(MessageResult::No);
            quitQueued_ = true;
        }
    }

    void Fail(const std::string& why) {
        if (failure_.empty())
            failure_ = path_ + ":" + std::to_string(steps_[next_].line) + ": error: " + why;
    }

    // True when the step is done; else it set the keys of this frame.
    bool PlayStep(Game& game, FrameKind kind, const Step& step) {
        const std::vector<std::string>& w = step.words;
        if (step.action == "title") {
            if (kind == FrameKind::Play)
                return true;
            return Hold(w, 0);
        }
        if (kind == FrameKind::Title) {
            Fail("the game is still on the title screen");
            return false;
        }
        if (step.action == "walkto" && (w.size() == 2 || (w.size() == 3 && w[2] == "calm")))
            return Walk(game, {std::stoi(w[0]), std::stoi(w[1])}, w.size() == 2);
        if (step.action == "hold" && w.size() == 3 && w[1] == "until-map")
            return game.map->info.Name == w[2] || Hold(w, 0);
        if (step.action == "wait-map" && w.size() == 1)
            return game.map->info.Name == w[0];
        if (step.action == "wait" && w.size() == 1)
            return stepState_++ >= std::stoi(w[0]);
        if (step.action == "press" && !w.empty()) {
            const int frames = w.size() > 1 ? std::stoi(w[1]) : 2;
            if (stepState_ >= frames + 1)
                return true;
            if (stepState_++ < frames)
                return Hold(w, 0);
            return false;  // one frame with the key up
        }
        if (step.action == "expect" && w.size() == 2) {
            const ScriptVariable* variable = game.script.GetSymbol(w[0]);
            const std::string value =
                variable != nullptr ? std::string(TrimSpaces(variable->value)) : "<unset>";
            if (value != w[1])
                Fail(w[0] + " is " + value + ", not " + w[1]);
            return true;
        }
        if (step.action == "quit" && w.size() == 1 && (w[0] == "Yes" || w[0] == "No")) {
            media_.QueueWindowEvent(WindowEvent::CloseRequested);
            media_.QueueMessageAnswer(w[0] == "Yes" ? MessageResult::Yes : MessageResult::No);
            quitQueued_ = true;
            return true;
        }
        Fail("unknown step \"" + step.action + "\" or wrong words after it");
        return false;
    }

    bool Hold(const std::vector<std::string>& words, size_t index) {
        const int key = KeyByName(words[index]);
        if (key < 0) {
            Fail("unknown key \"" + words[index] + "\"");
            return false;
        }
        media_.SetKeyDown(key, true);
        return false;
    }

    // Strikes at a hostile monster within reach: faces it and holds Ctrl.
    bool StrikeNearby(const Game& game) {
        const Player& p = game.player;
        for (const Monster& monster : game.map->monsters) {
            if (monster.Dying || monster.Friendly != 0 || monster.Health <= 0)
                continue;
            const float dx = monster.X - p.X;
            const float dy = monster.Y - p.Y;
            if (std::fabs(dx) > kStrikeReach || std::fabs(dy) > kStrikeReach)
                continue;
            if (std::fabs(dx) > std::fabs(dy)) {
                media_.SetKeyDown(dx > 0 ? keys::Right : keys::Left, true);
            } else {
                media_.SetKeyDown(dy > 0 ? keys::Down : keys::Up, true);
            }
            media_.SetKeyDown(keys::LeftCtrl, true);
            return true;
        }
        return false;
    }

    bool Walk(const Game& game, Tile goal, bool strike) {
        const Player& p = game.player;
        const bool carried =
            framesInStep_ > 1 && (game.map->info.Name != lastMap_ ||
                                  std::hypot(p.X - lastX_, p.Y - lastY_) > kCarriedDistance);
        const Tile here = PlayerTile(game);
        if (carried || here == goal)
            return true;
        if (strike && StrikeNearby(game))
            return false;
        const std::optional<Tile> next = NextTile(game, here, goal);
        if (!next) {
            // Monsters may close the way for a while; wait for them.
            return false;
        }
        float x = 0, y = 0;
        WaypointOf(game, *next, x, y);
        const float dx = x - p.X;
        const float dy = y - p.Y;
        const bool sideways = next->column != here.column;
        // Straighten up on the other axis first, so no corner catches the feet.
        bool alongX = sideways ? std::fabs(dy) <= kAlignSlack : std::fabs(dx) > kAlignSlack;
        stuckFrames_ = (p.X == lastX_ && p.Y == lastY_) ? stuckFrames_ + 1 : 0;
        if (stuckFrames_ > kStuckFrames)
            alongX = !alongX;
        if (stuckFrames_ > 2 * kStuckFrames)
            stuckFrames_ = 0;
        if (alongX) {
            media_.SetKeyDown(dx > 0 ? keys::Right : keys::Left, true);
        } else {
            media_.SetKeyDown(dy > 0 ? keys::Down : keys::Up, true);
        }
        return false;
    }

    HeadlessMedia& media_;
    std::vector<Step> steps_;
    std::string path_;
    size_t next_ = 0;
    int framesInStep_ = 0;
    int stepState_ = 0;
    int stuckFrames_ = 0;
    bool quitQueued_ = false;
    float lastX_ = 0, lastY_ = 0;
    std::string lastMap_;
    std::string failure_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "Usage: replaygen SCENARIO MODFOLDER OUT\n";
        return 2;
    }
    std::vector<Step> steps;
    if (!ReadScenario(argv[1], steps))
        return 1;
    const std::string out = argv[3];
    const std::string partial = out + ".partial";
    vorn::RecordingHeader header;
    header.engine = vorn::EngineVersion();
    header.modFolder = argv[2];
    header.modHash = vorn::HashModFolder(std::string("./") + argv[2], out);
    vorn::SessionRecorder recorder;
    if (header.modHash.empty() || !recorder.Open(partial, header)) {
        std::cerr << argv[2] << ": error: the mod folder cannot be read, or " << partial
                  << " written\n";
        return 1;
    }
    vorn::HeadlessMedia media;
    media.SetPainting(false);
    ScenarioPlayer player(media, std::move(steps), argv[1]);
    vorn::SessionSetup setup;
    setup.modFolder = argv[2];
    setup.tape = &recorder;
    setup.player = &player;
    const vorn::SessionResult result = vorn::RunSession(media, setup);
    recorder.Finish(result.summary);
    if (!player.Failure().empty() || !player.Finished()) {
        std::filesystem::remove(partial);
        std::cerr << (player.Failure().empty()
                          ? std::string(argv[1]) + ": error: the game ended before the last step"
                          : player.Failure())
                  << "\n  at: " << result.summary << '\n';
        return 1;
    }
    std::filesystem::rename(partial, out);
    std::cout << result.summary << '\n';
    return 0;
}
