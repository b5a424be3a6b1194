#pragma once

#include "model/TWordEntry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace FlatImage {
class Reader;
class Writer;
} // namespace FlatImage

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
//
// The index reads its arrays through spans, so that one built here and one
// read back from a flat image (a mapped file) are used alike.
class WordIndex {
public:
    static constexpr int32_t MaxLength = static_cast<int32_t>(TWordEntry::MaxWordLength);

    // Indexes entries 1 .. size-1 of a word list given by the words' letters
    // in the grid (entry 0 is reserved).
    explicit WordIndex(std::span<const std::string_view> gridWords);

    // The arrays into a flat image.
    void WriteTo(FlatImage::Writer& image) const;
    // An index written by WriteTo for a list of wordCount words, checked so
    // that every entry, position and set it gives is in range and every
    // listed entry has the length it is listed under (whether those are the
    // lengths of the words is for the caller to check); its arrays stay in
    // the image, which `keep` keeps alive. Throws FlatImage::Invalid.
    static WordIndex ReadFrom(FlatImage::Reader& image, int32_t wordCount,
                              std::shared_ptr<const void> keep);

    int32_t WordCount() const { return wordCount_; }
    // The entry's length in the grid; 0 for an empty word.
    int32_t LengthOf(int32_t entry) const { return lengthOf_[static_cast<size_t>(entry)]; }
    // Non-empty words without '.'.
    bool Covers(int32_t entry) const { return covered_[static_cast<size_t>(entry)] != 0; }
    // The non-empty words the index leaves out, in list order.
    std::span<const int32_t> Uncovered() const { return uncovered_; }

    // The covered words of one length (1..15), in list order: the first and the
    // last entry of each position.
    std::span<const int32_t> FirstEntries(int32_t length) const {
        return lists_[static_cast<size_t>(length)].First;
    }
    std::span<const int32_t> LastEntries(int32_t length) const {
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
    WordIndex() = default;
    struct Built;

    struct LengthList {
        std::span<const int32_t> First;
        std::span<const int32_t> Last;
        int32_t Blocks = 0;
        // Per letter position and letter: the offset of its set in sets_ (-1:
        // none) and its size.
        struct Set {
            int32_t Offset = -1;
            int32_t Count = 0;
        };
        std::span<const Set> Sets;
    };

    std::shared_ptr<const void> storage_; // what the spans point into
    int32_t wordCount_ = 0;
    std::span<const int8_t> lengthOf_;
    std::span<const uint8_t> covered_;
    std::span<const int32_t> uncovered_;
    std::array<LengthList, MaxLength + 1> lists_;
    std::span<const uint64_t> sets_;
};
