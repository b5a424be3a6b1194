#include "vocabulary/Lexicon.h"

#include "base/Cp1252.h"
#include "vocabulary/VocabularyRules.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Bytes of the longest word a list may hold (UTF-8): far beyond any word.
constexpr size_t kLongestWord = 100;

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The strings of a JSON array, in order (escapes resolved, UTF-8).
void ForEachJsonString(std::string_view json, const std::function<void(std::string_view)>& use) {
    size_t at = 0;
    while ((at = json.find('"', at)) != std::string_view::npos) {
        std::string text;
        for (++at; at < json.size() && json[at] != '"'; ++at) {
            if (json[at] != '\\' || at + 1 >= json.size()) {
                text += json[at];
                continue;
            }
            const char escaped = json[++at];
            if (escaped == 'u' && at + 4 < json.size()) {
                AppendUtf8(text, std::stoul(std::string(json.substr(at + 1, 4)), nullptr, 16));
                at += 4;
            } else {
                text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
            }
        }
        use(text);
        ++at;
    }
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& use) {
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        line = line.substr(0, line.find('/')); // hunspell flags
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        use(line);
    }
}

// Calls use with the spelt fold of every single word in the list.
void ForEachWord(std::string_view utf8List, const std::function<void(std::string)>& use) {
    const auto word = [&](std::string_view utf8) {
        // No word of a list is this long; a huge line costs no copies.
        if (utf8.size() > kLongestWord) {
            return;
        }
        const std::string text = Cp1252::FromUtf8(utf8);
        if (!text.empty() && std::all_of(text.begin(), text.end(), VocabularyRules::IsLetter)) {
            use(VocabularyRules::Fold(text).Spelt);
        }
    };
    const size_t first = utf8List.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string_view::npos && utf8List[first] == '[') {
        ForEachJsonString(utf8List, word);
    } else {
        ForEachLine(utf8List, word);
    }
}

} // namespace

void Lexicon::AddKnownWords(std::string_view utf8List) {
    ForEachWord(utf8List, [&](std::string word) {
        if (known_.insert(std::move(word)).second) {
            CheckSize();
        }
    });
}

void Lexicon::AddRanking(std::string_view utf8List) {
    size_t position = 0;
    ForEachWord(utf8List, [&](std::string word) {
        const auto [it, added] = rank_.emplace(std::move(word), position);
        it->second = std::min(it->second, position);
        ++position;
        if (added) {
            CheckSize();
        }
    });
}

void Lexicon::CheckSize() const {
    if (known_.size() + rank_.size() > MaxWords) {
        throw TooManyWords(W("mehr als ") + std::to_string(MaxWords) +
                           W(" verschiedene Wörter in allen Listen zusammen."));
    }
}

bool Lexicon::Knows(std::string_view word) const {
    const std::string spelt = VocabularyRules::Fold(word).Spelt;
    return known_.count(spelt) != 0 || rank_.count(spelt) != 0;
}

size_t Lexicon::Rank(std::string_view word) const {
    const auto it = rank_.find(VocabularyRules::Fold(word).Spelt);
    return it == rank_.end() ? Unranked : it->second;
}

std::vector<std::string> Lexicon::MostCommon(size_t count) const {
    std::vector<std::pair<size_t, std::string>> ranked;
    ranked.reserve(rank_.size());
    for (const auto& [word, position] : rank_) {
        ranked.emplace_back(position, word);
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::string> words;
    for (size_t i = 0; i < ranked.size() && i < count; ++i) {
        words.push_back(std::move(ranked[i].second));
    }
    return words;
}
