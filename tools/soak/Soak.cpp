// vorn_soak: plays a mod on the headless media layer for many frames with
// random keys from a seeded generator and reports memory use, so that leaks
// and slow growth show up long before a player's evening would find them.
//
//   vorn_soak [--frames N] [--mod FOLDER] [--seed S] [--every N] [--travel N]
//
// The mod folder (default ./vorn3) is copied to a scratch folder first, so the
// saves the random S presses make never touch the original. Each frame moves
// the headless clock by about 16 ms (8 ms inside the frame, 8 ms here). Every
// --travel frames (default 2000; 0: never) the player is sent to a random map
// of the mod as a warp would send him, since random keys rarely find the
// exits and most of what a map owns is made and released by map loads. A game
// that ends (the player lost, or an error box) is reported and a new game
// started. The exit code is 1 when an error box was shown or resident memory
// grew by more than a tenth between the first report and the end.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "game/media/HeadlessMedia.h"
#include "game/play/MapEntry.h"
#include "game/shell/GameShell.h"
#include "game/world/Game.h"
#include "tools/soak/SoakMemory.h"

namespace {

namespace fs = std::filesystem;
using vorn::soak::MemoryFigures;
using vorn::soak::ReadMemoryFigures;

struct Options {
    int64_t frames = 1000000;
    std::string mod = "./vorn3";
    uint32_t seed = 1;
    int64_t every = 10000;
    int64_t travel = 2000;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--frames") {
            options.frames = std::strtoll(value, nullptr, 10);
        } else if (name == "--mod") {
            options.mod = value;
        } else if (name == "--seed") {
            options.seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (name == "--every") {
            options.every = std::strtoll(value, nullptr, 10);
        } else if (name == "--travel") {
            options.travel = std::strtoll(value, nullptr, 10);
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.frames > 0 && options.every > 0 && options.travel >= 0;
}

// One game from start-up to its end, on its own media layer.
struct Session {
    explicit Session(const std::string& relativeMod) {
        const char* argv[] = {"game", relativeMod.c_str()};
        started = vorn::StartUp(game, 2, argv);
        if (!started)
            return;
        media.SetKeyDown(vorn::keys::Space, true);
        vorn::RunTitleScreen(game);
        media.SetKeyDown(vorn::keys::Space, false);
    }
    vorn::HeadlessMedia media;
    vorn::Game game{media};
    bool started = false;
    size_t messagesSeen = 0;
};

// Keys held for a stretch of frames: mostly walking, sometimes fighting,
// picking up, looking at the stats or saving.
void ChooseKeys(vorn::HeadlessMedia& media, std::mt19937& random) {
    static constexpr int kWalkKeys[] = {vorn::keys::Up, vorn::keys::Down, vorn::keys::Left,
                                        vorn::keys::Right};
    media.ReleaseAllKeys();
    const uint32_t roll = random() % 100;
    media.SetKeyDown(kWalkKeys[random() % 4], roll < 85);
    if (roll % 3 == 0)
        media.SetKeyDown(kWalkKeys[random() % 4], true);
    media.SetKeyDown(vorn::keys::LeftCtrl, roll >= 60 && roll < 80);
    media.SetKeyDown(vorn::keys::Return, roll >= 80 && roll < 92);
    media.SetKeyDown(vorn::keys::Tab, roll >= 92 && roll < 97);
    media.SetKeyDown(vorn::keys::S, roll >= 97);
}

// The names of the mod's maps (every "maps/<name>.ini").
std::vector<std::string> MapNames(const std::string& mod) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(mod) / "maps", error)) {
        if (entry.path().extension() == ".ini")
            names.push_back(entry.path().stem().string());
    }
    return names;
}

