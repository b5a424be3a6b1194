#pragma once

#include "GenerationSettings.h"
#include "Puzzle.h"
#include "RandomSource.h"
#include "UserDialogs.h"

#include <cstdint>
#include <string>

// How a run of "&Generieren" ended.
enum class GenerationOutcome {
    NotRun,                 // refused before changing anything, or stopped with a message
    Generated,              // a numbered puzzle with its clue rows (and solution word if asked)
    SolutionWordNotFound,   // generated, but the solution word could not be placed
};

// The generator: the run of "&Generieren" and its placement search.
class Generator {
public:
    Generator(Puzzle& puzzle, UserDialogs& dialogs, RandomSource& random);

    GenerationOutcome RGenerieren(const GenerationSettings& settings);

    // Is the entry's word strictly shorter than the grid side of the direction?
    bool WordFits(int32_t entry, int32_t direction) const;
    // Would the word lie between bars (or the top/left border) on both long sides?
    bool IsFenced(int32_t column, int32_t row, int32_t length, int32_t direction) const;

    struct Anchor {
        int32_t Column = 0;
        int32_t Row = 0;
        int32_t Length = 0;
    };
    // Scans the window rows outermost, columns inside; commits the first acceptable
    // position. Returns Found. confirm is cleared by a Cancel answer.
    bool PlaceWord(const std::string& word, int32_t index, int32_t length, int32_t minCrossings,
                   int32_t columnFrom, int32_t columnTo, int32_t rowFrom, int32_t rowTo,
                   bool& confirm, int32_t& direction, Anchor& anchor);

private:
    Puzzle& puzzle_;
    UserDialogs& dialogs_;
    RandomSource& random_;
};
