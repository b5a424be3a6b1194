#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

// What a clue may and may not contain. The importer uses these rules to build
// the tables and `wabolex-cli check-table` to check them, so both always agree.
// All texts are Windows-1252.
namespace VocabularyRules {

// A text compared without regard to case, umlauts, ß and accents. `Spelt`
// writes the umlauts out as crosswords do (Bär -> BAER, Straße -> STRASSE,
// Brasília -> BRASILIA); `Plain` also drops the E after A, O and U (BAER and
// Bär -> BAR), so that Häuser and HAUS are seen as kin.
struct Folded {
    std::string Spelt;
    std::string Plain;
};

Folded Fold(std::string_view text);

// The words of a text: runs of letters, split at blanks, hyphens, brackets,
// commas and every other non-letter.
std::vector<std::string> Words(std::string_view text);

// True for the letters a word may hold (Windows-1252, any case).
bool IsLetter(char c);

// Common beginnings ("ver-") and endings ("-heit") of German words, which two
// words may share without giving each other away: one a line, a beginning
// written "ver-", an ending "-heit" (UTF-8, '#' starts a comment).
class WordParts {
public:
    static WordParts Parse(std::string_view utf8);
    // The list shipped in the program.
    static const WordParts& Shipped();

    // What is left of a spelt fold once one listed beginning is taken from its
    // front and listed endings, one after another, from its end (the longest
    // first): VERTRAG -> TRAG, FREUNDLICHKEIT -> FREUND. From the start of a
    // word, an ending goes only where it leaves a stem of three letters or
    // nothing: KERN (Kernspaltung) is no K + -ern, HEIT (heiter) is -heit.
    // Elsewhere the tail of an ending is nothing but ending: EREN (-ieren).
    std::string Core(std::string_view spelt, bool startOfWord = false) const;

private:
    bool TailOfEnding(std::string_view spelt, bool startOfWord) const;

    std::vector<std::string> beginnings_; // longest first
    std::vector<std::string> endings_;    // longest first
};

// True when this single clue word gives the answer away. Answers of two or
// three letters: the word is the answer. Longer answers: a word of four or
// more letters that contains the answer, is contained in it, shares its first
// five letters, is at most two letters' edit distance away from it, or shares
// a word part with it (SharesWordPart).
bool WordGivesAway(const Folded& clueWord, const Folded& answer);

// True when a part of four or more letters stands at the start or the end of
// one word and anywhere in the other, and is more than a common beginning or
// ending (WordParts::Shipped): ARBEITSLEBEN and Berufsleben share LEBEN,
// ABENDBROT and Brotzeit BROT, KRANKHEIT and Erkrankung KRANK; WAHRHEIT and
// Ehrlichkeit share only the ending.
bool SharesWordPart(const Folded& clueWord, const Folded& answer);

// True when any word of the clue gives the answer away.
bool GivesAway(std::string_view clue, std::string_view answer);

// True when a word of the clue shares a word part with the answer, whatever
// the other rules say.
bool SharesWordPartIn(std::string_view clue, std::string_view answer);

// Levenshtein distance, counted only up to limit + 1.
size_t EditDistance(std::string_view a, std::string_view b, size_t limit);

// Terms that must never appear, neither as an answer nor in a clue, compared
// in their spelt-out fold (dropping the umlaut instead would ban Mose along
// with Möse). A term matches inside words too (PORNO in Pornokino, SCHEISSE in
// Hundescheiße), unless it is marked as a whole word; a term of several words
// bans that sequence of words. A harmless word that merely contains a banned
// term (Barsch, Marsch, Methode) is allowed, and so is every word that
// contains such a harmless word where the banned term stands (Flussbarsch).
class BanList {
public:
    BanList() = default;
    // ownList: one term a line (UTF-8, ordinary German spelling), '#' starts a
    // comment, "=Term" bans the term as a whole word only, also where
    // secondList names it. secondList: more terms, one a line, matched inside
    // words. allowed: harmless words, one a line.
    static BanList Parse(std::string_view ownList, std::string_view allowed = {},
                         std::string_view secondList = {});
    // The lists shipped in the program.
    static const BanList& Shipped();

    bool Empty() const { return inside_.empty() && whole_.empty() && phrases_.empty(); }
    size_t Size() const { return inside_.size() + whole_.size() + phrases_.size(); }

    // True when the word (an answer) is banned.
    bool Bans(std::string_view word) const;
    // True when any word, or word sequence, of the text is banned.
    bool BansAnyIn(std::string_view text) const;

private:
    void Add(std::string spelt, bool wholeWordOnly);
    bool BansFolded(const std::string& spelt) const;
    bool Allowed(const std::string& spelt, size_t at, size_t length) const;

    std::set<std::string> inside_;                  // spelt folds, matched inside words
    std::set<std::string> whole_;                   // spelt folds, matched as whole words
    std::set<size_t> insideLengths_;                // the lengths in inside_
    std::set<std::string> allowed_;                 // harmless words
    std::set<size_t> allowedLengths_;               // the lengths in allowed_
    std::vector<std::vector<std::string>> phrases_; // spelt folds of each word
};

} // namespace VocabularyRules