void Report(int64_t frame, const Session& session, int64_t games) {
    const MemoryFigures memory = ReadMemoryFigures();
    std::printf(
        "frame %lld: rss %lld kB, peak %lld kB, game %lld, map \"%s\", %zu monsters, "
        "%zu animations, %zu items carried, %zu script variables, %zu screen texts\n",
        static_cast<long long>(frame), static_cast<long long>(memory.residentKb),
        static_cast<long long>(memory.peakKb), static_cast<long long>(games),
        session.game.map->info.Name.c_str(), session.game.map->monsters.size(),
        session.game.map->animations.size(), session.game.inventory.size(),
        session.game.script.Variables().size(), session.game.screenTexts.size());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(
            stderr,
            "usage: vorn_soak [--frames N] [--mod FOLDER] [--seed S] [--every N] [--travel N]\n");
        return 2;
    }
    std::error_code error;
    const fs::path scratch = fs::temp_directory_path() / ("vorn-soak-" + std::to_string(getpid()));
    fs::create_directories(scratch, error);
    // Scripts include files by paths like "./vorn3/lib/say.ds", so the copy
    // keeps the folder's name and the run happens beside it.
    fs::path modPath = fs::path(options.mod).lexically_normal();
    if (!modPath.has_filename())
        modPath = modPath.parent_path();
    const std::string relativeMod = modPath.filename().string();
    fs::copy(options.mod, scratch / relativeMod, fs::copy_options::recursive, error);
    if (!error)
        fs::current_path(scratch, error);
    if (error || relativeMod.empty()) {
        std::fprintf(stderr, "cannot copy %s: %s\n", options.mod.c_str(), error.message().c_str());
        return 2;
    }

    const std::vector<std::string> maps = MapNames(relativeMod);
    std::mt19937 random(options.seed);
    auto session = std::make_unique<Session>(relativeMod);
    int64_t games = 1;
    int64_t framesLeftOnKeys = 0;
    int64_t errorBoxes = 0;
    std::map<std::string, int64_t> endings;
    MemoryFigures first;
    int exitCode = 0;

    for (int64_t frame = 1; frame <= options.frames; ++frame) {
        if (!session->started) {
            std::printf("start-up failed\n");
            exitCode = 1;
            break;
        }
        if (--framesLeftOnKeys <= 0) {
            ChooseKeys(session->media, random);
            framesLeftOnKeys = 5 + random() % 60;
            // Questions the scripts may ask get a random answer.
            session->media.QueueMessageAnswer(random() % 2 ? vorn::MessageResult::Yes
                                                           : vorn::MessageResult::No);
        }
        if (options.travel > 0 && frame % options.travel == 0 && !maps.empty()) {
            vorn::EnterMap(session->game, maps[random() % maps.size()]);
        }
        vorn::RunFrame(session->game);
        session->media.AdvanceTimeMs(8);
        // The headless layer logs every sound call for tests; the real layer
        // keeps no such log, so it must not count as the game's memory.
        session->media.ClearSoundLog();

        const auto& messages = session->media.Messages();
        for (; session->messagesSeen < messages.size(); ++session->messagesSeen) {
            const auto& shown = messages[session->messagesSeen];
            if (shown.buttons == vorn::MessageButtons::Ok) {
                if (++errorBoxes <= 10) {
                    std::printf("frame %lld: box \"%s\": %s\n", static_cast<long long>(frame),
                                shown.title.c_str(), shown.text.c_str());
                }
            }
        }
        if (session->game.ended) {
            const std::string reason = messages.empty()
                                           ? "ended without a box"
                                           : messages.back().title + ": " + messages.back().text;
            ++endings[reason];
            session = std::make_unique<Session>(relativeMod);
            ++games;
        }
        if (frame % options.every == 0 || frame == options.frames) {
            Report(frame, *session, games);
            if (first.residentKb < 0)
                first = ReadMemoryFigures();
        }
    }

    const MemoryFigures last = ReadMemoryFigures();
    std::printf(
        "done: %lld games, %lld error boxes; rss at first report %lld kB, at end %lld kB, "
        "peak %lld kB\n",
        static_cast<long long>(games), static_cast<long long>(errorBoxes),
        static_cast<long long>(first.residentKb), static_cast<long long>(last.residentKb),
        static_cast<long long>(last.peakKb));
    for (const auto& [reason, count] : endings) {
        std::printf("  game ended %lld times: %s\n", static_cast<long long>(count), reason.c_str());
    }
    if (errorBoxes > 0)
        exitCode = 1;
    if (first.residentKb > 0 && last.residentKb > first.residentKb + first.residentKb / 10) {
        std::printf("resident memory grew by more than a tenth\n");
        exitCode = 1;
    }
    session.reset();
    fs::current_path(fs::temp_directory_path(), error);
    fs::remove_all(scratch, error);
    return exitCode;
}
