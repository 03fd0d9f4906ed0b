// animations.ini definitions and the live animation instances of the current
// map: creation by name, and the per-frame step of every instance.
#include "game/world/Animations.h"

#include <string>

#include "common/TextPrimitives.h"

namespace vorn {

namespace {

// Animation names compare ignoring case: a-z and the Latin-1 letters 224-254
// are shifted down by 32. Byte 255 stays as it is (its capital is not in the
// code page), unlike the script engine's upper-casing.
std::string AnimationNameKey(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 224 && byte <= 254)) {
            c = static_cast<char>(byte - 32);
        }
    }
    return key;
}

}  // namespace

void LoadAnimationDefinitions(Game& game) {
    game.assets.animationDefinitions.clear();
    TextReader reader;
    if (!reader.Open(game.ModFolder + "/animations.ini"))
        return;
    const std::string pictures = game.ModFolder + "/animations/";
    std::string line;
    while (reader.ReadTextLine(line)) {
        // Only a truly empty line is skipped: the animation creator starts the
        // file with one. A line of blanks is a definition with an empty name.
        if (line.empty())
            continue;
        Animation definition;
        definition.Name = std::string(TrimSpaces(TextField(line, 1, ',')));
        definition.Sprite =
            game.media.LoadSpriteFile(pictures + std::string(TrimSpaces(TextField(line, 2, ','))));
        definition.FrameCount = TextToInt(TextField(line, 3, ','));
        definition.FrameWidth = TextToInt(TextField(line, 4, ','));
        definition.FramesPerSecond = TextToFloat(TextField(line, 5, ','));
        definition.DrawStage = TextToInt(TextField(line, 6, ','));
        game.assets.animationDefinitions.push_back(std::move(definition));
    }
}

void CreateAnimationInstance(Game& game, std::string_view name, int32_t x, int32_t y,
                             int32_t playOnce) {
    const std::string wanted = AnimationNameKey(name);
    for (const Animation& definition : game.assets.animationDefinitions) {
        if (AnimationNameKey(definition.Name) != wanted)
            continue;
        Animation instance;
        instance.Name = definition.Name;
        instance.Sprite = definition.Sprite;
        instance.FrameCount = definition.FrameCount;
        instance.FrameWidth = definition.FrameWidth;
        instance.FramesPerSecond = definition.FramesPerSecond;
        instance.DrawStage = definition.DrawStage;
        instance.X = x;
        instance.Y = y;
        instance.PlayOnce = (playOnce & 0xFF) != 0;  // the number's low byte
        instance.CurrentFrame = 0;
        instance.LastFrameTime = game.media.ElapsedMs();
        game.map->animations.push_back(std::move(instance));
        return;
    }
}

void AdvanceAnimations(Game& game, int32_t now) {
    std::vector<Animation>& live = game.map->animations;
    for (size_t i = 0; i < live.size();) {
        Animation& animation = live[i];
        // "Not above 0" also skips a NaN rate, which no frame time fits.
        if (!(animation.FramesPerSecond > 0.0f)) {
            ++i;
            continue;
        }
        const int64_t frameTime = RoundHalfEven(1000.0 / animation.FramesPerSecond);
        const int64_t elapsed = static_cast<int64_t>(now) - animation.LastFrameTime;
        if (elapsed >= frameTime) {
            animation.LastFrameTime = now;
            ++animation.CurrentFrame;
            if (animation.CurrentFrame >= animation.FrameCount) {
                animation.CurrentFrame = 0;
                if (animation.PlayOnce) {
                    live.erase(live.begin() + static_cast<std::ptrdiff_t>(i));
                    continue;
                }
            }
        }
        ++i;
    }
}

}  // namespace vorn
