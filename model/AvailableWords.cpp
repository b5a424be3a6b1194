#include "model/AvailableWords.h"

#include <bit>

AvailableWords::AvailableWords(const WordIndex& index, const std::vector<uint8_t>& available)
    : index_(index), available_(available) {
    for (int32_t length = 1; length <= WordIndex::MaxLength; ++length) {
        std::vector<uint64_t>& bits = maybe_[static_cast<size_t>(length)];
        const size_t count = index.FirstEntries(length).size();
        bits.assign(static_cast<size_t>(index.Blocks(length)), ~uint64_t{0});
        if (count % 64 != 0) {
            bits.back() = (uint64_t{1} << (count % 64)) - 1;
        }
    }
}

int32_t AvailableWords::Position(int32_t length, int32_t entry, bool after) {
    // The search asks for the same few entries over and over.
    Cached& cached = positions_[static_cast<size_t>(length)][after ? 1 : 0];
    if (cached.Entry != entry) {
        cached = {entry, after ? index_.PositionAfter(length, entry)
                               : index_.PositionAtOrAfter(length, entry)};
    }
    return cached.Position;
}

int32_t AvailableWords::FirstOfLength(int32_t length, int32_t from, int32_t last) {
    WordPattern any;
    any.Length = length;
    return FirstMatch(any, from, last);
}

int32_t AvailableWords::FirstMatch(const WordPattern& pattern, int32_t from, int32_t last) {
    const int32_t length = pattern.Length;
    if (length < 1 || length > WordIndex::MaxLength || from > last) {
        return None;
    }
    const int32_t begin = Position(length, from, false);
    const int32_t end = Position(length, last, true);
    if (begin >= end) {
        return None;
    }
    // The letter sets, rarest first, so that a block is given up soonest.
    std::array<const uint64_t*, WordIndex::MaxLength> sets{};
    std::array<int32_t, WordIndex::MaxLength> counts{};
    const auto fixed = static_cast<size_t>(pattern.Count);
    for (size_t j = 0; j < fixed; ++j) {
        const int32_t position = pattern.Positions[j];
        const unsigned char letter = pattern.Letters[j];
        const WordIndex::LetterSet letters = index_.EntriesWith(length, position, letter);
        if (letters.Bits == nullptr) {
            return None;
        }
        const int32_t count = letters.Count;
        size_t at = j;
        for (; at > 0 && counts[at - 1] > count; --at) {
            sets[at] = sets[at - 1];
            counts[at] = counts[at - 1];
        }
        sets[at] = letters.Bits;
        counts[at] = count;
    }

    std::vector<uint64_t>& maybe = maybe_[static_cast<size_t>(length)];
    const std::span<const int32_t> firsts = index_.FirstEntries(length);
    const std::span<const int32_t> lasts = index_.LastEntries(length);
    const auto firstBlock = static_cast<size_t>(begin / 64);
    const auto lastBlock = static_cast<size_t>((end - 1) / 64);
    // The entries of a block that have every letter and may be available. The
    // loop over the letters does not stop early, so its branch is always right.
    auto candidates = [&](size_t block) {
        uint64_t bits = maybe[block];
        for (size_t j = 0; j < fixed; ++j) {
            bits &= sets[j][block];
        }
        return bits;
    };
    // The first available entry of a candidate word in from .. last; a word whose
    // entries are all taken is dropped for good.
    auto firstAvailable = [&](size_t block, uint64_t bits) {
        for (; bits != 0; bits &= bits - 1) {
            const auto bit = static_cast<size_t>(std::countr_zero(bits));
            const size_t position = block * 64 + bit;
            for (int32_t entry = std::max(firsts[position], from);
                 entry <= std::min(lasts[position], last); ++entry) {
                if (available_[static_cast<size_t>(entry)] == 1) {
                    return entry;
                }
            }
            bool taken = true;
            for (int32_t entry = firsts[position]; taken && entry <= lasts[position]; ++entry) {
                taken = available_[static_cast<size_t>(entry)] != 1;
            }
            if (taken) {
                maybe[block] &= ~(uint64_t{1} << bit);
            }
        }
        return None;
    };
    const uint64_t endMask = end % 64 == 0 ? ~uint64_t{0} : (uint64_t{1} << (end % 64)) - 1;

    uint64_t bits = candidates(firstBlock) & (~uint64_t{0} << (begin % 64));
    if (firstBlock == lastBlock) {
        return firstAvailable(firstBlock, bits & endMask);
    }
    if (const int32_t entry = firstAvailable(firstBlock, bits); entry != None) {
        return entry;
    }
    for (size_t block = firstBlock + 1; block < lastBlock;) {
        // Four blocks at a time while none of them holds a candidate.
        if (block + 4 <= lastBlock) {
            uint64_t b0 = maybe[block];
            uint64_t b1 = maybe[block + 1];
            uint64_t b2 = maybe[block + 2];
            uint64_t b3 = maybe[block + 3];
            for (size_t j = 0; j < fixed; ++j) {
                const uint64_t* set = sets[j] + block;
                b0 &= set[0];
                b1 &= set[1];
                b2 &= set[2];
                b3 &= set[3];
            }
            if ((b0 | b1 | b2 | b3) == 0) {
                block += 4;
                continue;
            }
        }
        if (const int32_t entry = firstAvailable(block, candidates(block)); entry != None) {
            return entry;
        }
        ++block;
    }
    return firstAvailable(lastBlock, candidates(lastBlock) & endMask);
}
