// Errors and warnings for mod authors, in the one form editors and IDEs jump
// to: "PATH:LINE: error: TEXT", or "PATH: error: TEXT" where no line applies.
// Every tool and the game report through this type: modcheck and tiledmap
// collect the lines and print them at the end, the game writes each one to
// standard error as it comes. A line reported a second time is dropped, so
// a problem met on every map entry or every tick is told once per run.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vorn {

enum class Severity { Error, Warning };

// "PATH:LINE: error: TEXT"; `line` 0 leaves the line out. A leading "./"
// of the path is not shown: the game forms its paths as "./" + the folder
// the user named.
std::string FormatDiagnostic(Severity severity, std::string_view path, int line,
                             std::string_view text);
// A path as messages show it: without a leading "./".
std::string ShownPath(std::string_view path);

class Diagnostics {
public:
    // Also writes every new line to `echo` (null: only collects).
    void EchoTo(std::ostream* echo) { echo_ = echo; }

    // `line` 0: no line applies.
    void Error(std::string_view path, int line, std::string_view text) {
        Report(Severity::Error, path, line, text);
    }
    void Warning(std::string_view path, int line, std::string_view text) {
        Report(Severity::Warning, path, line, text);
    }
    void Report(Severity severity, std::string_view path, int line, std::string_view text);
    // The cause of an error that ends the program: written even when it was
    // reported before, so that it is the last line before the error box.
    void Cause(std::string_view path, int line, std::string_view text);

    bool Failed() const { return errors_ > 0; }
    int ErrorCount() const { return errors_; }
    int WarningCount() const { return warnings_; }
    // Whether an error was told at this place already.
    bool ErrorToldAt(std::string_view path, int line) const;
    // Every distinct line in the order it was first reported.
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
    std::unordered_set<std::string> seen_;
    int errors_ = 0;
    int warnings_ = 0;
    std::ostream* echo_ = nullptr;
    size_t lastEchoed_ = static_cast<size_t>(-1);  // index in messages_
};

}  // namespace vorn
