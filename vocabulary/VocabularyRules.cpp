#include "vocabulary/VocabularyRules.h"

#include "base/Cp1252.h"

#include <algorithm>

// Texts compiled in at build time: the ban list, its harmless words and the
// word parts from vocabulary/data, and the second ban list (one term a line).
std::string_view ShippedBanListText();
std::string_view ShippedAllowListText();
std::string_view ShippedSecondBanListText();
std::string_view ShippedWordPartsText();

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

constexpr size_t kShortestPart = 4;
constexpr size_t kShortestStem = 3;

// A part of four or more letters at the start or the end of `from` that stands
// anywhere in `to` and is more than common beginnings and endings.
bool EdgePartIn(std::string_view from, std::string_view to) {
    const VocabularyRules::WordParts& parts = VocabularyRules::WordParts::Shipped();
    for (const bool atStart : {true, false}) {
        // A longer part is found only where a shorter one is.
        for (size_t n = kShortestPart; n <= from.size(); ++n) {
            const std::string_view part =
                atStart ? from.substr(0, n) : from.substr(from.size() - n);
            if (!Contains(to, part)) {
                break;
            }
            if (parts.Core(part, atStart).size() >= kShortestPart) {
                return true;
            }
        }
    }
    return false;
}

bool PartShared(std::string_view a, std::string_view b) {
    return a.size() >= kShortestPart && b.size() >= kShortestPart &&
           (EdgePartIn(a, b) || EdgePartIn(b, a));
}

std::string_view Trimmed(std::string_view text, std::string_view chars) {
    while (!text.empty() && chars.find(text.front()) != std::string_view::npos) {
        text.remove_prefix(1);
    }
    while (!text.empty() && chars.find(text.back()) != std::string_view::npos) {
        text.remove_suffix(1);
    }
    return text;
}

// Calls use(line) for each line without its comment and surrounding blanks.
template <typename Use> void ForEachEntry(std::string_view utf8, Use use) {
    while (!utf8.empty()) {
        const size_t end = std::min(utf8.find('\n'), utf8.size());
        std::string_view line = utf8.substr(0, end);
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
        line = line.substr(0, line.find('#'));
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        while (!line.empty() &&
               (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            use(line);
        }
    }
}

void SortLongestFirst(std::vector<std::string>& list) {
    std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        return a.size() > b.size();
    });
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

WordParts WordParts::Parse(std::string_view utf8) {
    WordParts parts;
    ForEachEntry(utf8, [&](std::string_view line) {
        const bool beginning = line.back() == '-';
        const bool ending = line.front() == '-';
        const Folded folded = Fold(Cp1252::FromUtf8(Trimmed(line, "-")));
        if (folded.Spelt.empty() || beginning == ending) {
            return; // neither or both: no part of a word
        }
        // Both folds: words are compared in both (-mäßig as MAESSIG and MASSIG).
        std::vector<std::string>& list = beginning ? parts.beginnings_ : parts.endings_;
        list.push_back(folded.Spelt);
        if (folded.Plain != folded.Spelt) {
            list.push_back(folded.Plain);
        }
    });
    SortLongestFirst(parts.beginnings_);
    SortLongestFirst(parts.endings_);
    return parts;
}

const WordParts& WordParts::Shipped() {
    static const WordParts shipped = Parse(ShippedWordPartsText());
    return shipped;
}

std::string WordParts::Core(std::string_view spelt, bool startOfWord) const {
    if (TailOfEnding(spelt, startOfWord)) {
        return {};
    }
    for (const std::string& beginning : beginnings_) {
        if (spelt.starts_with(beginning)) {
            spelt.remove_prefix(beginning.size());
            break;
        }
    }
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const std::string& ending : endings_) {
            const size_t stem = spelt.size() - std::min(spelt.size(), ending.size());
            if (spelt.ends_with(ending) &&
                (!startOfWord || stem == 0 || stem >= kShortestStem)) {
                spelt.remove_suffix(ending.size());
                stripped = true;
                break;
            }
        }
    }
    return TailOfEnding(spelt, startOfWord) ? std::string() : std::string(spelt);
}

