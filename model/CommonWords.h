#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

// The most common words of the language, most common first, in crossword
// spelling (upper case, AE, OE, UE and SS). The score of a puzzle counts its
// answers among them, and --vary puts them early more often than rare words.
class CommonWords {
public:
    static constexpr size_t Unranked = static_cast<size_t>(-1);

    // One word a line, the most common first; a word named twice keeps its
    // first place.
    static CommonWords Parse(std::string_view list);

    size_t Size() const { return rank_.size(); }
    // The word's place (0 = most common), or Unranked.
    size_t Rank(std::string_view word) const;
    bool Contains(std::string_view word) const { return Rank(word) != Unranked; }

private:
    // Looked up by string_view without a copy of the word.
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, size_t, Hash, std::equal_to<>> rank_;
};
