#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace VocabularyRules {
class BanList;
}

// Clues a puzzle editor has checked by hand for the table made from the
// thesaurus: for each word its one or two clues, or none where the word is
// too obscure or has no fitting clue and stays out. Words and clues are
// Windows-1252.
//
// The text (UTF-8) holds one line an entry, '#' starts a comment:
//   BUERGERMEISTER;Oberhaupt einer Gemeinde
//   PONTE;-
// Every line keeps the rules of every clue of the table: at most 50
// characters, at most two terms, nothing that gives the word away, no banned
// term; and a word of its own: no clue text stands for two words.
class ReviewedClues {
public:
    static constexpr size_t MaxClues = 2;
    static constexpr size_t MaxTerms = 2;

    // Throws WabolexError naming the line that breaks a rule.
    static ReviewedClues Parse(std::string_view utf8, const VocabularyRules::BanList& banned);
    // vocabulary/data/Umschreibungen.txt, compiled in and checked against the
    // shipped ban list.
    static const ReviewedClues& Shipped();

    // The clues of a reviewed word, empty when the word stays out; nullptr
    // when nobody reviewed it.
    const std::vector<std::string>* Find(const std::string& word) const;
    // Every reviewed word with its clues, by word.
    const std::map<std::string, std::vector<std::string>>& Words() const { return words_; }

private:
    std::map<std::string, std::vector<std::string>> words_;
};
