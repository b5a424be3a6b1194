#include "model/Variety.h"

#include "model/CommonWords.h"
#include "model/RandomSource.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

// A word's neighbouring entries, which move as one block.
struct Block {
    int32_t First = 0;
    int32_t Count = 0;
};

std::vector<Block> BlocksOf(const Vocabulary& words, size_t from, size_t to) {
    std::vector<Block> blocks;
    for (size_t i = from; i < to; ++i) {
        if (!blocks.empty() && words.Entry(static_cast<int32_t>(i)).Word ==
                                   words.Entry(static_cast<int32_t>(i - 1)).Word) {
            ++blocks.back().Count;
        } else {
            blocks.push_back({static_cast<int32_t>(i), 1});
        }
    }
    return blocks;
}

// Fisher-Yates, with the program's own uniform draw.
void Shuffle(std::vector<Block>& blocks, RandomSource& random) {
    for (size_t i = blocks.size(); i > 1; --i) {
        const auto j = static_cast<size_t>(random.Random(static_cast<int32_t>(i)));
        std::swap(blocks[i - 1], blocks[j]);
    }
}

// Draws the blocks one after another, each with a chance in proportion to its
// weight among those left. A Fenwick tree over the weights finds the drawn
// block and takes it out in logarithmic time.
void WeightedShuffle(const Vocabulary& words, std::vector<Block>& blocks, const CommonWords& common,
                     RandomSource& random) {
    const size_t n = blocks.size();
    std::vector<int64_t> tree(n + 1, 0);
    std::vector<int32_t> weight(n);
    int64_t total = 0;
    const auto add = [&](size_t i, int64_t delta) {
        for (size_t k = i + 1; k <= n; k += k & (~k + 1)) {
            tree[k] += delta;
        }
    };
    for (size_t i = 0; i < n; ++i) {
        weight[i] = Variety::CommonWeight(common.Rank(words.Entry(blocks[i].First).Word));
        add(i, weight[i]);
        total += weight[i];
    }
    size_t top = 1;
    while (top * 2 <= n) {
        top *= 2;
    }
    std::vector<Block> drawn;
    drawn.reserve(n);
    for (size_t left = n; left > 0; --left) {
        // The block whose weights cover the drawn number.
        int64_t target = random.Random(static_cast<int32_t>(total));
        size_t at = 0;
        for (size_t step = top; step > 0; step /= 2) {
            if (at + step <= n && tree[at + step] <= target) {
                at += step;
                target -= tree[at];
            }
        }
        drawn.push_back(blocks[at]);
        add(at, -weight[at]);
        total -= weight[at];
    }
    blocks = std::move(drawn);
}

// Puts the words of order[from, to) into an order drawn from random; a word's
// neighbouring entries move as one block, in their order.
void ShuffleRun(const Vocabulary& words, std::vector<int32_t>& order, size_t from, size_t to,
                RandomSource& random, const CommonWords* common) {
    std::vector<Block> blocks = BlocksOf(words, from, to);
    if (common != nullptr) {
        WeightedShuffle(words, blocks, *common, random);
    } else {
        Shuffle(blocks, random);
    }
    size_t out = from;
    for (const Block& block : blocks) {
        for (int32_t k = 0; k < block.Count; ++k) {
            order[out++] = block.First + k;
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

int32_t CommonWeight(size_t rank) {
    // The most common words weigh 12, not more: with a heavier top tier the
    // first long word of that tier (BEISPIELSWEISE) stands in more than a
    // tenth of the varied puzzles.
    constexpr struct {
        size_t Below;
        int32_t Weight;
    } kTiers[] = {{1000, 12}, {3000, 8}, {10000, 4}, {20000, 2}};
    for (const auto& tier : kTiers) {
        if (rank < tier.Below) {
            return tier.Weight;
        }
    }
    return 1;
}

std::vector<int32_t> ShuffledOrder(const Vocabulary& words, uint64_t seed,
                                   const CommonWords* common) {
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
        ShuffleRun(words, order, from, to, random, common);
        from = to;
    }
    return order;
}

Vocabulary Shuffled(const Vocabulary& words, uint64_t seed, const CommonWords* common) {
    return words.Reordered(ShuffledOrder(words, seed, common));
}

} // namespace Variety