// The tail of an ending, away from the start of a word, is no more than the
// ending: EREN of -ieren, SSIG of -mäßig.
bool WordParts::TailOfEnding(std::string_view spelt, bool startOfWord) const {
    return !startOfWord && std::any_of(endings_.begin(), endings_.end(), [&](const std::string& e) {
               return e.size() > spelt.size() && e.ends_with(spelt);
           });
}

bool SharesWordPart(const Folded& word, const Folded& answer) {
    return PartShared(word.Spelt, answer.Spelt) || PartShared(word.Plain, answer.Plain);
}

bool WordGivesAway(const Folded& word, const Folded& answer) {
    if (answer.Spelt.size() <= 3) {
        return word.Spelt == answer.Spelt || word.Plain == answer.Plain;
    }
    if (word.Spelt.size() < 4) {
        return false;
    }
    return LongWordGivesAway(word.Spelt, answer.Spelt) ||
           LongWordGivesAway(word.Plain, answer.Plain) || SharesWordPart(word, answer);
}

bool GivesAway(std::string_view clue, std::string_view answer) {
    const Folded folded = Fold(answer);
    const std::vector<std::string> words = Words(clue);
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return WordGivesAway(Fold(w), folded); });
}

bool SharesWordPartIn(std::string_view clue, std::string_view answer) {
    const Folded folded = Fold(answer);
    const std::vector<std::string> words = Words(clue);
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return SharesWordPart(Fold(w), folded); });
}

BanList BanList::Parse(std::string_view ownList, std::string_view allowed,
                       std::string_view secondList) {
    BanList list;
    std::set<std::string> wholeOnly;
    ForEachEntry(ownList, [&](std::string_view line) {
        const bool whole = line.front() == '=';
        std::vector<std::string> words = SpeltWords(Cp1252::FromUtf8(line));
        if (words.size() == 1) {
            if (whole) {
                wholeOnly.insert(words.front());
            }
            list.Add(std::move(words.front()), whole);
        } else if (words.size() > 1) {
            list.phrases_.push_back(std::move(words));
        }
    });
    ForEachEntry(secondList, [&](std::string_view line) {
        std::vector<std::string> words = SpeltWords(Cp1252::FromUtf8(line));
        if (words.size() == 1) {
            list.Add(std::move(words.front()), wholeOnly.count(words.front()) != 0);
        } else if (words.size() > 1) {
            list.phrases_.push_back(std::move(words));
        }
    });
    ForEachEntry(allowed, [&](std::string_view line) {
        for (std::string& word : SpeltWords(Cp1252::FromUtf8(line))) {
            list.allowedLengths_.insert(word.size());
            list.allowed_.insert(std::move(word));
        }
    });
    return list;
}

const BanList& BanList::Shipped() {
    static const BanList shipped =
        Parse(ShippedBanListText(), ShippedAllowListText(), ShippedSecondBanListText());
    return shipped;
}

void BanList::Add(std::string spelt, bool wholeWordOnly) {
    if (wholeWordOnly) {
        inside_.erase(spelt);
        whole_.insert(std::move(spelt));
    } else if (whole_.count(spelt) == 0) {
        insideLengths_.insert(spelt.size());
        inside_.insert(std::move(spelt));
    }
}

// True when a harmless word stands in `spelt` around the letters at .. at + length.
bool BanList::Allowed(const std::string& spelt, size_t at, size_t length) const {
    for (const size_t n : allowedLengths_) {
        if (n < length || n > spelt.size()) {
            continue;
        }
        const size_t first = at + length > n ? at + length - n : 0;
        for (size_t start = first; start <= at && start + n <= spelt.size(); ++start) {
            if (allowed_.count(spelt.substr(start, n)) != 0) {
                return true;
            }
        }
    }
    return false;
}

bool BanList::BansFolded(const std::string& spelt) const {
    if (whole_.count(spelt) != 0) {
        return true;
    }
    for (const size_t n : insideLengths_) {
        for (size_t at = 0; at + n <= spelt.size(); ++at) {
            if (inside_.count(spelt.substr(at, n)) != 0 && !Allowed(spelt, at, n)) {
                return true;
            }
        }
    }
    return false;
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
