#include "model/Variety.h"

#include "model/RandomSource.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

// Puts the words of order[from, to) into an order drawn from random; a word's
// neighbouring entries move as one block, in their order.
void ShuffleRun(const Vocabulary& words, std::vector<int32_t>& order, size_t from, size_t to,
                RandomSource& random) {
    std::vector<std::pair<int32_t, int32_t>> blocks; // first entry, number of entries
    for (size_t i = from; i < to; ++i) {
        if (!blocks.empty() && words.Entry(static_cast<int32_t>(i)).Word ==
                                   words.Entry(static_cast<int32_t>(i - 1)).Word) {
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

std::vector<int32_t> ShuffledOrder(const Vocabulary& words, uint64_t seed) {
    std::vector<int32_t> order(static_cast<size_t>(words.WordCount()) + 1);
    std::iota(order.begin(), order.end(), 0);
    // Not the generator of the run itself: its draws stay as without shuffling.
    RandomSource random(SplitMix64(seed ^ 0x5641525900000000ULL));
    const size_t last = order.size();
    const auto boundary = static_cast<size_t>(std::max(words.ShortWordStart(), 1));
    const auto length = [&words](size_t entry) {
        return words.Entry(static_cast<int32_t>(entry)).GridLength();
    };
    size_t from = 1;
    while (from < last) {
        size_t to = from + 1;
        while (to < last && to != boundary && length(to) == length(from)) {
            ++to;
        }
        ShuffleRun(words, order, from, to, random);
        from = to;
    }
    return order;
}

Vocabulary Shuffled(const Vocabulary& words, uint64_t seed) {
    return words.Reordered(ShuffledOrder(words, seed));
}

} // namespace Variety
