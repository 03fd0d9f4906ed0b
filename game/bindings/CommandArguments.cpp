// Argument type checks and result setting shared by all host commands.
#include "game/bindings/CommandTables.h"

#include "common/TextPrimitives.h"

namespace vorn::bindings {

bool NumberArgument(const ScriptEngine& script, size_t index, int32_t& value) {
    if (index >= script.ArgumentCount())
        return false;
    const ScriptArgument& argument = script.Argument(index);
    if (argument.type != ValueType::Number)
        return false;
    value = TextToInt(argument.value);
    return true;
}

bool StringArgument(const ScriptEngine& script, size_t index, std::string& value) {
    if (index >= script.ArgumentCount())
        return false;
    const ScriptArgument& argument = script.Argument(index);
    if (argument.type != ValueType::String)
        return false;
    value = argument.value;
    return true;
}

std::string AnyArgument(const ScriptEngine& script, size_t index) {
    if (index >= script.ArgumentCount())
        return {};
    return script.Argument(index).value;
}

bool NoResult(ScriptEngine& script) {
    script.SetReturnValue("", ValueType::None);
    return true;
}

bool NumberResult(ScriptEngine& script, int32_t value) {
    script.SetReturnValue(IntToText(value), ValueType::Number);
    return true;
}

bool StringResult(ScriptEngine& script, const std::string& value) {
    script.SetReturnValue(value, ValueType::String);
    return true;
}

}  // namespace vorn::bindings
