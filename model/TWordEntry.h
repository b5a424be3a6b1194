#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One record of a vocabulary table: the word and its clue (Windows-1252 texts).
struct TWordEntry {
    static constexpr size_t MaxWordLength = 15;
    static constexpr size_t MaxClueLength = 50;

    std::string Word; // at most 15 characters; its length is its length in the grid
    std::string Clue; // at most 50 characters

    // The word as the grid holds it: its first 15 characters.
    std::string_view GridWord() const { return std::string_view(Word).substr(0, MaxWordLength); }
    int32_t GridLength() const { return static_cast<int32_t>(GridWord().size()); }
    // '.' stands for a black cell in the grid: a word holding one would put
    // black cells inside itself. Such a word is a fault of its table.
    bool HoldsBlackCell() const { return Word.find('.') != std::string::npos; }

    bool operator==(const TWordEntry&) const = default;
};
