#pragma once

#include <cstdint>
#include <string>

// One word of the vocabulary (Windows-1252 texts).
struct TWordEntry {
    static constexpr size_t MaxWordLength = 15;
    static constexpr size_t MaxClueLength = 50;

    std::string Word;      // at most 15 characters; its length is its length in the grid
    std::string Clue;      // at most 50 characters
    uint8_t Available = 0; // 1 while the word may still be placed in the running generation

    bool operator==(const TWordEntry&) const = default;
};
