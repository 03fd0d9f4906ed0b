// Fuzzes the expression evaluator with arbitrary bytes. Besides memory and
// undefined-behaviour errors it checks two properties every input must keep:
// a text without operators comes back unchanged, and a string expression's
// result holds no quote.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/script/ScriptEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string result = vorn::Evaluate(text);
    if (text.find('\'') != std::string::npos) {
        if (result.find('\'') != std::string::npos) {
            std::abort();
        }
    } else if (text.find_first_of("+-*/%^") == std::string::npos && result != text &&
               result.rfind("ERR-", 0) != 0) {
        std::abort();
    }
    return 0;
}
