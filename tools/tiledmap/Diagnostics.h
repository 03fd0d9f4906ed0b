// Errors and warnings for mod authors, in the one form editors jump to:
// "PATH:LINE: error: TEXT", or "PATH: error: TEXT" where no line applies.
#pragma once

#include <string>
#include <vector>

namespace vorn::tiledmap {

class Diagnostics {
public:
    // `line` 0: no line applies.
    void Error(const std::string& path, int line, const std::string& text) {
        Add(path, line, "error", text);
        failed_ = true;
    }
    void Warning(const std::string& path, int line, const std::string& text) {
        Add(path, line, "warning", text);
    }
    bool Failed() const { return failed_; }
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    void Add(const std::string& path, int line, const char* kind, const std::string& text) {
        std::string message = path;
        if (line > 0)
            message += ":" + std::to_string(line);
        messages_.push_back(message + ": " + kind + ": " + text);
    }

    std::vector<std::string> messages_;
    bool failed_ = false;
};

}  // namespace vorn::tiledmap
