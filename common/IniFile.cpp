#include "common/IniFile.h"

#include "common/FileIO.h"
#include "common/TextPrimitives.h"

namespace vorn {

std::string ReadIniValueFromText(std::string_view text, std::string_view group,
                                 std::string_view key) {
    TextReader reader{std::string(text)};
    std::string header(1, '[');
    header.append(group);
    header.push_back(']');
    std::string line;
    bool inGroup = false;
    while (reader.ReadTextLine(line)) {
        if (line.find(header) != std::string::npos) {
            inGroup = true;
            break;
        }
    }
    if (!inGroup) {
        return {};
    }
    while (reader.ReadTextLine(line)) {
        if (!line.empty() && line[0] == '[') {
            return {};
        }
        if (line.compare(0, key.size(), key) == 0 && line.size() >= key.size()) {
            // The character after the key is skipped unexamined (normally "=").
            const size_t valueStart = key.size() + 1;
            if (valueStart >= line.size()) {
                return {};
            }
            return std::string(TrimSpaces(std::string_view(line).substr(valueStart)));
        }
    }
    return {};
}

std::string ReadIniValue(const std::string& file, std::string_view group, std::string_view key) {
    std::string text;
    if (!ReadWholeFile(file, text)) {
        return {};
    }
    return ReadIniValueFromText(text, group, key);
}

IniWriter::IniWriter(std::string_view group) {
    text_.assign(1, '[');
    text_.append(group);
    text_.append("]\r\n");
}

void IniWriter::Entry(std::string_view key, std::string_view value) {
    text_ += key;
    text_ += '=';
    text_ += TrimSpaces(value);
    text_ += "\r\n";
}

void IniWriter::Entry(std::string_view key, int32_t value) { Entry(key, IntToText(value)); }

}  // namespace vorn
