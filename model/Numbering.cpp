#include "model/Numbering.h"

#include "model/GenerationRun.h"
#include "model/Puzzle.h"

#include <algorithm>
#include <string>

namespace {

int32_t WordLength(const GenerationRun& run, int32_t entry) {
    // At least one step, so that the walk always moves on.
    return std::max<int32_t>(1, run.Words.Entry(entry).GridLength());
}

// Walks each line of the direction cell by cell outside words and jumps over
// each word from its start, closing the far edge of every cell outside a word;
// the last cell of a line carries the border bar already.
void CompleteBarsAlong(Puzzle& puzzle, const GenerationRun& run, Direction direction) {
    const bool across = direction == Direction::Across;
    const int32_t lines = across ? puzzle.Rows : puzzle.Columns;
    const int32_t length = across ? puzzle.Columns : puzzle.Rows;
    for (int32_t line = 0; line < lines; ++line) {
        int32_t at = 0;
        do {
            TGridCell& cell = across ? puzzle.Grid.At(at, line) : puzzle.Grid.At(line, at);
            const int32_t number = across ? cell.AcrossNo : cell.DownNo;
            if (number == 0) {
                (across ? cell.BarRight : cell.BarBelow) = 1;
                ++at;
            } else {
                at += WordLength(run, run.WordAt(number, direction));
            }
        } while (at <= length - 2);
    }
}

} // namespace

void Numbering::NumberWords(Puzzle& puzzle, GenerationRun& run) {
    int32_t number = 0;
    for (int32_t row = 0; row < puzzle.Rows; ++row) {
        for (int32_t column = 0; column < puzzle.Columns; ++column) {
            TGridCell& cell = puzzle.Grid.At(column, row);
            const int32_t across = run.StartAt(column, row, Direction::Across);
            const int32_t down = run.StartAt(column, row, Direction::Down);
            cell.AcrossNo = 0;
            cell.DownNo = 0;
            if (across <= 0 && down <= 0) {
                continue;
            }
            ++number;
            if (across > 0) {
                run.WordAt(number, Direction::Across) = across;
                cell.AcrossNo = number;
            }
            if (down > 0) {
                run.WordAt(number, Direction::Down) = down;
                cell.DownNo = number;
            }
        }
    }
}

void Numbering::CompleteBars(Puzzle& puzzle, const GenerationRun& run) {
    CompleteBarsAlong(puzzle, run, Direction::Across);
    CompleteBarsAlong(puzzle, run, Direction::Down);
}

void Numbering::FillClueList(Puzzle& puzzle, const GenerationRun& run) {
    std::vector<ClueRow> rows;
    for (int32_t n = 0; n < run.CellCount(); ++n) {
        for (const Direction direction : {Direction::Across, Direction::Down}) {
            if (const int32_t entry = run.WordAt(n, direction); entry > 0) {
                rows.push_back(ClueRow::Of(n, direction, std::string(run.Words.Entry(entry).Clue)));
            }
        }
    }
    if (rows.empty()) {
        rows.emplace_back(); // the list shows one empty row, as before any puzzle
    }
    puzzle.ClueRows = std::move(rows);
}
