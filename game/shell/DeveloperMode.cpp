// The keys of the program around the game, the script time and last error
// the engine reports, and the panels drawn over the frame.
#include "game/shell/DeveloperMode.h"

#include <algorithm>
#include <iostream>

#include "game/media/ShellKeys.h"
#include "game/play/Events.h"
#include "game/shell/DeveloperOverlay.h"
#include "game/shell/Screenshot.h"

namespace vorn {

namespace {

// How long a reload's or screenshot's note stays when the overlay is hidden.
constexpr auto kNoteTime = std::chrono::seconds(4);
constexpr int kMargin = 4;
// The overlay's width on screens wide enough; narrower screens give it all.
constexpr int kOverlayWidth = 420;

}  // namespace

DeveloperMode::DeveloperMode(Game& game, DeveloperOptions options)
    : game_(game), options_(options) {
    if (options_.enabled) {
        game_.script.SetRunObserver(this);
        if (options_.liveReload)
            reload_ = std::make_unique<LiveReload>(game);
    }
}

DeveloperMode::~DeveloperMode() {
    if (options_.enabled)
        game_.script.SetRunObserver(nullptr);
    game_.media.MuteGameKeys(false);
}

void DeveloperMode::RunStarted(int32_t) {
    if (runDepth_++ == 0)
        runStart_ = FrameTimes::Clock::now();
}

void DeveloperMode::RunFinished(int32_t slot, ScriptResult result) {
    if (--runDepth_ == 0)
        times_.AddScriptTime(FrameTimes::Milliseconds(FrameTimes::Clock::now() - runStart_));
    if (result == ScriptResult::Ok)
        return;
    std::string path = EventScriptPath(game_, slot);
    if (path.empty())
        path = "script slot " + std::to_string(slot);
    // The line counts the lines that hold code, as the error boxes do.
    lastScriptError_ = path + ":" + std::to_string(game_.script.CurrentLine() + 1) +
                       ": error: " + game_.script.LastError();
}

void DeveloperMode::FrameStarting(Game&, FrameKind) {
    times_.FrameStarted(FrameTimes::Clock::now());
}

void DeveloperMode::FrameDrawn(Game& game, FrameKind) {
    times_.FrameDone(FrameTimes::Clock::now());
    for (const char code : game.media.ReadShellKeyPresses())
        HandleKey(game, code);
    DrawOver(game);
}

void DeveloperMode::HandleKey(Game& game, char code) {
    if (code == shellkeys::F12) {
        Screenshot(game);
        return;
    }
    if (!options_.enabled)
        return;
    switch (code) {
        case shellkeys::F3:
            overlayShown_ = !overlayShown_;
            return;
        case shellkeys::F4:
            variablesShown_ = !variablesShown_;
            // The filter takes the letters; the game must not walk or save.
            game.media.MuteGameKeys(variablesShown_);
            return;
        case shellkeys::F5:
        case shellkeys::F6:
            Reload(game, code == shellkeys::F6);
            return;
        default:
            if (variablesShown_)
                variables_.HandleKey(code);
            return;
    }
}

void DeveloperMode::Reload(Game& game, bool enterAgain) {
    notes_.clear();
    if (reload_ == nullptr) {
        Note("Live reload is off while a session is recorded or replayed.", NoteKind::Info);
        return;
    }
    const ReloadReport report = reload_->Reload(game, enterAgain);
    std::string done = enterAgain ? "F6 reloaded: " : "F5 reloaded: ";
    for (size_t i = 0; i < report.done.size(); ++i)
        done += (i == 0 ? "" : ", ") + report.done[i];
    if (report.done.empty())
        done += "nothing changed on disk";
    Note(done, NoteKind::Done);
    for (const std::string& error : report.errors)
        Note(error, NoteKind::Error);
}

void DeveloperMode::Screenshot(Game& game) {
    std::string error;
    const std::string path = SaveScreenshot(game, error);
    if (path.empty()) {
        notes_.clear();
        Note(error, NoteKind::Error);
        return;
    }
    std::cerr << "Screenshot: " << path << '\n';
    if (options_.enabled) {
        notes_.clear();
        Note("Screenshot: " + path, NoteKind::Done);
    }
}

void DeveloperMode::Note(const std::string& text, NoteKind kind) {
    Colour colour = panel_colours::kGood;
    if (kind == NoteKind::Error) {
        std::cerr << text << '\n';
        colour = panel_colours::kError;
    } else if (kind == NoteKind::Info) {
        colour = panel_colours::kDim;
    }
    notes_.push_back({text, colour, true});
    notesShownUntil_ = FrameTimes::Clock::now() + kNoteTime;
}

void DeveloperMode::DrawOver(Game& game) {
    MediaLayer& media = game.media;
    const bool notesShown = FrameTimes::Clock::now() < notesShownUntil_;
    if (!overlayShown_ && !variablesShown_ && !notesShown)
        return;
    if (!panelFontTried_) {
        panelFontTried_ = true;
        LoadPanelFont(media);
    }
    const int screenWidth = game.settings.ScreenPixelWidth;
    const int screenHeight = game.settings.ScreenPixelHeight;
    const int width = std::min(kOverlayWidth, screenWidth - 2 * kMargin);
    int top = kMargin;
    if (overlayShown_) {
        top += DrawPanel(media, kMargin, top, width, screenHeight - top,
                         OverlayLines(game, times_.Stats(), lastScriptError_, notes_)) +
               kMargin;
    } else if (notesShown) {
        top += DrawPanel(media, kMargin, top, width, screenHeight - top, notes_) + kMargin;
    }
    if (variablesShown_) {
        const int rows = (screenHeight - top - kMargin) / PanelLineHeight(media) - 1;
        DrawPanel(media, kMargin, top, screenWidth - 2 * kMargin, screenHeight - top - kMargin,
                  variables_.Lines(game.script, rows), PanelHeight::Full);
    }
}

}  // namespace vorn
