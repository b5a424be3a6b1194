#include "vocabulary/VocabularyRules.h"

#include "base/Cp1252.h"

#include <algorithm>

// The text of the shipped ban list, compiled in from vocabulary/data at build time.
std::string_view ShippedBanListText();

namespace {

// The capital letter(s) a Windows-1252 capital folds to.
const char* FoldedLetter(unsigned char c) {
    switch (c) {
    case 0xC0:
    case 0xC1:
    case 0xC2:
    case 0xC3:
    case 0xC5:
        return "A";
    case 0xC4:
    case 0xC6:
        return "AE";
    case 0xC7:
        return "C";
    case 0xC8:
    case 0xC9:
    case 0xCA:
    case 0xCB:
        return "E";
    case 0xCC:
    case 0xCD:
    case 0xCE:
    case 0xCF:
        return "I";
    case 0xD0:
        return "D";
    case 0xD1:
        return "N";
    case 0xD2:
    case 0xD3:
    case 0xD4:
    case 0xD5:
    case 0xD8:
        return "O";
    case 0xD6:
    case 0x8C:
        return "OE";
    case 0xD9:
    case 0xDA:
    case 0xDB:
        return "U";
    case 0xDC:
        return "UE";
    case 0xDD:
    case 0x9F:
        return "Y";
    case 0xDE:
        return "TH";
    case 0xDF:
        return "SS";
    case 0x8A:
        return "S";
    case 0x8E:
        return "Z";
    default:
        return nullptr;
    }
}

// AE, OE and UE back to their vowel: BAER -> BAR.
std::string DropUmlautE(const std::string& spelt) {
    std::string plain;
    for (size_t i = 0; i < spelt.size(); ++i) {
        plain += spelt[i];
        if (spelt[i] == 'A' || spelt[i] == 'O' || spelt[i] == 'U') {
            if (i + 1 < spelt.size() && spelt[i + 1] == 'E') {
                ++i;
            }
        }
    }
    return plain;
}

bool Contains(std::string_view a, std::string_view b) {
    return a.find(b) != std::string_view::npos;
}

bool SameStart(std::string_view a, std::string_view b, size_t n) {
    return a.size() >= n && b.size() >= n && a.substr(0, n) == b.substr(0, n);
}

bool LongWordGivesAway(std::string_view word, std::string_view answer) {
    return Contains(word, answer) || Contains(answer, word) || SameStart(word, answer, 5) ||
           VocabularyRules::EditDistance(word, answer, 2) <= 2;
}

std::vector<std::string> SpeltWords(std::string_view text) {
    std::vector<std::string> words;
    for (const std::string& word : VocabularyRules::Words(text)) {
        words.push_back(VocabularyRules::Fold(word).Spelt);
    }
    return words;
}

} // namespace

namespace VocabularyRules {

Folded Fold(std::string_view text) {
    Folded folded;
    for (char c : Cp1252::ToUpper(text)) {
        if (const char* letters = FoldedLetter(static_cast<unsigned char>(c))) {
            folded.Spelt += letters;
        } else {
            folded.Spelt += c;
        }
    }
    folded.Plain = DropUmlautE(folded.Spelt);
    return folded;
}

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(Cp1252::ToUpper(c));
    return (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7) || u == 0xDF ||
           u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9F;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (IsLetter(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

size_t EditDistance(std::string_view a, std::string_view b, size_t limit) {
    const size_t gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (gap > limit) {
        return limit + 1;
    }
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        size_t best = row[0];
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > limit) {
            return limit + 1;
        }
    }
    return std::min(row[b.size()], limit + 1);
}

bool WordGivesAway(const Folded& word, const Folded& answer) {
    if (answer.Spelt.size() <= 3) {
        return word.Spelt == answer.Spelt || word.Plain == answer.Plain;
    }
    if (word.Spelt.size() < 4) {
        return false;
    }
    return LongWordGivesAway(word.Spelt, answer.Spelt) ||
           LongWordGivesAway(word.Plain, answer.Plain);
}

bool GivesAway(std::string_view clue, std::string_view answer) {
    const Folded folded = Fold(answer);
    const std::vector<std::string> words = Words(clue);
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return WordGivesAway(Fold(w), folded); });
}

BanList BanList::Parse(std::string_view utf8) {
    BanList list;
    while (!utf8.empty()) {
        const size_t end = std::min(utf8.find('\n'), utf8.size());
        std::string_view line = utf8.substr(0, end);
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
        line = line.substr(0, line.find('#'));
        std::vector<std::string> words = SpeltWords(Cp1252::FromUtf8(line));
        if (words.size() == 1) {
            list.words_.insert(std::move(words.front()));
        } else if (words.size() > 1) {
            list.phrases_.push_back(std::move(words));
        }
    }
    return list;
}

const BanList& BanList::Shipped() {
    static const BanList shipped = Parse(ShippedBanListText());
    return shipped;
}

bool BanList::BansFolded(const std::string& spelt) const {
    return words_.count(spelt) != 0;
}

bool BanList::Bans(std::string_view word) const {
    return BansFolded(Fold(word).Spelt);
}

bool BanList::BansAnyIn(std::string_view text) const {
    const std::vector<std::string> words = SpeltWords(text);
    if (std::any_of(words.begin(), words.end(),
                    [&](const std::string& w) { return BansFolded(w); })) {
        return true;
    }
    return std::any_of(phrases_.begin(), phrases_.end(), [&](const auto& phrase) {
        return std::search(words.begin(), words.end(), phrase.begin(), phrase.end()) != words.end();
    });
}

} // namespace VocabularyRules
