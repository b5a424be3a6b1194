#include "model/PuzzleStatistics.h"

#include "model/Puzzle.h"

#include <cstdio>

PuzzleStatistics PuzzleStatistics::Count(const Puzzle& puzzle) {
    PuzzleStatistics s;
    s.Rows = puzzle.Rows;
    s.Columns = puzzle.Columns;
    for (int32_t c = 0; c < puzzle.Columns; ++c) {
        for (int32_t r = 0; r < puzzle.Rows; ++r) {
            const TGridCell& cell = puzzle.Grid.At(c, r);
            s.AcrossWords += cell.AcrossNo > 0 ? 1 : 0;
            s.DownWords += cell.DownNo > 0 ? 1 : 0;
            s.Crossings += cell.Mark.IsCrossing() ? 1 : 0;
            s.BlackCells += cell.Letter == '.' ? 1 : 0;
        }
    }
    return s;
}

std::string PuzzleStatistics::PercentText() const {
    long double percent = 0;
    if (Columns > 0 && Rows > 0) {
        percent = static_cast<long double>(static_cast<int64_t>(Crossings) * 100) / Columns / Rows;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%0.2Lf", percent);
    // German decimal comma, whatever locale the C library runs in.
    std::string text(buffer);
    for (char& c : text) {
        if (c != '-' && (c < '0' || c > '9')) {
            c = ',';
        }
    }
    return text;
}
