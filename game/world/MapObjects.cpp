// Per-map animation, object and warp lists: one entry per line, names
// trimmed, numbers read leniently.
//
// A blank line makes no entry. Taken as an entry it would be an invisible
// object at tile (0, 0), or a warp there to the map "" whose load ends the
// game the moment the player reaches that corner.
#include "game/world/MapObjects.h"

#include "common/TextPrimitives.h"
#include "game/world/Animations.h"
#include "game/world/WorldMath.h"

namespace vorn {

namespace {

std::string TextAt(const std::string& line, int n) {
    return std::string(TrimSpaces(TextField(line, n, ',')));
}

int32_t NumberAt(const std::string& line, int n) {
    return TextToInt(TextField(line, n, ','));
}

// The sprite of an object picture, loaded the first time it is named.
int ObjectPicture(Game& game, const std::string& path) {
    const auto [found, added] = game.objectPictures.try_emplace(path, 0);
    if (added)
        found->second = game.media.LoadSpriteFile(path);
    return found->second;
}

}  // namespace

void ReadMapAnimations(Game& game, const std::string& base) {
    ForEachFilledLine(base + ".ani", [&game](const std::string& line) {
        CreateAnimationInstance(game, TextAt(line, 1), NumberAt(line, 2), NumberAt(line, 3),
                                NumberAt(line, 4));
    });
}

void ReadMapObjects(Game& game, const std::string& base) {
    const std::string pictures = game.ModFolder + "/objects/";
    ForEachFilledLine(base + ".obl", [&](const std::string& line) {
        ObjectType object;
        object.Name = TextAt(line, 1);
        object.Sprite = ObjectPicture(game, pictures + TextAt(line, 2));
        object.X = WrappingMultiply(NumberAt(line, 3), game.settings.TileWidth);
        object.Y = WrappingMultiply(NumberAt(line, 4), game.settings.TileHeight);
        object.Damage = NumberAt(line, 5);
        object.Health = NumberAt(line, 6);
        object.Speed = NumberAt(line, 7);
        object.HealAmount = NumberAt(line, 8);
        game.objects.push_back(std::move(object));
    });
}

void ReadMapWarps(Game& game, const std::string& base) {
    ForEachFilledLine(base + ".wpl", [&game](const std::string& line) {
        Warp warp;
        warp.X = NumberAt(line, 1);
        warp.Y = NumberAt(line, 2);
        warp.TargetMap = TextAt(line, 3);
        warp.TargetX = NumberAt(line, 4);
        warp.TargetY = NumberAt(line, 5);
        game.warps.push_back(std::move(warp));
    });
}

}  // namespace vorn
