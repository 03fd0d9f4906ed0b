// One run of the game as the command line asks for it: plain, in developer
// mode, recorded to a file or replayed from one. The program entry builds
// the media layer (a window, or none for a headless replay) and hands it
// here; the replay generator of the tests runs its sessions the same way.
#pragma once

#include <cstdint>
#include <string>

#include "game/media/MediaLayer.h"
#include "game/shell/CommandLine.h"
#include "game/shell/GameShell.h"
#include "game/shell/Recording.h"

namespace vorn {

struct SessionSetup {
    // As the command line gave it; "" for the default folder.
    std::string modFolder;
    bool developerMode = false;
    // Every answer from outside the program passes through it (null: none).
    InputTape* tape = nullptr;
    // Told of every frame before anything else (the generator's player).
    FrameWatcher* player = nullptr;
    // Stops the game when the replay went wrong or its window was closed.
    const SessionReplayer* replayer = nullptr;
};

struct SessionResult {
    bool started = false;  // false: start-up failed
    uint64_t framesPlayed = 0;
    std::string summary;  // SessionSummary at the end
};

SessionResult RunSession(MediaLayer& media, const SessionSetup& setup);

// The program's ways of running; each returns the exit status.
// Plays, and records to line.recordFile when one is named (the summary goes
// to standard output at the end).
int RunPlayOrRecord(MediaLayer& media, const CommandLine& line);
// Reads line.replayFile and checks it against the engine and the mod; false
// with the reason on standard error.
bool PrepareReplay(const CommandLine& line, Recording& recording);
// Plays `recording` back and prints its summary; 0 when the game did
// exactly what was recorded, 1 when it drifted.
int RunReplay(MediaLayer& media, const CommandLine& line, Recording recording);

// The engine's version, which recordings carry.
const char* EngineVersion();

}  // namespace vorn
