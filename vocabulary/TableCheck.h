#pragma once

#include "model/TWordEntry.h"
#include "vocabulary/VocabularyRules.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class Lexicon;

// The quality of a vocabulary table as a puzzle editor sees it: what it holds
// and which entries break a rule. Texts are Windows-1252.
namespace TableCheck {

// Entries that break one rule, in table order. They point into the checked
// list, which outlives the report: a large table is not copied once per rule.
struct Finding {
    std::vector<const TWordEntry*> Entries;
    bool Hard = false; // a broken hard rule makes the table unfit to ship
};

struct Report {
    size_t Entries = 0;
    std::map<size_t, size_t> WordsByLength; // distinct words per length
    size_t DistinctWords = 0;
    double MedianClueLength = 0;
    bool ShortWordsCompared = false; // a short-word table was given
    bool ThesaurusCompared = false;  // the thesaurus was given
    bool LengthsCompared = false;    // lengths were given
    bool WordsCompared = false;      // word lists were given

    Finding GiveAways{{}, true};    // a clue word gives the answer away
    Finding SharedParts{{}, true};  // of them: by a word part both share
    Finding Banned{{}, true};       // answer or clue holds a banned term
    Finding Offensive{{}, true};    // marked offensive in the thesaurus group it comes from
    Finding EmptyClues{{}, true};   // empty word or clue
    Finding InShortWords{{}, true}; // the word is in the short-word table too
    Finding Scattered{{}, true};    // entries of one word that do not stand together
    Finding WrongLength{{}, true};  // a word outside the lengths the table is for
    Finding BlackCells{{}, true};   // a word holding '.', a black cell in the grid
    Finding Unknown{{}, true};      // neither a whole word of the word lists nor ranked
    Finding LongFields;             // word over 15 or clue over 50 characters
    Finding Duplicates;             // the same word and clue twice

    bool BreaksHardRule() const;
};

struct Inputs {
    const VocabularyRules::BanList* Banned = nullptr;
    const std::set<std::string>* ShortWords = nullptr; // words of the short-word table
    std::string_view ThesaurusUtf8;                    // empty: not compared
    size_t MinLength = 0;                              // 0: lengths not checked
    size_t MaxLength = 0;
    const Lexicon* Words = nullptr; // word lists and rankings; none: not compared
};

// `entries` in the order the loader reads them (uncut); the report's findings
// point into them.
Report Check(const std::vector<TWordEntry>& entries, const Inputs& inputs);

} // namespace TableCheck
