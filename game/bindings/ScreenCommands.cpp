// Host commands on what the screen shows: message boxes, the status text,
// screen texts, text measuring and map-to-screen positions.
#include <array>

#include "game/bindings/CommandTables.h"
#include "game/play/Render.h"
#include "game/play/Texts.h"

namespace vorn::bindings {

namespace {

bool MessageBoxCommand(Game& game, ScriptEngine& script);
bool SetStatusText(Game& game, ScriptEngine& script);
bool GetStatusText(Game& game, ScriptEngine& script);
bool AddScreenTextCommand(Game& game, ScriptEngine& script);
bool TextLength(Game& game, ScriptEngine& script);
bool GetShiftedX(Game& game, ScriptEngine& script);
bool GetShiftedY(Game& game, ScriptEngine& script);

// {name, procedure, argument types, place in the registration order}
constexpr std::array kTable = {
    CommandEntry{"MessageBox", MessageBoxCommand, "aa", 1},
    CommandEntry{"SetStatusText", SetStatusText, "s", 34},
    CommandEntry{"GetStatusText", GetStatusText, "", 35},
    CommandEntry{"AddScreenText", AddScreenTextCommand, "annnnn", 37},
    CommandEntry{"TextLength", TextLength, "s", 40},
    CommandEntry{"GetShiftedX", GetShiftedX, "n", 41},
    CommandEntry{"GetShiftedY", GetShiftedY, "n", 42},
};

// Title and text are shown as they come, numbers included.
bool MessageBoxCommand(Game& game, ScriptEngine& script) {
    const std::string title = AnyArgument(script, 0);
    const std::string text = AnyArgument(script, 1);
    game.media.ShowMessage(title, text, MessageButtons::Ok);
    return NoResult(script);
}

bool SetStatusText(Game& game, ScriptEngine& script) {
    std::string text;
    if (!StringArgument(script, 0, text))
        return kFailed;
    game.StatusText = text;
    return NoResult(script);
}

bool GetStatusText(Game& game, ScriptEngine& script) {
    return StringResult(script, game.StatusText);
}

// (text, x, y, duration, start time, screen-fixed)
bool AddScreenTextCommand(Game& game, ScriptEngine& script) {
    const std::string text = AnyArgument(script, 0);
    int32_t numbers[5] = {};
    for (size_t i = 0; i < 5; ++i) {
        if (!NumberArgument(script, i + 1, numbers[i]))
            return kFailed;
    }
    AddScreenText(game, text, numbers[0], numbers[1], numbers[2], numbers[3],
                  static_cast<uint8_t>(numbers[4]));
    return NoResult(script);
}

// Measured as a fresh text drawing measures it: in the default font.
bool TextLength(Game& game, ScriptEngine& script) {
    std::string text;
    if (!StringArgument(script, 0, text))
        return kFailed;
    game.media.BeginText();
    const int width = game.media.MeasureText(text);
    game.media.EndText();
    return NumberResult(script, width);
}

bool GetShiftedX(Game& game, ScriptEngine& script) {
    int32_t x = 0;
    if (!NumberArgument(script, 0, x))
        return kFailed;
    return NumberResult(script, ScreenX(game, x));
}

bool GetShiftedY(Game& game, ScriptEngine& script) {
    int32_t y = 0;
    if (!NumberArgument(script, 0, y))
        return kFailed;
    return NumberResult(script, ScreenY(game, y));
}

}  // namespace

std::span<const CommandEntry> ScreenCommands() {
    return kTable;
}

}  // namespace vorn::bindings
