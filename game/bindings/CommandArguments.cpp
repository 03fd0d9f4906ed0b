// Argument type checks and result setting shared by all host commands.
#include "game/bindings/CommandTables.h"

#include "common/TextPrimitives.h"

namespace vorn::bindings {

bool NumberArgument(const ScriptEngine& script, size_t index, int32_t& value) {
    if (index >= script.ArgumentCount())
        return false;
    const ScriptArgument& argument = script.Argument(index);
    if (argument.type != kNumber)
        return false;
    value = TextToInt(argument.value);
    return true;
}

bool StringArgument(const ScriptEngine& script, size_t index, std::string& value) {
    if (index >= script.ArgumentCount())
        return false;
    const ScriptArgument& argument = script.Argument(index);
    if (argument.type != kString)
        return false;
    value = argument.value;
    return true;
}

std::string AnyArgument(const ScriptEngine& script, size_t index) {
    if (index >= script.ArgumentCount())
        return {};
    return script.Argument(index).value;
}

int32_t NoResult(ScriptEngine& script) {
    script.SetReturnValue("", kNoValue);
    return script_result::kOk;
}

int32_t NumberResult(ScriptEngine& script, int32_t value) {
    script.SetReturnValue(IntToText(value), kNumber);
    return script_result::kOk;
}

int32_t StringResult(ScriptEngine& script, const std::string& value) {
    script.SetReturnValue(value, kString);
    return script_result::kOk;
}

}  // namespace vorn::bindings
