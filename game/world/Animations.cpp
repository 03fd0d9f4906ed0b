// animations.ini definitions and the live animation instances of the current
// map: creation by name, and the per-frame step of every instance.
#include "game/world/Animations.h"

#include <algorithm>
#include <string>

#include "common/NameSuggestion.h"
#include "common/TextPrimitives.h"
#include "game/world/Assets.h"

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

namespace {

// What keeps a definition from playing as written.
void ReportDefinition(Game& game, const std::string& path, int line, const std::string& text,
                      const Animation& definition) {
    const int fields = static_cast<int>(std::count(text.begin(), text.end(), ',')) + 1;
    if (fields != 6) {
        game.diagnostics.Error(path, line,
                               std::to_string(fields) +
                                   " fields where an animation has 6: name, picture, frame "
                                   "count, frame width, frames per second, draw stage");
    }
    if (definition.Name.empty()) {
        game.diagnostics.Warning(path, line, "a definition without a name");
    }
    const std::string name = "`" + definition.Name + "`: ";
    if (definition.FrameCount <= 0 || definition.FrameWidth <= 0) {
        game.diagnostics.Error(path, line,
                               name + "the frame count and frame width must be above 0");
    } else if (definition.Sprite) {
        const int64_t needed = int64_t{definition.FrameCount} * definition.FrameWidth;
        const int width = game.media.SpriteWidth(definition.Sprite);
        if (width < needed) {
            game.diagnostics.Error(
                path, line,
                name + "frames outside the strip: " + std::to_string(definition.FrameCount) +
                    " frames of " + std::to_string(definition.FrameWidth) + " pixels need " +
                    std::to_string(needed) + ", the picture is " + std::to_string(width) + " wide");
        }
    }
    if (!(definition.FramesPerSecond > 0.0f)) {
        game.diagnostics.Error(path, line,
                               name +
                                   "frames per second must be above 0, or the animation "
                                   "never moves");
    }
    if (definition.DrawStage < 1 || definition.DrawStage > 4) {
        game.diagnostics.Error(path, line,
                               name + "draw stage " + std::to_string(definition.DrawStage) +
                                   " is never drawn; the stages are 1 to 4");
    }
    for (const Animation& earlier : game.assets.animationDefinitions) {
        if (AnimationNameKey(earlier.Name) == AnimationNameKey(definition.Name)) {
            game.diagnostics.Warning(path, line,
                                     name +
                                         "defined a second time; the first definition is "
                                         "used (names ignore case)");
            break;
        }
    }
}

}  // namespace

void LoadAnimationDefinitions(Game& game) {
    game.assets.animationDefinitions.clear();
    const std::string path = game.ModFolder + "/animations.ini";
    TextReader reader;
    if (!reader.Open(path))
        return;
    const std::string pictures = game.ModFolder + "/animations/";
    std::string line;
    int number = 0;
    while (reader.ReadTextLine(line)) {
        ++number;
        // Only a truly empty line is skipped: the animation creator starts the
        // file with one. A line of blanks is a definition with an empty name.
        if (line.empty())
            continue;
        Animation definition;
        definition.Name = std::string(TrimSpaces(TextField(line, 1, ',')));
        definition.Sprite = LoadNamedPicture(
            game, pictures, std::string(TrimSpaces(TextField(line, 2, ','))), path, number);
        definition.FrameCount = TextToInt(TextField(line, 3, ','));
        definition.FrameWidth = TextToInt(TextField(line, 4, ','));
        definition.FramesPerSecond = TextToFloat(TextField(line, 5, ','));
        definition.DrawStage = TextToInt(TextField(line, 6, ','));
        ReportDefinition(game, path, number, line, definition);
        game.assets.animationDefinitions.push_back(std::move(definition));
    }
}

bool CreateAnimationInstance(Game& game, std::string_view name, int32_t x, int32_t y,
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
        return true;
    }
    return false;
}

void ReportUnknownAnimation(Game& game, const std::string& namedIn, int line,
                            std::string_view name) {
    std::vector<std::string> names;
    for (const Animation& definition : game.assets.animationDefinitions)
        names.push_back(definition.Name);
    game.diagnostics.Error(
        namedIn, line,
        "no animation `" + std::string(name) + "` in animations.ini" + DidYouMean(name, names));
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
