// A trie over the command names, so that finding every command name in a
// text costs one walk over the text instead of one search per command.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vorn::script_detail {

struct CommandEntry;

// Where a command's name occurs last in a text.
struct CommandOccurrence {
    int32_t command;  // index in the command table
    size_t position;  // start of the last occurrence
};

class CommandIndex {
public:
    // Rebuilds the trie from the table (names are stored upper-cased).
    void Build(const std::vector<CommandEntry>& commands);

    // Appends every occurrence of a command name in upper-cased `text` that
    // starts in [from, to), ordered by start.
    void FindAll(std::string_view text, size_t from, size_t to,
                 std::vector<CommandOccurrence>& out) const;
    // From all occurrences ordered by start: each command met, in table
    // order, with its last occurrence.
    void LastPerCommand(const std::vector<CommandOccurrence>& all,
                        std::vector<CommandOccurrence>& out) const;
    size_t LongestName() const { return longestName_; }
    // Index of the first command named exactly `upperName`, or -1.
    int32_t FirstNamed(std::string_view upperName) const;
    // The first command with the same name as command `index`.
    int32_t FirstOfName(int32_t index) const { return firstOfName_[static_cast<size_t>(index)]; }
    // True when every name is made of A-Z, 0-9 and "_" with at least one
    // letter or "_": such a name never occurs inside a number's text and
    // never touches the quotes or operators around an inserted value.
    bool AllNamesSimple() const { return allSimple_; }

private:
    // Nodes live in flat arrays: a node's children are edges_[firstEdge ..
    // firstEdge + edgeCount) and the commands whose whole name ends at it are
    // commands_[firstCommand .. firstCommand + commandCount), in table order.
    // The root's children are looked up through rootChildren_ instead.
    struct Node {
        int32_t firstEdge = 0;
        int32_t edgeCount = 0;
        int32_t firstCommand = 0;
        int32_t commandCount = 0;
    };
    struct Edge {
        unsigned char byte;
        int32_t child;
    };

    int32_t Child(int32_t node, unsigned char byte) const;

    std::vector<Node> nodes_;
    std::vector<Edge> edges_;
    std::vector<int32_t> commands_;
    std::vector<int32_t> firstOfName_;
    // Scratch of LastPerCommand: last start per command (-1: none) and
    // the commands met, kept between calls to avoid allocating.
    mutable std::vector<int64_t> lastStart_;
    mutable std::vector<int32_t> met_;
    int32_t rootChildren_[256] = {};
    bool allSimple_ = true;
    size_t longestName_ = 0;
};

}  // namespace vorn::script_detail
