// Shared pieces of the mod-file fuzz targets: a scratch folder per process,
// cutting one input into several files, and a game started headless on a copy
// of the bundled mod so that fuzzed files meet real tiles, monsters and
// scripts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/media/HeadlessMedia.h"
#include "game/world/Game.h"

namespace vorn::fuzz {

// A folder under /tmp made once per process (and per `tag`), removed at exit.
const std::string& ScratchFolder(const std::string& tag);

// Writes `bytes` to `path`, creating the folders on the way.
void WriteBytes(const std::string& path, std::string_view bytes);

// Cuts `input` at each "|||" into exactly `count` pieces (missing ones empty,
// the last one keeps any further separators).
std::vector<std::string_view> SplitInput(std::string_view input, size_t count);

// A copy of the bundled mod (VORN_SOURCE_DIR "/vorn3") in a scratch folder,
// made once per process, without its saved games.
const std::string& BundledModCopy();

// A game on its own headless media layer, started as the program starts it,
// on the folder `modFolder`. Scripts run under a line budget so that a fuzzed
// file cannot make a bundled script loop for ever.
struct HeadlessGame {
    explicit HeadlessGame(const std::string& modFolder);
    HeadlessMedia media;
    Game game{media};
    bool started = false;
};

// Holds Space on the title screen (a new game on StartMap) or, with
// `loadSave`, L (saved game 0); the keys are released again afterwards.
void LeaveTitleScreen(HeadlessGame& run, bool loadSave);

// Runs `frames` frames; byte i of `keyBytes` (repeated) chooses which keys
// are down in frame i.
void RunFrames(HeadlessGame& run, int frames, std::string_view keyBytes);

}  // namespace vorn::fuzz
