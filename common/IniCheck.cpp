#include "common/IniCheck.h"

#include <algorithm>
#include <map>
#include <set>

#include "common/NameSuggestion.h"
#include "common/TextPrimitives.h"

namespace vorn {

namespace {

// The lookups made of one group.
struct GroupLookups {
    std::vector<const IniLookup*> lookups;
    std::vector<std::string> keys;
};

std::string Quoted(std::string_view text) {
    return "`" + std::string(text) + "`";
}

// The text a line's key is written as: everything before its "=".
std::string_view KeyPart(std::string_view line) {
    return line.substr(0, line.find('='));
}

void ReportMissingGroup(const IniFile& file, const std::string& group, Diagnostics& diagnostics) {
    const std::string upper = UpperCaseText("[" + group + "]");
    for (size_t i = 0; i < file.Lines().size(); ++i) {
        const std::string& line = file.Lines()[i];
        const size_t at = UpperCaseText(line).find(upper);
        if (at != std::string::npos) {
            diagnostics.Error(file.Path(), static_cast<int>(i) + 1,
                              "the group is written " + line.substr(at, upper.size()) +
                                  ", but group names are case-sensitive: write [" + group + "]");
            return;
        }
    }
    diagnostics.Error(file.Path(), 0,
                      "no group [" + group + "], so every key of it reads as empty or 0");
}

// A numeric lookup whose text is not just a whole number.
void CheckNumber(const IniFile& file, const IniLookup& lookup, Diagnostics& diagnostics) {
    if (lookup.line == 0)
        return;
    const IniAnswer answer = file.Peek(lookup.group, lookup.key);
    const std::string_view text = answer.value;
    if (text.empty())
        return;
    size_t digits = text.size() > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const size_t signEnd = digits;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == text.size() && digits > signEnd)
        return;
    const std::string reads = IntToText(TextToInt(text));
    if (digits > signEnd) {
        diagnostics.Warning(file.Path(), lookup.line,
                            lookup.key + " is read as the number " + reads + ", the rest " +
                                Quoted(text.substr(digits)) + " is ignored");
    } else {
        diagnostics.Error(
            file.Path(), lookup.line,
            lookup.key + " must be a whole number; " + Quoted(text) + " is read as 0");
    }
}

// One entry line of a group that some lookups may have been answered by.
void CheckEntryLine(const IniFile& file, const std::string& group, int number,
                    const GroupLookups& groupLookups, std::set<std::string>& keysWritten,
                    Diagnostics& diagnostics) {
    const std::string& line = file.Lines()[static_cast<size_t>(number) - 1];
    const std::string_view trimmed = TrimSpaces(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
        return;
    const std::string& path = file.Path();
    if (line[0] == ' ') {
        diagnostics.Warning(
            path, number,
            "the line starts with a blank, so no key ever matches it: " + Quoted(line));
        return;
    }
    const std::string_view key = KeyPart(line);
    const bool hasEquals = key.size() < line.size();
    const std::vector<std::string>& keys = groupLookups.keys;
    const bool writtenBefore = !keysWritten.insert(std::string(key)).second;
    bool answered = false;
    for (const IniLookup* lookup : groupLookups.lookups) {
        if (lookup->line != number)
            continue;
        answered = true;
        if (lookup->key == key)
            continue;
        if (hasEquals && TrimSpaces(key) == lookup->key) {
            diagnostics.Error(path, number,
                              "a blank before `=`: " + lookup->key + " reads as " +
                                  Quoted(file.Peek(group, lookup->key).value) + "; write " +
                                  Quoted(lookup->key + "=" +
                                         std::string(TrimSpaces(line.substr(key.size() + 1)))));
        } else {
            diagnostics.Error(path, number,
                              Quoted(line) + " also answers the lookup of " + lookup->key +
                                  ", since keys are matched as prefixes: write the " + lookup->key +
                                  " line above it");
        }
    }
    if (answered)
        return;
    if (std::find(keys.begin(), keys.end(), key) != keys.end()) {
        // Not the answer: either written twice, or a longer key above it
        // answered (reported on that line).
        if (writtenBefore) {
            diagnostics.Warning(path, number,
                                std::string(key) + " is set again; only the first line of a " +
                                    "key in [" + group + "] is read");
        }
        return;
    }
    if (!hasEquals) {
        diagnostics.Warning(
            path, number,
            "not a `key=value` line (INI files have no other lines): " + Quoted(line));
        return;
    }
    const std::string closest = ClosestName(TrimSpaces(key), keys);
    if (closest.empty()) {
        diagnostics.Warning(
            path, number,
            "unknown key " + Quoted(key) + " in [" + group + "]: the game never reads it");
        return;
    }
    // A slip that leaves the meant key unset loses the author's value.
    const auto lookupOf =
        std::find_if(groupLookups.lookups.begin(), groupLookups.lookups.end(),
                     [&](const IniLookup* lookup) { return lookup->key == closest; });
    const bool meantKeyUnset =
        lookupOf != groupLookups.lookups.end() && file.Peek(group, (*lookupOf)->key).value.empty();
    const bool onlyCase = UpperCaseText(closest) == UpperCaseText(TrimSpaces(key));
    diagnostics.Report(meantKeyUnset ? Severity::Error : Severity::Warning, path, number,
                       "unknown key " + Quoted(key) + " in [" + group + "]; did you mean " +
                           Quoted(closest) + "?" + (onlyCase ? " (keys are case-sensitive)" : ""));
}

void CheckGroup(const IniFile& file, const std::string& group, const GroupLookups& lookups,
                Diagnostics& diagnostics) {
    const int header = file.HeaderIndex(group);
    if (header < 0) {
        ReportMissingGroup(file, group, diagnostics);
        return;
    }
    const std::vector<std::string>& lines = file.Lines();
    std::set<std::string> keysWritten;
    size_t i = static_cast<size_t>(header) + 1;
    for (; i < lines.size() && (lines[i].empty() || lines[i][0] != '['); ++i)
        CheckEntryLine(file, group, static_cast<int>(i) + 1, lookups, keysWritten, diagnostics);
    for (; i < lines.size(); ++i) {
        if (lines[i].find("[" + group + "]") != std::string::npos) {
            diagnostics.Warning(file.Path(), static_cast<int>(i) + 1,
                                "a second [" + group + "] group: only the first one is read");
        }
    }
    for (const IniLookup* lookup : lookups.lookups) {
        if (lookup->kind == IniValueKind::Number)
            CheckNumber(file, *lookup, diagnostics);
    }
}

}  // namespace

void CheckIniFile(const IniFile& file, Diagnostics& diagnostics) {
    if (!file.Loaded())
        return;
    // Groups in the order they were first asked about; each key once.
    std::vector<std::string> order;
    std::map<std::string, GroupLookups> groups;
    for (const IniLookup& lookup : file.Lookups()) {
        auto [entry, added] = groups.try_emplace(lookup.group);
        if (added)
            order.push_back(lookup.group);
        if (std::find(entry->second.keys.begin(), entry->second.keys.end(), lookup.key) !=
            entry->second.keys.end())
            continue;
        entry->second.lookups.push_back(&lookup);
        entry->second.keys.push_back(lookup.key);
    }
    for (const std::string& group : order)
        CheckGroup(file, group, groups[group], diagnostics);
}

}  // namespace vorn
