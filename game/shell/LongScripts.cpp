#include "game/shell/LongScripts.h"

#include <chrono>
#include <string>

namespace vorn {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kLongRun{2000};
constexpr milliseconds kPollInterval{100};
// Window events taken at most per poll: a window system that keeps sending
// them must not keep the script from going on.
constexpr int kEventsPerPoll = 64;

void AnswerWindow(Game& game, milliseconds runTime) {
    if (runTime < kLongRun || game.ended) {
        return;
    }
    for (int i = 0; i < kEventsPerPoll; ++i) {
        const WindowEvent event = game.media.PollWindowEvent();
        if (event == WindowEvent::None) {
            return;
        }
        if (event != WindowEvent::CloseRequested) {
            continue;
        }
        const std::string question = "A script has been running for " +
                                     std::to_string(runTime.count() / 1000) +
                                     " seconds. Quit without saving?";
        if (game.media.ShowMessage("Confirm", question, MessageButtons::YesNo) ==
            MessageResult::Yes) {
            game.ended = true;
            game.script.RequestStop();
            return;
        }
    }
}

}  // namespace

void WatchLongScripts(Game& game) {
    game.script.SetLongRunPoll([&game](milliseconds runTime) { AnswerWindow(game, runTime); },
                               kPollInterval);
}

}  // namespace vorn
