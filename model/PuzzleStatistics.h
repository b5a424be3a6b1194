#pragma once

#include <cstdint>

class Puzzle;

// The counts the statistics window shows, taken over the current grid.
struct PuzzleStatistics {
    int32_t Rows = 0;
    int32_t Columns = 0;
    int32_t Crossings = 0;   // cells marked '+'
    int32_t BlackCells = 0;  // cells without a letter
    int32_t AcrossWords = 0; // cells with AcrossNo > 0
    int32_t DownWords = 0;   // cells with DownNo > 0

    static PuzzleStatistics Count(const Puzzle& puzzle);

    // Crossings * 100 / Columns / Rows in hundredths of a percent, rounded
    // half up: 1644 for 16.4444, 1563 for 15.625.
    int64_t CrossingHundredths() const;
};
