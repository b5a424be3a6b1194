#pragma once

#include "model/Vocabulary.h"

#include <cstdint>
#include <vector>

class CommonWords;

// Variety across puzzles made from one table. The search takes the first
// fitting word in list order, so the same long words come back in every
// puzzle; shuffling the words of each length before a run lets it meet others.
// Both are reproducible from the puzzle's seed.
namespace Variety {

// The seed of a puzzle's try (0 for the first): the puzzle's own seed for the
// first, splitmix64(splitmix64(seed) + tryIndex) for the others, so that the
// tries of neighbouring seeds never share a seed.
uint64_t TrySeed(uint64_t seed, int32_t tryIndex);

// A new order of the vocabulary's entries: each run of consecutive entries of
// one word length (the vocabulary is longest first; the main words and the
// short words are runs apart) gets its words in an order drawn from the seed,
// by a generator of its own. Neighbouring entries of one word stay together,
// in their order; where each length's run lies does not change. order[i] is
// the entry that goes to place i.
//
// With a list of common words the draw is weighted: each place of a run is
// drawn among the words not yet placed, a word among the 1,000 most common
// with weight 12, the next 2,000 with 8, then up to 10,000 with 4, up to
// 20,000 with 2, any other with 1 (CommonWeight). Common words so come early
// more often than rare ones, and every word still comes first in some orders.
std::vector<int32_t> ShuffledOrder(const Vocabulary& words, uint64_t seed,
                                   const CommonWords* common = nullptr);

// The vocabulary in that order, sharing the texts of the words.
Vocabulary Shuffled(const Vocabulary& words, uint64_t seed, const CommonWords* common = nullptr);

// The weight of a word in the weighted draw, from its place among the common words.
int32_t CommonWeight(size_t rank);

// The SplitMix64 mixing function (Steele, Lea and Flood).
uint64_t SplitMix64(uint64_t x);

} // namespace Variety
