#include "common/NameSuggestion.h"

#include <algorithm>

#include "common/TextPrimitives.h"

namespace vorn {

namespace {

// Edits between a and b (insertions, deletions, replacements and exchanges
// of two neighbouring characters), or more than `limit` once that is sure.
size_t EditDistance(std::string_view a, std::string_view b, size_t limit) {
    const size_t longer = std::max(a.size(), b.size());
    const size_t shorter = std::min(a.size(), b.size());
    if (longer - shorter > limit)
        return limit + 1;
    std::vector<size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        size_t rowBest = current[0];
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                current[j] = std::min(current[j], before[j - 2] + 1);
            rowBest = std::min(rowBest, current[j]);
        }
        if (rowBest > limit)
            return limit + 1;
        before.swap(previous);
        previous.swap(current);
    }
    return previous[b.size()];
}

// How many slips a word of this length may hold and still be recognised.
size_t SlipsAllowed(size_t length) {
    if (length <= 3)
        return length <= 1 ? 0 : 1;
    return length <= 8 ? 2 : 3;
}

}  // namespace

std::string ClosestName(std::string_view word, const std::vector<std::string>& candidates) {
    const std::string upperWord = UpperCaseText(word);
    for (const std::string& candidate : candidates) {
        if (candidate != word && UpperCaseText(candidate) == upperWord)
            return candidate;
    }
    const size_t limit = SlipsAllowed(word.size());
    std::string best;
    size_t bestDistance = limit + 1;
    for (const std::string& candidate : candidates) {
        if (candidate == word)
            continue;
        const size_t distance = EditDistance(upperWord, UpperCaseText(candidate), limit);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

std::string DidYouMean(std::string_view word, const std::vector<std::string>& candidates) {
    const std::string closest = ClosestName(word, candidates);
    return closest.empty() ? std::string() : "; did you mean `" + closest + "`?";
}

}  // namespace vorn
