#include "common/IniFile.h"

#include "common/FileIO.h"
#include "common/TextPrimitives.h"

namespace vorn {

bool IniFile::Load(const std::string& path) {
    std::string text;
    const bool read = ReadWholeFile(path, text);
    LoadText(read ? text : std::string(), path);
    loaded_ = read;
    return read;
}

void IniFile::LoadText(std::string_view text, std::string path) {
    path_ = std::move(path);
    lines_.clear();
    lookups_.clear();
    loaded_ = true;
    TextReader reader{std::string(text)};
    std::string line;
    while (reader.ReadTextLine(line))
        lines_.push_back(line);
}

int IniFile::HeaderIndex(std::string_view group) const {
    std::string header(1, '[');
    header.append(group);
    header.push_back(']');
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].find(header) != std::string::npos)
            return static_cast<int>(i);
    }
    return -1;
}

IniAnswer IniFile::Peek(std::string_view group, std::string_view key) const {
    const int header = HeaderIndex(group);
    if (header < 0)
        return {};
    for (size_t i = static_cast<size_t>(header) + 1; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (!line.empty() && line[0] == '[')
            return {};
        if (line.compare(0, key.size(), key) == 0 && line.size() >= key.size()) {
            // The character after the key is skipped unexamined (normally "=").
            const size_t valueStart = key.size() + 1;
            const int number = static_cast<int>(i) + 1;
            if (valueStart >= line.size())
                return {std::string(), number};
            return {std::string(TrimSpaces(std::string_view(line).substr(valueStart))), number};
        }
    }
    return {};
}

bool ForEachIniGroupLine(std::string_view text, std::string_view group,
                         const std::function<bool(std::string_view line, int number)>& visit) {
    IniFile file;
    file.LoadText(text);
    const int header = file.HeaderIndex(group);
    if (header < 0)
        return false;
    const std::vector<std::string>& lines = file.Lines();
    for (size_t i = static_cast<size_t>(header) + 1; i < lines.size(); ++i) {
        if ((!lines[i].empty() && lines[i][0] == '[') || !visit(lines[i], static_cast<int>(i) + 1))
            break;
    }
    return true;
}

IniAnswer IniFile::Find(std::string_view group, std::string_view key, IniValueKind kind) {
    IniAnswer answer = Peek(group, key);
    lookups_.push_back(IniLookup{std::string(group), std::string(key), kind, answer.line});
    return answer;
}

int32_t IniFile::Number(std::string_view group, std::string_view key) {
    return TextToInt(Find(group, key, IniValueKind::Number).value);
}

std::string ReadIniValueFromText(std::string_view text, std::string_view group,
                                 std::string_view key) {
    IniFile file;
    file.LoadText(text);
    return file.Peek(group, key).value;
}

std::string ReadIniValue(const std::string& file, std::string_view group, std::string_view key) {
    IniFile ini;
    if (!ini.Load(file))
        return {};
    return ini.Peek(group, key).value;
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
