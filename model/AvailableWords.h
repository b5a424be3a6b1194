#pragma once

#include "model/WordIndex.h"

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

// Which words of the index may still be placed in the running generation, and
// the question the search asks: the first available entry in a range whose
// letters agree with a pattern. The set starts full and learns lazily: an entry
// it finds is checked against the run's availability flags and dropped when it
// has been taken, so the set never claims less than the flags hold.
class AvailableWords {
public:
    static constexpr int32_t None = INT32_MAX;

    // available: per entry, 1 while it may be placed; it only ever goes to 0.
    AvailableWords(const WordIndex& index, const std::vector<uint8_t>& available);

    // The first available entry of the length in from .. last; None if none.
    int32_t FirstOfLength(int32_t length, int32_t from, int32_t last);
    // The first available entry in from .. last with the pattern's length and
    // letters; None if none.
    int32_t FirstMatch(const WordPattern& pattern, int32_t from, int32_t last);

private:
    // The index's PositionAtOrAfter, or with `after` its PositionAfter.
    int32_t Position(int32_t length, int32_t entry, bool after);

    struct Cached {
        int32_t Entry = -1;
        int32_t Position = 0;
    };
    const WordIndex& index_;
    const std::vector<uint8_t>& available_;
    std::array<std::vector<uint64_t>, WordIndex::MaxLength + 1> maybe_;
    std::array<std::array<Cached, 2>, WordIndex::MaxLength + 1> positions_{};
};
