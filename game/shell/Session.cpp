// Sessions: the frame watchers a run needs, and the program's three ways of
// running (play, record, replay) around them.
#include "game/shell/Session.h"

#include <iostream>
#include <memory>
#include <utility>

#include "game/shell/DeveloperMode.h"
#include "game/shell/ModFiles.h"
#include "game/shell/SessionSummary.h"

namespace vorn {

namespace {

constexpr const char* kDefaultModFolder = "vorn3";

// The folder as the game will name it: "./" + the argument.
std::string FolderArgument(const std::string& modFolder) {
    return modFolder.empty() ? kDefaultModFolder : modFolder;
}

// Everything a session watches its frames for, in one watcher: the
// generator's player first, then the end of a replay that went wrong, the
// count of frames played, and the developer tools over the frame.
class SessionWatcher : public FrameWatcher {
public:
    SessionWatcher(const SessionSetup& setup) : setup_(setup) {}

    void FrameStarting(Game& game, FrameKind kind) override {
        if (setup_.replayer != nullptr && setup_.replayer->Stopped()) {
            game.ended = true;
            game.script.RequestStop();
            return;
        }
        if (tools_ == nullptr) {
            // The settings are read by now: DebugMode=1 turns the developer
            // mode on as --dev does.
            DeveloperOptions options;
            options.enabled = setup_.developerMode || game.settings.DebugMode != 0;
            options.liveReload = setup_.tape == nullptr;
            tools_ = std::make_unique<DeveloperMode>(game, options);
        }
        if (kind == FrameKind::Play)
            ++framesPlayed_;
        if (setup_.player != nullptr)
            setup_.player->FrameStarting(game, kind);
        tools_->FrameStarting(game, kind);
    }

    void FrameDrawn(Game& game, FrameKind kind) override {
        if (setup_.player != nullptr)
            setup_.player->FrameDrawn(game, kind);
        if (tools_ != nullptr)
            tools_->FrameDrawn(game, kind);
    }

    uint64_t FramesPlayed() const { return framesPlayed_; }

private:
    const SessionSetup& setup_;
    std::unique_ptr<DeveloperMode> tools_;
    uint64_t framesPlayed_ = 0;
};

}  // namespace

const char* EngineVersion() {
    return VORN_ENGINE_VERSION;
}

SessionResult RunSession(MediaLayer& media, const SessionSetup& setup) {
    media.SetInputTape(setup.tape);
    SessionResult result;
    {
        Game game(media);
        SessionWatcher watcher(setup);
        const std::string folder = FolderArgument(setup.modFolder);
        const char* argv[] = {"game", folder.c_str()};
        result.started = PlayGame(game, 2, argv, &watcher);
        result.framesPlayed = watcher.FramesPlayed();
        result.summary = SessionSummary(game, result.framesPlayed);
    }
    media.SetInputTape(nullptr);
    return result;
}

int RunPlayOrRecord(MediaLayer& media, const CommandLine& line) {
    SessionSetup setup;
    setup.modFolder = line.modFolder;
    setup.developerMode = line.developerMode;
    SessionRecorder recorder;
    const bool recording = !line.recordFile.empty();
    if (recording) {
        RecordingHeader header;
        header.engine = EngineVersion();
        header.modFolder = FolderArgument(line.modFolder);
        header.modHash = HashModFolder("./" + header.modFolder, line.recordFile);
        if (header.modHash.empty()) {
            std::cerr << "./" << header.modFolder
                      << ": error: the mod folder cannot be read; nothing was recorded\n";
            return 2;
        }
        if (!recorder.Open(line.recordFile, header)) {
            std::cerr << line.recordFile << ": error: the recording cannot be written there\n";
            return 2;
        }
        setup.tape = &recorder;
    }
    const SessionResult result = RunSession(media, setup);
    if (recording) {
        recorder.Finish(result.summary);
        std::cout << result.summary << std::endl;
    }
    return 0;
}

bool PrepareReplay(const CommandLine& line, Recording& recording) {
    std::string error;
    if (!ReadRecording(line.replayFile, recording, error)) {
        std::cerr << error << '\n';
        return false;
    }
    const RecordingHeader& header = recording.header;
    if (header.engine != EngineVersion()) {
        std::cerr << line.replayFile << ":2: error: recorded by engine " << header.engine
                  << ", and this is engine " << EngineVersion()
                  << ": a session replays exactly only on the engine that recorded it\n";
        return false;
    }
    const std::string folder = line.modFolder.empty() ? header.modFolder : line.modFolder;
    const std::string hash = HashModFolder("./" + folder, line.replayFile);
    if (hash != header.modHash) {
        std::cerr << line.replayFile << ":4: error: the files of ./" << folder
                  << " are not the ones recorded (hash " << (hash.empty() ? "none" : hash)
                  << ", recorded " << header.modHash
                  << "): a session replays exactly only on the mod it was recorded with\n";
        return false;
    }
    return true;
}

int RunReplay(MediaLayer& media, const CommandLine& line, Recording recording) {
    const std::string recordedSummary = recording.summary;
    SessionSetup setup;
    setup.modFolder = line.modFolder.empty() ? recording.header.modFolder : line.modFolder;
    setup.developerMode = line.developerMode;
    SessionReplayer replayer(std::move(recording), line.replayFile);
    replayer.SetPaced(!line.headless);
    setup.tape = &replayer;
    setup.replayer = &replayer;
    const SessionResult result = RunSession(media, setup);
    std::cout << result.summary << std::endl;
    if (replayer.ViewerClosed()) {
        std::cerr << "The replay was stopped (its window was closed).\n";
        return 0;
    }
    if (!replayer.CheckAllUsed()) {
        std::cerr << replayer.Problem() << '\n';
        return 1;
    }
    if (!recordedSummary.empty() && result.summary != recordedSummary) {
        std::cerr << line.replayFile << ": error: the replay ends differently from the recording\n"
                  << "  recorded: " << recordedSummary << "\n  replayed: " << result.summary
                  << '\n';
        return 1;
    }
    return 0;
}

}  // namespace vorn
