#pragma once

#include "model/Direction.h"
#include "model/TFeld.h"

#include <cstdint>
#include <optional>

// Solving on screen: what the user has typed and the counts the solver's info
// window shows. Built afresh by each start of solving; it keeps its values when
// solving ends.
struct SolvingSession {
    // The solver's entries, in a copy of the puzzle grid: '.' a black cell, ' '
    // an empty letter cell, else the typed character.
    TFeld SolverGrid;
    int32_t Attempts = 0;     // keys on letter cells since solving started
    int32_t CorrectCount = 0; // entries equal to their solution letter
    int32_t LetterCount = 0;  // letter cells of the grid
    // After a typed letter the current cell moves one cell this way (none: it stays).
    std::optional<Direction> TypingDirection;
};
