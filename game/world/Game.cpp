#include "game/world/Game.h"

namespace vorn {

void FatalError(Game& game, const std::string& text) {
    game.media.ShowMessage("Error", text, MessageButtons::Ok);
    game.ended = true;
    game.script.RequestStop();
}

}  // namespace vorn
