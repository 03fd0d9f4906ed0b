// Every message the guides quote is one the programs print: the quoted
// texts of docs/*.md (in double quotes, the "Error text" column of a table,
// and the PATH:LINE: error: lines of example output) are looked for in the
// string literals of the programs' sources. Values in a message (names in
// backticks or single quotes, numbers, paths, [groups], CamelCase keys,
// NAME=VALUE entries, lists of names, placeholders in capitals) may differ; the words around them
// must be there, each run of them in one literal or in a few literals that follow each other in the
// message.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "common/FileIO.h"

namespace {

namespace fs = std::filesystem;

// Every string literal of the sources, adjacent literals joined (long
// messages are split over lines), escapes undone.
std::vector<std::string> SourceLiterals() {
    std::vector<std::string> literals;
    for (const char* folder : {"common", "game", "tools"}) {
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(VORN_SOURCE_DIR) / folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".cpp" && extension != ".h")
                continue;
            std::string text;
            vorn::ReadWholeFile(entry.path().string(), text);
            std::string literal;
            bool open = false;     // inside a literal
            bool joining = false;  // after a literal, only blanks so far
            for (size_t i = 0; i < text.size(); ++i) {
                const char c = text[i];
                if (open) {
                    if (c == '\\' && i + 1 < text.size()) {
                        const char next = text[++i];
                        literal += next == 'n' ? '\n' : next == 't' ? '\t' : next;
                    } else if (c == '"') {
                        open = false;
                        joining = true;
                    } else {
                        literal += c;
                    }
                } else if (c == '"' && (i == 0 || text[i - 1] != '\'')) {
                    if (!joining)
                        literal.clear();
                    open = true;
                } else if (joining && (c == ' ' || c == '\n' || c == '\r')) {
                    continue;
                } else if (joining) {
                    literals.push_back(literal);
                    joining = false;
                }
            }
        }
    }
    return literals;
}

struct Quoted {
    std::string guide;
    std::string text;
};

// The quoted messages of a guide.
std::vector<Quoted> QuotedMessages(const fs::path& guide) {
    std::string text;
    vorn::ReadWholeFile(guide.string(), text);
    std::istringstream lines(text);
    std::vector<Quoted> found;
    std::vector<std::string> units;  // paragraphs and table rows outside code
    std::string paragraph;
    std::string line;
    bool code = false;
    bool errorTable = false;
    auto flush = [&] {
        if (!paragraph.empty())
            units.push_back(paragraph);
        paragraph.clear();
    };
    static const std::regex diagnostic(R"(^\S*: (error|warning): (.*)$)");
    while (std::getline(lines, line)) {
        if (line.rfind("```", 0) == 0 || line.rfind("    ", 0) == 0) {
            code = line.rfind("```", 0) == 0 ? !code : code;
            flush();
            std::smatch match;
            if (std::regex_match(line, match, diagnostic))
                found.push_back({guide.filename().string(), match[2]});
            continue;
        }
        if (code) {
            std::smatch match;
            if (std::regex_match(line, match, diagnostic))
                found.push_back({guide.filename().string(), match[2]});
            continue;
        }
        if (line.rfind("|", 0) == 0) {
            flush();
            if (line.find("| Error text |") == 0)
                errorTable = true;
            else if (errorTable && line.find("---") == std::string::npos)
                found.push_back(
                    {guide.filename().string(), line.substr(2, line.find(" |", 2) - 2)});
            units.push_back(line);
            continue;
        }
        errorTable = false;
        if (line.empty()) {
            flush();
            continue;
        }
        paragraph += (paragraph.empty() ? "" : " ") + line;
    }
    flush();
    static const std::regex quoted("\"([^\"]+)\"");
    for (const std::string& unit : units) {
        for (std::sregex_iterator it(unit.begin(), unit.end(), quoted), end; it != end; ++it)
            found.push_back({guide.filename().string(), (*it)[1]});
    }
    return found;
}

// The fixed words of a message: the runs between its values.
std::vector<std::string> FixedRuns(std::string message) {
    static const std::regex prefix(R"(^\S+: (error|warning): )");
    message = std::regex_replace(message, prefix, "");
    // Also names in single quotes, NAME=VALUE entries and lists of names
    // ("Up, Left Ctrl, Return").
    static const std::regex values(
        R"(`[^`]*`|(^|[^A-Za-z])'[^']*'|\w+=\S*( [A-Z]\w*)*|\b[A-Z]\w*( [A-Z0-9]\w*)*(, ?[A-Z]\w*( [A-Z0-9]\w*)*)+|\[[A-Za-z0-9]+\]|\S*/\S*|\b[A-Z][A-Z0-9_]*\b|\b\w*(_\w*|[a-z][A-Z])\w*\b|-?\d[\d.,]*)");
    const std::string marked = std::regex_replace(message, values, "\x01");
    std::vector<std::string> runs;
    std::string run;
    std::istringstream pieces(marked);
    while (std::getline(pieces, run, '\x01')) {
        const size_t first = run.find_first_not_of(" (),;:.'\"?!");
        const size_t last = run.find_last_not_of(" (),;:'\"");
        if (first == std::string::npos)
            continue;
        run = run.substr(first, last - first + 1);
        if (run.find(' ') != std::string::npos || run.size() >= 8)
            runs.push_back(run);
    }
    return runs;
}

// Whether `run` is in one literal, or in literals that follow each other in
// the message: a piece that the run goes on after must end its literal, and
// the piece after it must begin one (a value stood between them). `corpus`
// holds every literal between bytes no guide holds.
bool InSources(const std::string& run, const std::string& corpus) {
    constexpr size_t kShortestPiece = 3;
    size_t at = 0;
    while (at < run.size()) {
        const size_t remaining = run.size() - at;
        size_t length = remaining;
        for (; length >= std::min(kShortestPiece, remaining); --length) {
            std::string pattern = (at > 0 ? "\x01" : "") + run.substr(at, length);
            if (length < remaining)
                pattern += '\x01';
            if (corpus.find(pattern) != std::string::npos)
                break;
            if (length == 1)
                return false;
        }
        if (length < std::min(kShortestPiece, remaining))
            return false;
        at += length;
    }
    return true;
}

TEST(GuideMessages, EveryQuotedMessageIsOneTheProgramsPrint) {
    std::string corpus = "\x01";
    for (const std::string& literal : SourceLiterals())
        corpus += literal + '\x01';
    size_t checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(VORN_SOURCE_DIR) / "docs")) {
        if (entry.path().extension() != ".md")
            continue;
        for (const Quoted& quoted : QuotedMessages(entry.path())) {
            for (const std::string& run : FixedRuns(quoted.text)) {
                ++checked;
                EXPECT_TRUE(InSources(run, corpus))
                    << quoted.guide << " quotes \"" << quoted.text << "\", whose words \"" << run
                    << "\" no program prints";
            }
        }
    }
    // The guides quote some hundred messages; none found means the reading
    // of the guides broke, not that all is well.
    EXPECT_GT(checked, 100u);
}

}  // namespace
