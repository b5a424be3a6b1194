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

// True when this single clue word gives the answer away. Answers of two or
// three letters: the word is the answer. Longer answers: a word of four or
// more letters that contains the answer, is contained in it, shares its first
// five letters or is at most two letters' edit distance away from it.
bool WordGivesAway(const Folded& clueWord, const Folded& answer);

// True when any word of the clue gives the answer away.
bool GivesAway(std::string_view clue, std::string_view answer);

// Levenshtein distance, counted only up to limit + 1.
size_t EditDistance(std::string_view a, std::string_view b, size_t limit);

// Terms that must never appear, neither as an answer nor in a clue: one term
// a line (UTF-8, ordinary German spelling), '#' starts a comment. A term of
// several words bans that sequence of words. Whole words are compared, so the
// list names compounds itself (Arsch would otherwise ban Barsch and Marsch,
// Mongo the Mongolei), and in their spelt-out fold: dropping the umlaut
// instead would ban Mose along with Möse.
class BanList {
public:
    BanList() = default;
    static BanList Parse(std::string_view utf8);
    // The list shipped in the program.
    static const BanList& Shipped();

    bool Empty() const { return words_.empty() && phrases_.empty(); }
    size_t Size() const { return words_.size() + phrases_.size(); }

    // True when the word (an answer) is banned.
    bool Bans(std::string_view word) const;
    // True when any word, or word sequence, of the text is banned.
    bool BansAnyIn(std::string_view text) const;

private:
    bool BansFolded(const std::string& spelt) const;

    std::set<std::string> words_;                   // spelt folds
    std::vector<std::vector<std::string>> phrases_; // spelt folds of each word
};

} // namespace VocabularyRules
