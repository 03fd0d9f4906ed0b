// Expressions prepared at load time: the text with the places where a
// variable can be referenced, so that a run substitutes without searching
// the text once per variable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/script/CommandIndex.h"

namespace vorn::script_detail {

struct EngineState;

// A remembered table index, valid while the table's version is unchanged.
struct LookupCache {
    uint64_t version = 0;
    int32_t index = -1;
};

// A run of A-Z, a-z, 0-9 and "_" with a letter or "_" in it, standing
// between a left and a right boundary outside quotes: the only places where
// a variable of a simple name can be referenced.
struct VariableToken {
    uint32_t start = 0;
    uint32_t length = 0;
    std::string name;  // upper-cased
    mutable LookupCache lookup;
};

struct Expression {
    std::string text;
    std::vector<VariableToken> tokens;
    bool hasHash = false;
    // Every occurrence of a command name in the text, ordered by start, for
    // the command table version recorded.
    mutable uint64_t commandsVersion = 0;
    mutable std::vector<CommandOccurrence> occurrences;
};

void PrepareExpression(Expression& expression, std::string_view text);

// Substitutes through the prepared tokens. Gives false, and leaves the work
// to the plain substitution, whenever that could differ: a variable name
// that is not simple, an inserted number that is not plain number text, an
// inserted string holding a quote, or a result over the length limit. On
// true `out` holds what the plain substitution gives, and `mayHaveCalls` is
// false only when no command name can occur in it. When the command names
// are simple too, `occurrences` receives every command name occurrence in
// `out` (ordered by start) and `occurrencesKnown` is set.
bool SubstituteFast(EngineState& state, const Expression& expression, std::string& out,
                    bool& mayHaveCalls, std::vector<CommandOccurrence>& occurrences,
                    bool& occurrencesKnown);

}  // namespace vorn::script_detail
