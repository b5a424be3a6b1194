#include "model/Numbering.h"

#include "model/Puzzle.h"

#include <algorithm>
#include <string>

namespace {

int32_t WordLength(const Puzzle& puzzle, int32_t entry) {
    // At least one step, so that the walk always moves on.
    return std::max<int32_t>(1, puzzle.Entry(entry).GridLength());
}

// Walks each line of the direction cell by cell outside words and jumps over
// each word from its start, closing the far edge of every cell outside a word;
// the last cell of a line carries the border bar already.
void CompleteBarsAlong(Puzzle& puzzle, Direction direction) {
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
                at += WordLength(puzzle,
                                 across ? puzzle.AcrossWordAt(number) : puzzle.DownWordAt(number));
            }
        } while (at <= length - 2);
    }
}

} // namespace

void Numbering::NumberWords(Puzzle& puzzle) {
    int32_t number = 0;
    for (int32_t row = 0; row < puzzle.Rows; ++row) {
        for (int32_t column = 0; column < puzzle.Columns; ++column) {
            TGridCell& cell = puzzle.Grid.At(column, row);
            if (cell.AcrossNo <= 0 && cell.DownNo <= 0) {
                continue;
            }
            ++number;
            if (cell.AcrossNo > 0) {
                puzzle.AcrossWordAt(number) = cell.AcrossNo;
                cell.AcrossNo = number;
            }
            if (cell.DownNo > 0) {
                puzzle.DownWordAt(number) = cell.DownNo;
                cell.DownNo = number;
            }
        }
    }
}

void Numbering::CompleteBars(Puzzle& puzzle) {
    CompleteBarsAlong(puzzle, Direction::Across);
    CompleteBarsAlong(puzzle, Direction::Down);
}

void Numbering::FillClueList(Puzzle& puzzle) {
    std::vector<ClueRow> rows;
    for (int32_t n = 0; n < puzzle.CellCount; ++n) {
        if (puzzle.AcrossWordAt(n) > 0) {
            rows.push_back(
                ClueRow::Of(n, Direction::Across, puzzle.Entry(puzzle.AcrossWordAt(n)).Clue));
        }
        if (puzzle.DownWordAt(n) > 0) {
            rows.push_back(
                ClueRow::Of(n, Direction::Down, puzzle.Entry(puzzle.DownWordAt(n)).Clue));
        }
    }
    if (rows.empty()) {
        rows.emplace_back(); // the list shows one empty row, as before any puzzle
    }
    puzzle.ClueRows = std::move(rows);
}
