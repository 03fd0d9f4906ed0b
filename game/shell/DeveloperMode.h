// The keys of the program around the game, told of every frame: F12 takes a
// screenshot always; in developer mode (--dev, or DebugMode=1 in
// settings.ini) F3 shows the overlay, F4 the script variables, F5 reloads
// what changed on disk and F6 reloads and enters the map again. Everything
// is drawn over the finished frame and is never part of the game: scripts,
// saved games and recordings see nothing of it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/shell/DeveloperPanel.h"
#include "game/shell/FrameTimes.h"
#include "game/shell/GameShell.h"
#include "game/shell/LiveReload.h"
#include "game/shell/VariablesScreen.h"

namespace vorn {

struct DeveloperOptions {
    // The developer mode's keys; without it only F12 works.
    bool enabled = false;
    // Off while a session is recorded or replayed: a replay could not
    // repeat a reload.
    bool liveReload = true;
};

class DeveloperMode : public FrameWatcher, public RunObserver {
public:
    DeveloperMode(Game& game, DeveloperOptions options);
    ~DeveloperMode() override;
    DeveloperMode(const DeveloperMode&) = delete;
    DeveloperMode& operator=(const DeveloperMode&) = delete;

    void FrameStarting(Game& game, FrameKind kind) override;
    void FrameDrawn(Game& game, FrameKind kind) override;

    // Script time and the last failure, through the engine's host interface.
    void RunStarted(int32_t slot) override;
    void RunFinished(int32_t slot, ScriptResult result) override;

    bool OverlayShown() const { return overlayShown_; }
    bool VariablesShown() const { return variablesShown_; }
    const std::string& LastScriptError() const { return lastScriptError_; }
    // The last reload's or screenshot's lines.
    const std::vector<PanelLine>& Notes() const { return notes_; }

private:
    void HandleKey(Game& game, char code);
    void Reload(Game& game, bool enterAgain);
    void Screenshot(Game& game);
    enum class NoteKind { Done, Error, Info };
    // A line for the overlay (or, while it is hidden, a panel of its own for a
    // few seconds); errors also go to standard error.
    void Note(const std::string& text, NoteKind kind);
    void DrawOver(Game& game);

    Game& game_;
    DeveloperOptions options_;
    FrameTimes times_;
    int runDepth_ = 0;
    FrameTimes::Clock::time_point runStart_{};
    std::string lastScriptError_;
    bool overlayShown_ = false;
    bool variablesShown_ = false;
    VariablesScreen variables_;
    std::unique_ptr<LiveReload> reload_;
    std::vector<PanelLine> notes_;
    FrameTimes::Clock::time_point notesShownUntil_{};
    bool panelFontTried_ = false;
};

}  // namespace vorn
