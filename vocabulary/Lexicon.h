#pragma once

#include "base/WabolexError.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// What the importer knows about German words beyond the thesaurus: which words
// exist (a spell checker's word lists) and how common they are (word lists
// ranked by frequency). Words are compared in their spelt-out fold.
class Lexicon {
public:
    static constexpr size_t Unranked = static_cast<size_t>(-1);
    // More different words than this in all lists together are refused: the
    // lists the shipped tables are made from hold about 500,000, and each word
    // costs memory.
    static constexpr size_t MaxWords = 1000000;

    // Thrown by the Add functions beyond MaxWords (Windows-1252 message).
    class TooManyWords : public WabolexError {
    public:
        using WabolexError::WabolexError;
    };

    // A list of existing words (UTF-8): one word a line, where a hunspell
    // dictionary's "/flags" and its count line are ignored, or a JSON array of
    // strings. Lines that are not a single word are skipped.
    void AddKnownWords(std::string_view utf8List);
    // A list of words (same formats), most frequent first.
    void AddRanking(std::string_view utf8List);

    bool HasKnownWords() const { return !known_.empty(); }
    bool HasRanking() const { return !rank_.empty(); }

    // True when the word, as written, is in a list or ranked; a compound of
    // listed words (Ablauf|umgebung) is not enough.
    bool Knows(std::string_view cp1252Word) const;
    // The word's best position in any ranking (0 = most common), or Unranked.
    size_t Rank(std::string_view cp1252Word) const;
    // The `count` words of the best positions, in their spelt fold, most
    // common first (equal positions alphabetically).
    std::vector<std::string> MostCommon(size_t count) const;

private:
    void CheckSize() const;

    std::unordered_set<std::string> known_;
    std::unordered_map<std::string, size_t> rank_;
};
