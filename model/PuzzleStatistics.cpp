#include "model/PuzzleStatistics.h"

#include "model/Puzzle.h"

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

int64_t PuzzleStatistics::CrossingHundredths() const {
    // Rounded half up from the exact ratio: binary floating point would round
    // a tie such as 15.625 down to even.
    if (Columns <= 0 || Rows <= 0) {
        return 0;
    }
    const int64_t numerator = static_cast<int64_t>(Crossings) * 10000;
    const int64_t denominator = static_cast<int64_t>(Columns) * Rows;
    return (2 * numerator + denominator) / (2 * denominator);
}
