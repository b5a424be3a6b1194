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

std::string PuzzleStatistics::PercentText() const {
    // Hundredths of a percent, rounded half up from the exact ratio: binary
    // floating point would round a tie such as 15.625 down to even.
    int64_t hundredths = 0;
    if (Columns > 0 && Rows > 0) {
        const int64_t numerator = static_cast<int64_t>(Crossings) * 10000;
        const int64_t denominator = static_cast<int64_t>(Columns) * Rows;
        hundredths = (2 * numerator + denominator) / (2 * denominator);
    }
    const std::string fraction = std::to_string(hundredths % 100);
    // German decimal comma, whatever locale the C library runs in.
    return std::to_string(hundredths / 100) + "," + (fraction.size() < 2 ? "0" : "") + fraction;
}
