#pragma once

#include "vocabulary/ParadoxWriter.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class Lexicon;
class ReviewedClues;
namespace VocabularyRules {
class BanList;
}

// Vocabulary from an OpenThesaurus text file: one synonym group a line, terms
// separated by ';'. A term that is a single word of letters can become an
// answer (upper case, Ä -> AE, Ö -> OE, Ü -> UE, ß -> SS); its clue is made of
// one or two other terms of the same group, the most common first, at most 50
// characters.
//
// Left out: whole groups that hold a term marked as offensive ("vulg.",
// "derb", "abwertend" and the like) or a banned term; terms marked regional or
// dated ("österr.", "veraltet", "selten" ...), as answers and in clues;
// abbreviations and symbols as answers; clue terms that give the answer away
// (a word left without a clue goes too); function words and inflected forms
// (Options::NotAnswers); and, with a lexicon, answers that are
// neither whole words of its lists nor ranked, and specialist terms
// ("fachspr.", "med.") that are not common. Colloquial, figurative and other
// marked terms stand in a clue only where the group has no plain one.
//
// A word that stands in several groups keeps the clues of at most two: first
// those where the word itself is unmarked, then those whose clue terms are the
// most common. A word an editor has reviewed (Options::Reviewed) takes the
// clues the editor gave it instead, or stays out; it may also be a word the
// thesaurus does not give. Other words avoid a clue text that a more common
// word already has: their best term keeps another of the group's common terms
// as company, or stands alone.
//
// The records come out ordered by how common their word is (ranked words by
// rank, then the others: nouns, other words, participles, each
// alphabetically), the entries of one word together, so that a search that
// takes the first fitting word meets familiar words first.
namespace ThesaurusImport {

struct Options {
    size_t MinLength = 2;
    size_t MaxLength = 15;
    const Lexicon* Words = nullptr;                   // none: every answer, terms in group order
    const VocabularyRules::BanList* Banned = nullptr; // none: nothing banned
    // Terms, exactly as the thesaurus writes them (Windows-1252), that are
    // neither answer nor clue term: "unter", "diese"; none: every term.
    const std::set<std::string>* NotAnswers = nullptr;
    // Terms, written the same way, that are no answer but may stand in a
    // clue: words the thesaurus knows only in a side sense.
    const std::set<std::string>* SideSenses = nullptr;
    // Clues checked by hand, which replace those of the thesaurus; none: no
    // word reviewed.
    const ReviewedClues* Reviewed = nullptr;
};

// The words of vocabulary/data/KeineLoesungswoerter.txt and of
// vocabulary/data/Nebensinn.txt, compiled in.
const std::set<std::string>& ShippedNotAnswers();
const std::set<std::string>& ShippedSideSenses();

// One term of a synonym group as the importer reads it.
struct Term {
    std::string Text;   // for clues: remarks left out, "(sich)" and the like kept
    std::string Bare;   // every bracket left out
    std::string Answer; // crossword spelling of Bare, "" when it is not a single word
    bool Offensive = false;
    bool Vulgar = false;       // "vulg." in particular
    bool Jargon = false;       // specialist language
    bool Abbreviation = false; // abbreviations, symbols, unit signs
    bool Regional = false;     // regional, dated or rare
    bool Foreign = false;      // "engl.", "franz." ...: not yet a German word
    bool Marked = false;       // any usage remark but "geh." and "Hauptform"
    bool Main = false;         // "Hauptform": the usual word of the group
    bool Fragment = false;     // "Deputat...", "''", ")": no use in a clue
};

// The terms of one line of the file (UTF-8), split at ';' outside brackets.
std::vector<Term> ReadGroup(std::string_view utf8Line);

// True when the group holds a term marked offensive or a banned term: such a
// meaning has no place in a puzzle, whatever its neutral words.
bool Unfit(const std::vector<Term>& group, const VocabularyRules::BanList* banned);

// True when the term holds a banned word.
bool Banned(const Term& term, const VocabularyRules::BanList* banned);

// The answer spelling of a term (Windows-1252), or "" when it is not a single
// word of letters.
std::string AnswerOf(std::string_view cp1252Term);

// Collects the groups of a file line by line and chooses the clues at the end.
class Importer {
public:
    // More clues and words than this are refused while the file is read: the
    // whole of OpenThesaurus gives some 60,000, and each costs memory.
    static constexpr size_t MaxKept = 500000;

    explicit Importer(const Options& options) : options_(options) {}

    void AddLine(std::string_view utf8Line);
    // The records, most common words first.
    std::vector<VocabularyRecord> Finish() const;

private:
    void Keep(size_t texts = 1); // counts kept clue texts or words; throws beyond MaxKept
    // The clues a group offers for a word; a smaller Key is a better choice.
    struct Candidate {
        std::vector<size_t> Key;
        std::vector<std::string> Clues; // the best first, then ones to use where it is taken
        size_t Form = 0;                // 0 noun, 1 other word, 2 participle
    };

    // The word's records from its candidates, each clue text one that
    // `taken` does not hold yet where the group offers one.
    void AddThesaurusClues(const std::string& word, std::set<std::string>& taken,
                           std::vector<VocabularyRecord>& records) const;

    const Options& options_;
    std::map<std::string, std::vector<Candidate>> candidates_; // by word
    std::set<std::string> lostMain_; // words whose usual meaning is in an unfit group
    size_t kept_ = 0;                // candidates and lost words, bounded by MaxKept
};

// Every line of a text in memory.
std::vector<VocabularyRecord> Parse(std::string_view utf8, const Options& options = {});

} // namespace ThesaurusImport
