// The command name trie.
#include "game/script/CommandIndex.h"

#include <algorithm>

#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn::script_detail {

namespace {

bool IsSimpleName(std::string_view name) {
    bool hasLetter = false;
    for (char c : name) {
        if ((c >= 'A' && c <= 'Z') || c == '_') {
            hasLetter = true;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return hasLetter;
}

}  // namespace

int32_t CommandIndex::Child(int32_t node, unsigned char byte) const {
    if (node == 0) {
        return rootChildren_[byte];
    }
    const Node& n = nodes_[static_cast<size_t>(node)];
    const Edge* edge = edges_.data() + n.firstEdge;
    for (const Edge* end = edge + n.edgeCount; edge != end; ++edge) {
        if (edge->byte == byte) {
            return edge->child;
        }
    }
    return 0;
}

void CommandIndex::Build(const std::vector<CommandEntry>& commands) {
    // First a plain tree of nested maps, then the flat arrays from it.
    struct TreeNode {
        std::vector<std::pair<unsigned char, int32_t>> children;
        std::vector<int32_t> commands;
    };
    std::vector<TreeNode> tree(1);
    allSimple_ = true;
    longestName_ = 0;
    lastStart_.assign(commands.size(), -1);
    firstOfName_.assign(commands.size(), -1);
    for (size_t k = 0; k < commands.size(); ++k) {
        const std::string& name = commands[k].name;
        allSimple_ = allSimple_ && IsSimpleName(name);
        longestName_ = std::max(longestName_, name.size());
        if (name.empty()) {
            continue;
        }
        int32_t node = 0;
        for (char c : name) {
            const unsigned char byte = static_cast<unsigned char>(c);
            int32_t next = 0;
            for (const auto& [key, child] : tree[static_cast<size_t>(node)].children) {
                if (key == byte) {
                    next = child;
                }
            }
            if (next == 0) {
                next = static_cast<int32_t>(tree.size());
                tree[static_cast<size_t>(node)].children.emplace_back(byte, next);
                tree.emplace_back();
            }
            node = next;
        }
        auto& ending = tree[static_cast<size_t>(node)].commands;
        firstOfName_[k] = ending.empty() ? static_cast<int32_t>(k) : ending.front();
        ending.push_back(static_cast<int32_t>(k));
    }
    nodes_.assign(tree.size(), Node{});
    edges_.clear();
    commands_.clear();
    std::fill(std::begin(rootChildren_), std::end(rootChildren_), 0);
    for (size_t i = 0; i < tree.size(); ++i) {
        Node& node = nodes_[i];
        node.firstEdge = static_cast<int32_t>(edges_.size());
        node.edgeCount = static_cast<int32_t>(tree[i].children.size());
        for (const auto& [byte, child] : tree[i].children) {
            edges_.push_back(Edge{byte, child});
            if (i == 0) {
                rootChildren_[byte] = child;
            }
        }
        node.firstCommand = static_cast<int32_t>(commands_.size());
        node.commandCount = static_cast<int32_t>(tree[i].commands.size());
        commands_.insert(commands_.end(), tree[i].commands.begin(), tree[i].commands.end());
    }
}

void CommandIndex::FindAll(std::string_view text, size_t from, size_t to,
                           std::vector<CommandOccurrence>& out) const {
    if (to > text.size()) {
        to = text.size();
    }
    for (size_t start = from; start < to; ++start) {
        int32_t node = rootChildren_[static_cast<unsigned char>(UpperChar(text[start]))];
        for (size_t i = start + 1; node != 0; ++i) {
            const Node& n = nodes_[static_cast<size_t>(node)];
            for (int32_t c = 0; c < n.commandCount; ++c) {
                out.push_back(
                    CommandOccurrence{commands_[static_cast<size_t>(n.firstCommand + c)], start});
            }
            if (i == text.size()) {
                break;
            }
            node = Child(node, static_cast<unsigned char>(UpperChar(text[i])));
        }
    }
}

void CommandIndex::LastPerCommand(const std::vector<CommandOccurrence>& all,
                                  std::vector<CommandOccurrence>& out) const {
    out.clear();
    met_.clear();
    for (const CommandOccurrence& occurrence : all) {
        int64_t& last = lastStart_[static_cast<size_t>(occurrence.command)];
        if (last < 0) {
            met_.push_back(occurrence.command);
        }
        last = static_cast<int64_t>(occurrence.position);
    }
    std::sort(met_.begin(), met_.end());
    for (int32_t command : met_) {
        int64_t& last = lastStart_[static_cast<size_t>(command)];
        out.push_back(CommandOccurrence{command, static_cast<size_t>(last)});
        last = -1;
    }
}

int32_t CommandIndex::FirstNamed(std::string_view upperName) const {
    if (upperName.empty() || nodes_.empty()) {
        return -1;
    }
    int32_t node = 0;
    for (char c : upperName) {
        node = Child(node, static_cast<unsigned char>(c));
        if (node == 0) {
            return -1;
        }
    }
    const Node& n = nodes_[static_cast<size_t>(node)];
    return n.commandCount == 0 ? -1 : commands_[static_cast<size_t>(n.firstCommand)];
}

}  // namespace vorn::script_detail
