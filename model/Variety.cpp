#include "model/Variety.h"

#include "model/RandomSource.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

size_t GridLength(const TWordEntry& entry) {
    return std::min(entry.Word.size(), TWordEntry::MaxWordLength);
}

// Shuffles list[from, to): its words in a new order, each word's entries
// together in their order.
void ShuffleRun(std::vector<TWordEntry>& list, size_t from, size_t to, RandomSource& random) {
    std::vector<std::vector<TWordEntry>> words;
    std::unordered_map<std::string, size_t> wordAt;
    for (size_t i = from; i < to; ++i) {
        const auto [at, added] = wordAt.emplace(list[i].Word, words.size());
        if (added) {
            words.emplace_back();
        }
        words[at->second].push_back(std::move(list[i]));
    }
    // Fisher-Yates, with the program's own uniform draw.
    for (size_t i = words.size(); i > 1; --i) {
        const auto j = static_cast<size_t>(random.Random(static_cast<int32_t>(i)));
        std::swap(words[i - 1], words[j]);
    }
    size_t out = from;
    for (auto& word : words) {
        for (auto& entry : word) {
            list[out++] = std::move(entry);
        }
    }
}

} // namespace

namespace Variety {

uint64_t SplitMix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

uint64_t TrySeed(uint64_t seed, int32_t tryIndex) {
    if (tryIndex == 0) {
        return seed;
    }
    return SplitMix64(SplitMix64(seed) + static_cast<uint64_t>(tryIndex));
}

void ShuffleWithinLengths(std::vector<TWordEntry>& list, int32_t shortWordStart, int32_t wordCount,
                          uint64_t seed) {
    // Not the generator of the run itself: its draws stay as without shuffling.
    RandomSource random(SplitMix64(seed ^ 0x5641525900000000ULL));
    const size_t last = std::min(static_cast<size_t>(std::max(wordCount, 0)) + 1, list.size());
    const auto boundary = static_cast<size_t>(std::max(shortWordStart, 1));
    size_t from = 1;
    while (from < last) {
        size_t to = from + 1;
        while (to < last && to != boundary && GridLength(list[to]) == GridLength(list[from])) {
            ++to;
        }
        ShuffleRun(list, from, to, random);
        from = to;
    }
}

} // namespace Variety
