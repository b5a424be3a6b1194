#pragma once

#include "model/TWordEntry.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Fixed letters of a slot in the grid: the letter a word must have at each of
// some positions.
struct WordPattern {
    int32_t Length = 0;
    int32_t Count = 0; // fixed letters in Positions and Letters
    std::array<uint8_t, TWordEntry::MaxWordLength> Positions{};
    std::array<unsigned char, TWordEntry::MaxWordLength> Letters{};

    void Add(int32_t position, char letter) {
        Positions[static_cast<size_t>(Count)] = static_cast<uint8_t>(position);
        Letters[static_cast<size_t>(Count)] = static_cast<unsigned char>(letter);
        ++Count;
    }
};

// The words of one vocabulary arranged for the placement search, built once per
// loaded vocabulary: per word length the entries in list order, and per length,
// letter position and letter the set of those entries that have the letter
// there (a bit per entry of the length). The word list may be in any order.
// Entries that follow each other with the same word (one word, several clues)
// take one position together.
//
// A word containing '.' is not in the index: in the grid '.' marks an empty
// cell, so such a word matches differently; only the literal scan places it.
class WordIndex {
public:
    static constexpr int32_t MaxLength = static_cast<int32_t>(TWordEntry::MaxWordLength);

    // Indexes entries 1 .. size-1 of a word list given by the words' letters
    // in the grid (entry 0 is reserved).
    explicit WordIndex(std::span<const std::string_view> gridWords);

    int32_t WordCount() const { return wordCount_; }
    // The entry's length in the grid; 0 for an empty word.
    int32_t LengthOf(int32_t entry) const { return lengthOf_[static_cast<size_t>(entry)]; }
    // Non-empty words without '.'.
    bool Covers(int32_t entry) const { return covered_[static_cast<size_t>(entry)] != 0; }
    // The non-empty words the index leaves out, in list order.
    const std::vector<int32_t>& Uncovered() const { return uncovered_; }

    // The covered words of one length (1..15), in list order: the first and the
    // last entry of each position.
    const std::vector<int32_t>& FirstEntries(int32_t length) const {
        return lists_[static_cast<size_t>(length)].First;
    }
    const std::vector<int32_t>& LastEntries(int32_t length) const {
        return lists_[static_cast<size_t>(length)].Last;
    }
    // The first position of the length with an entry at or after `entry`.
    int32_t PositionAtOrAfter(int32_t length, int32_t entry) const;
    // The first position of the length whose entries all come after `entry`.
    int32_t PositionAfter(int32_t length, int32_t entry) const;
    // 64-bit blocks of a set over the positions of one length.
    int32_t Blocks(int32_t length) const { return lists_[static_cast<size_t>(length)].Blocks; }

    // The positions of the entries of the length with the letter at the letter
    // position, as Blocks(length) blocks (nullptr when no entry has it there),
    // and how many they are.
    struct LetterSet {
        const uint64_t* Bits = nullptr;
        int32_t Count = 0;
    };
    LetterSet EntriesWith(int32_t length, int32_t position, unsigned char letter) const;

private:
    struct LengthList {
        std::vector<int32_t> First;
        std::vector<int32_t> Last;
        int32_t Blocks = 0;
        // Per letter position and letter: the offset of its set in sets_ (-1:
        // none) and its size.
        struct Set {
            int32_t Offset = -1;
            int32_t Count = 0;
        };
        std::vector<Set> Sets;
    };

    int32_t wordCount_ = 0;
    std::vector<int8_t> lengthOf_;
    std::vector<uint8_t> covered_;
    std::vector<int32_t> uncovered_;
    std::array<LengthList, MaxLength + 1> lists_;
    std::vector<uint64_t> sets_;
};
