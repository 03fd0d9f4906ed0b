// The ten functions every script can call, registered like host commands:
// each checks its own argument types and answers through the return value.
#include <cmath>

#include "common/TextPrimitives.h"
#include "game/script/ScriptEngine.h"
#include "game/script/ScriptText.h"

namespace vorn {
namespace {

using script_detail::FormatReal;

bool IsNumberArgument(const ScriptEngine& engine, size_t index) {
    return engine.Argument(index).type == ValueType::Number;
}

bool Fail(ScriptEngine& engine, std::string_view text) {
    engine.SetLastError(text);
    return false;
}

bool Abs(ScriptEngine& engine) {
    if (!IsNumberArgument(engine, 0)) {
        return Fail(engine, "Abs() expects a numeric value.");
    }
    // Rounding to float is symmetric, so the absolute value of the rounded
    // number is the rounded absolute value.
    const float value = script_detail::NumberValue(engine.Argument(0).value);
    engine.SetReturnValue(FormatReal(std::fabs(value)), ValueType::Number);
    return true;
}

// Trailing zeros of the fraction go, and the point with them when nothing is
// left after it, so 2.500000 becomes 2.5 and 3.000000 becomes 3: the same
// number, written short. Texts without a point are integers and stay.
std::string ShortNumber(std::string_view text) {
    std::string result(TrimSpaces(text));
    if (result.find('.') == std::string::npos) {
        return result;
    }
    while (!result.empty() && result.back() == '0') {
        result.pop_back();
    }
    if (!result.empty() && result.back() == '.') {
        result.pop_back();
    }
    if (result.empty() || result == "-") {
        result.assign(1, '0');
    }
    return result;
}

bool FTrim(ScriptEngine& engine) {
    if (!IsNumberArgument(engine, 0)) {
        return Fail(engine, "FTrim() expects a numeric value.");
    }
    const std::string& text = engine.Argument(0).value;
    if (!ScriptEngine::IsNumberText(text)) {
        engine.SetReturnValue(text, ValueType::Number);
    } else if (TextToFloat(text) == 0.0f) {
        engine.SetReturnValue("0", ValueType::Number);
    } else {
        engine.SetReturnValue(ShortNumber(text), ValueType::Number);
    }
    return true;
}

bool Eval(ScriptEngine& engine) {
    if (!IsNumberArgument(engine, 0)) {
        return Fail(engine, "Eval() expects a numeric expression.");
    }
    engine.SetReturnValue(engine.Argument(0).value, ValueType::Number);
    return true;
}

bool Mod(ScriptEngine& engine) {
    if (!IsNumberArgument(engine, 0) || !IsNumberArgument(engine, 1)) {
        return Fail(engine, "Mod() expects a two numeric values.");
    }
    const int32_t a = TextToInt(engine.Argument(0).value);
    const int32_t b = TextToInt(engine.Argument(1).value);
    if (b == 0) {
        return Fail(engine, "Mod() cannot divide by zero.");
    }
    // INT32_MIN % -1 overflows in C++; its true remainder is 0.
    engine.SetReturnValue(IntToText(b == -1 ? 0 : a % b), ValueType::Number);
    return true;
}

bool Trim(ScriptEngine& engine) {
    engine.SetReturnValue(TrimSpaces(engine.Argument(0).value), ValueType::String);
    return true;
}

bool LTrim(ScriptEngine& engine) {
    const std::string& text = engine.Argument(0).value;
    const size_t first = text.find_first_not_of(' ');
    engine.SetReturnValue(first == std::string::npos ? "" : text.substr(first), ValueType::String);
    return true;
}

bool RTrim(ScriptEngine& engine) {
    const std::string& text = engine.Argument(0).value;
    const size_t last = text.find_last_not_of(' ');
    engine.SetReturnValue(last == std::string::npos ? "" : text.substr(0, last + 1),
                          ValueType::String);
    return true;
}

bool Len(ScriptEngine& engine) {
    const size_t length = engine.Argument(0).value.size();
    engine.SetReturnValue(FormatReal(static_cast<float>(length)), ValueType::Number);
    return true;
}

bool SetScriptName(ScriptEngine& engine) {
    if (engine.Argument(0).type != ValueType::String) {
        return Fail(engine, "SetScriptName() expects a string.");
    }
    engine.SetReturnValue("", ValueType::None);
    return true;
}

bool Mid(ScriptEngine& engine) {
    if (engine.Argument(0).type != ValueType::String || !IsNumberArgument(engine, 1) ||
        !IsNumberArgument(engine, 2)) {
        return Fail(engine, "Mid() expects a string followed by two numeric values.");
    }
    const std::string& text = engine.Argument(0).value;
    const int64_t start = TextToInt(engine.Argument(1).value);
    const int64_t length = TextToInt(engine.Argument(2).value);
    const int64_t from = start < 1 ? 0 : start - 1;
    std::string result;
    if (length > 0 && from < static_cast<int64_t>(text.size())) {
        result = text.substr(static_cast<size_t>(from), static_cast<size_t>(length));
    }
    engine.SetReturnValue(result, ValueType::String);
    return true;
}

}  // namespace

namespace {

// The ten built-ins in their registration order.
struct Builtin {
    const char* name;
    bool (*procedure)(ScriptEngine&);
    int32_t parameterCount;
};
constexpr Builtin kBuiltins[] = {
    {"Abs", Abs, 1},     {"FTrim", FTrim, 1}, {"Eval", Eval, 1},
    {"Mod", Mod, 2},     {"Trim", Trim, 1},   {"LTrim", LTrim, 1},
    {"RTrim", RTrim, 1}, {"Len", Len, 1},     {"SetScriptName", SetScriptName, 1},
    {"Mid", Mid, 3},
};

}  // namespace

void ScriptEngine::RegisterBuiltins() {
    for (const Builtin& builtin : kBuiltins)
        RegisterCommand(builtin.procedure, builtin.name, builtin.parameterCount);
}

std::vector<std::string> ScriptEngine::BuiltinNames() {
    std::vector<std::string> names;
    for (const Builtin& builtin : kBuiltins)
        names.emplace_back(builtin.name);
    return names;
}

}  // namespace vorn
