#include "common/Diagnostics.h"

#include <ostream>

namespace vorn {

std::string ShownPath(std::string_view path) {
    if (path.substr(0, 2) == "./" && path.size() > 2)
        path.remove_prefix(2);
    return std::string(path);
}

std::string FormatDiagnostic(Severity severity, std::string_view path, int line,
                             std::string_view text) {
    std::string message = ShownPath(path);
    if (line > 0)
        message += ":" + std::to_string(line);
    message += severity == Severity::Error ? ": error: " : ": warning: ";
    message += text;
    return message;
}

void Diagnostics::Report(Severity severity, std::string_view path, int line,
                         std::string_view text) {
    std::string message = FormatDiagnostic(severity, path, line, text);
    if (!seen_.insert(message).second)
        return;
    ++(severity == Severity::Error ? errors_ : warnings_);
    if (echo_ != nullptr)
        *echo_ << message << '\n' << std::flush;
    lastEchoed_ = messages_.size();
    messages_.push_back(std::move(message));
}

void Diagnostics::Cause(std::string_view path, int line, std::string_view text) {
    const std::string message = FormatDiagnostic(Severity::Error, path, line, text);
    if (seen_.count(message) != 0) {
        const bool justWritten =
            lastEchoed_ < messages_.size() && messages_[lastEchoed_] == message;
        if (echo_ != nullptr && !justWritten)
            *echo_ << message << '\n' << std::flush;
        return;
    }
    Report(Severity::Error, path, line, text);
}

}  // namespace vorn

namespace vorn {

bool Diagnostics::ErrorToldAt(std::string_view path, int line) const {
    const std::string place = FormatDiagnostic(Severity::Error, path, line, "");
    for (const std::string& message : messages_) {
        if (message.rfind(place, 0) == 0)
            return true;
    }
    return false;
}

}  // namespace vorn
