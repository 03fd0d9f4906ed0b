#include "game/world/Game.h"

namespace vorn {

// The map a game starts on is empty and has no first tick to announce.
Game::Game(MediaLayer& mediaLayer) : media(mediaLayer), map(std::make_shared<CurrentMap>()) {
    map->ticked = true;
}

void FatalError(Game& game, const FatalCause& cause, const std::string& text) {
    game.diagnostics.Cause(cause.path, cause.line, cause.text);
    FatalError(game, text);
}

void FatalError(Game& game, const std::string& text) {
    game.media.ShowMessage("Error", text, MessageButtons::Ok);
    game.ended = true;
    game.script.RequestStop();
}

}  // namespace vorn
