#pragma once

#include "vocabulary/ParadoxWriter.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Lexicon;
namespace VocabularyRules {
class BanList;
}

// Vocabulary from an OpenThesaurus text file: one synonym group a line, terms
// separated by ';'. A term that is a single word of letters can become an
// answer (upper case, Ä -> AE, Ö -> OE, Ü -> UE, ß -> SS); its clue is made of
// up to three other terms of the same group, the most common first, at most 50
// characters, cut between terms. One record per word and group.
//
// Left out: terms marked as offensive ("vulg.", "derb", "abwertend" and the
// like) as answers and clue terms of their group; groups that are mostly
// vulgar; abbreviations and symbols as answers; banned terms; clue terms that
// give the answer away (a word left without a clue goes too); and, with a
// lexicon, answers it does not know and specialist terms ("fachspr.", "med.")
// that are not common.
namespace ThesaurusImport {

struct Options {
    size_t MinLength = 2;
    size_t MaxLength = 15;
    const Lexicon* Words = nullptr;                   // none: every answer, terms in group order
    const VocabularyRules::BanList* Banned = nullptr; // none: nothing banned
};

std::vector<VocabularyRecord> Parse(std::string_view utf8, const Options& options = {});

// One term of a synonym group as the importer reads it.
struct Term {
    std::string Text;   // for clues: remarks left out, "(sich)" and the like kept
    std::string Bare;   // every bracket left out
    std::string Answer; // crossword spelling of Bare, "" when it is not a single word
    bool Offensive = false;
    bool Vulgar = false;       // "vulg." in particular
    bool Jargon = false;       // specialist language
    bool Abbreviation = false; // abbreviations, symbols, unit signs
    bool Marked = false;       // any usage remark but "ugs." and "fig."
    bool Main = false;         // "Hauptform": the usual word of the group
    bool Fragment = false;     // "Deputat...", "''", ")": no use in a clue
};

// The terms of one line of the file (UTF-8), split at ';' outside brackets.
std::vector<Term> ReadGroup(std::string_view utf8Line);

// True when a third of the group's terms are marked vulgar or banned: such a
// meaning has no place in a puzzle, whatever its neutral words.
bool Unfit(const std::vector<Term>& group, const VocabularyRules::BanList* banned);

// True when the term holds a banned word.
bool Banned(const Term& term, const VocabularyRules::BanList* banned);

// The records of one line (one synonym group), appended to records.
void AddLine(std::string_view utf8Line, const Options& options,
             std::vector<VocabularyRecord>& records);

// The answer spelling of a term (Windows-1252), or "" when it is not a single
// word of letters.
std::string AnswerOf(std::string_view cp1252Term);

} // namespace ThesaurusImport
