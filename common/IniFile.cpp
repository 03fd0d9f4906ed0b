#include "common/IniFile.h"

#include "common/FileIO.h"
#include "common/TextPrimitives.h"

namespace vorn {

bool ForEachIniGroupLine(std::string_view text, std::string_view group,
                         const std::function<bool(std::string_view line, int number)>& visit) {
    TextReader reader{std::string(text)};
    std::string header(1, '[');
    header.append(group);
    header.push_back(']');
    std::string line;
    int number = 0;
    bool inGroup = false;
    while (reader.ReadTextLine(line)) {
        ++number;
        if (line.find(header) != std::string::npos) {
            inGroup = true;
            break;
        }
    }
    if (!inGroup) {
        return false;
    }
    while (reader.ReadTextLine(line)) {
        ++number;
        if ((!line.empty() && line[0] == '[') || !visit(line, number)) {
            break;
        }
    }
    return true;
}

IniEntry FindIniEntry(std::string_view text, std::string_view group, std::string_view key) {
    IniEntry entry;
    ForEachIniGroupLine(text, group, [&](std::string_view line, int number) {
        if (line.substr(0, key.size()) != key) {
            return true;
        }
        // The character after the key is skipped unexamined (normally "=").
        const size_t valueStart = key.size() + 1;
        if (valueStart < line.size()) {
            entry.value = std::string(TrimSpaces(line.substr(valueStart)));
        }
        entry.line = number;
        return false;
    });
    return entry;
}

std::string ReadIniValueFromText(std::string_view text, std::string_view group,
                                 std::string_view key) {
    return FindIniEntry(text, group, key).value;
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

void IniWriter::Entry(std::string_view key, int32_t value) {
    Entry(key, IntToText(value));
}

}  // namespace vorn
