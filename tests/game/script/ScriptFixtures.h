// Helpers shared by the script engine tests: an engine sized like the
// game's with the built-ins and a few test commands, temporary script files
// and a run that reports variables, result and error as text.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/script/ScriptEngine.h"
#include "tests/support/TempFolder.h"

namespace vorn::test {

// An engine of 50 slots x 500 lines with the built-ins and these commands:
//   Echo(v)      returns v with the type it arrived with
//   GetTime()    returns 42
//   Fail(v)      records "Fail called." and reports failure
//   Record(v)    appends v to `calls` and returns nothing
//   Silent(v)    succeeds without setting a return value
struct ScriptHarness {
    ScriptHarness();
    ScriptEngine engine;
    std::vector<std::string> calls;

    // Loads `text` into slot 0 (as ParseScript does) and runs it; BadSlot
    // when the text did not load.
    ScriptResult Run(const std::string& text);
    // Variable value by exact stored name ("<none>" when missing).
    std::string Value(const std::string& name) const;
    // Variable type by exact stored name (none when missing).
    std::optional<ValueType> Type(const std::string& name) const;
};

// Runs a script file the way the golden tests describe it: "; const N=V"
// lines register constants before loading; the report lists the Record
// calls ("call" TAB value), the variables (name TAB type TAB value), the
// result and, for results other than 1, the error report.
std::string GoldenReport(const std::string& path);

}  // namespace vorn::test
