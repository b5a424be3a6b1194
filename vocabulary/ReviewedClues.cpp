#include "vocabulary/ReviewedClues.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "vocabulary/VocabularyRules.h"

#include <algorithm>
#include <set>

// The text of vocabulary/data/Umschreibungen.txt, compiled in at build time.
std::string_view ShippedReviewedCluesText();

namespace {

constexpr size_t kLongestWord = 15;
constexpr size_t kLongestClue = 50;
constexpr std::string_view kLeftOut = "-";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

bool IsAnswer(std::string_view word) {
    return !word.empty() && word.size() <= kLongestWord &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

size_t Terms(std::string_view clue) {
    size_t terms = 1;
    for (size_t at = clue.find(", "); at != std::string_view::npos; at = clue.find(", ", at + 2)) {
        ++terms;
    }
    return terms;
}

// What is wrong with the clue for the word, or "" when nothing is.
std::string Fault(const std::string& word, const std::string& clue,
                  const VocabularyRules::BanList& banned) {
    if (clue.empty()) {
        return W("Die Umschreibung fehlt.");
    }
    if (clue.size() > kLongestClue) {
        return W("Die Umschreibung ist länger als 50 Zeichen.");
    }
    if (Terms(clue) > ReviewedClues::MaxTerms) {
        return W("Die Umschreibung hat mehr als zwei Begriffe.");
    }
    if (VocabularyRules::GivesAway(clue, word)) {
        return W("Die Umschreibung verrät das Wort.");
    }
    if (banned.Bans(word) || banned.BansAnyIn(clue)) {
        return W("Wort oder Umschreibung enthält einen gesperrten Begriff.");
    }
    return {};
}

} // namespace

ReviewedClues ReviewedClues::Parse(std::string_view utf8,
                                   const VocabularyRules::BanList& banned) {
    ReviewedClues result;
    std::map<std::string, std::string> wordOfClue;
    std::set<std::string> leftOut;
    size_t number = 0;
    while (!utf8.empty()) {
        const size_t end = std::min(utf8.find('\n'), utf8.size());
        const std::string_view line = Trim(utf8.substr(0, std::min(utf8.find('#'), end)));
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
        ++number;
        if (line.empty()) {
            continue;
        }
        auto refuse = [number](const std::string& reason) {
            throw WabolexError(W("Geprüfte Umschreibungen, Zeile ") + std::to_string(number) +
                               ": " + reason);
        };
        const size_t separator = line.find(';');
        if (separator == std::string_view::npos) {
            refuse(W("Erwartet wird WORT;Umschreibung oder WORT;-."));
        }
        const std::string word(Trim(line.substr(0, separator)));
        const std::string_view clueUtf8 = Trim(line.substr(separator + 1));
        if (!IsAnswer(word)) {
            refuse(W("Das Wort muss aus 1 bis 15 Großbuchstaben A bis Z bestehen: ") +
                   Cp1252::FromUtf8(word));
        }
        if (Cp1252::FirstWithoutForm(clueUtf8) != 0) {
            refuse(W("Die Umschreibung enthält ein Zeichen ohne Windows-1252-Form."));
        }
        const std::string clue = Cp1252::FromUtf8(clueUtf8);
        std::vector<std::string>& clues = result.words_[word];
        if (clue == kLeftOut) {
            if (!clues.empty() || !leftOut.insert(word).second) {
                refuse(word + W(" steht schon in einer Zeile davor."));
            }
            continue;
        }
        if (leftOut.count(word) != 0) {
            refuse(word + W(" ist schon als ausgelassen (-) vermerkt."));
        }
        if (const std::string fault = Fault(word, clue, banned); !fault.empty()) {
            refuse(word + ": " + fault);
        }
        if (clues.size() == MaxClues) {
            refuse(word + W(" hat schon zwei Umschreibungen."));
        }
        const auto [at, isNew] = wordOfClue.emplace(VocabularyRules::Fold(clue).Spelt, word);
        if (!isNew) {
            refuse(W("Die Umschreibung \"") + clue + W("\" steht schon bei ") + at->second + ".");
        }
        clues.push_back(clue);
    }
    return result;
}

const ReviewedClues& ReviewedClues::Shipped() {
    static const ReviewedClues shipped =
        Parse(ShippedReviewedCluesText(), VocabularyRules::BanList::Shipped());
    return shipped;
}

const std::vector<std::string>* ReviewedClues::Find(const std::string& word) const {
    const auto found = words_.find(word);
    return found == words_.end() ? nullptr : &found->second;
}
