#include "model/Variety.h"

#include "model/RandomSource.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

size_t GridLength(const TWordEntry& entry) {
    return std::min(entry.Word.size(), TWordEntry::MaxWordLength);
}

// Puts the words of order[from, to) into an order drawn from random; a word's
// neighbouring entries move as one block, in their order.
void ShuffleRun(const std::vector<TWordEntry>& list, std::vector<int32_t>& order, size_t from,
                size_t to, RandomSource& random) {
    std::vector<std::pair<int32_t, int32_t>> blocks; // first entry, number of entries
    for (size_t i = from; i < to; ++i) {
        if (!blocks.empty() && list[i].Word == list[i - 1].Word) {
            ++blocks.back().second;
        } else {
            blocks.emplace_back(static_cast<int32_t>(i), 1);
        }
    }
    // Fisher-Yates, with the program's own uniform draw.
    for (size_t i = blocks.size(); i > 1; --i) {
        const auto j = static_cast<size_t>(random.Random(static_cast<int32_t>(i)));
        std::swap(blocks[i - 1], blocks[j]);
    }
    size_t out = from;
    for (const auto& [first, count] : blocks) {
        for (int32_t k = 0; k < count; ++k) {
            order[out++] = first + k;
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

std::vector<int32_t> ShuffledOrder(const std::vector<TWordEntry>& list, int32_t shortWordStart,
                                   int32_t wordCount, uint64_t seed) {
    std::vector<int32_t> order(list.size());
    std::iota(order.begin(), order.end(), 0);
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
        ShuffleRun(list, order, from, to, random);
        from = to;
    }
    return order;
}

void ShuffleWithinLengths(std::vector<TWordEntry>& list, int32_t shortWordStart, int32_t wordCount,
                          uint64_t seed) {
    const std::vector<int32_t> order = ShuffledOrder(list, shortWordStart, wordCount, seed);
    std::vector<TWordEntry> shuffled;
    shuffled.reserve(list.size());
    for (const int32_t entry : order) {
        shuffled.push_back(std::move(list[static_cast<size_t>(entry)]));
    }
    list = std::move(shuffled);
}

} // namespace Variety
