#include "model/Numbering.h"

#include "model/Puzzle.h"

#include <algorithm>
#include <string>

namespace {

int32_t WordLength(const Puzzle& puzzle, int32_t entry) {
    // At least one step, so that the walk always moves on.
    return std::max<int32_t>(1, puzzle.Entry(entry).GridLength());
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
    // Walk each line cell by cell outside words and jump over each word from its
    // start; the last cell of a line carries the border bar already.
    for (int32_t row = 0; row < puzzle.Rows; ++row) {
        int32_t column = 0;
        do {
            TGridCell& cell = puzzle.Grid.At(column, row);
            if (cell.AcrossNo == 0) {
                cell.BarRight = 1;
                ++column;
            } else {
                column += WordLength(puzzle, puzzle.AcrossWordAt(cell.AcrossNo));
            }
        } while (column <= puzzle.Columns - 2);
    }
    for (int32_t column = 0; column < puzzle.Columns; ++column) {
        int32_t row = 0;
        do {
            TGridCell& cell = puzzle.Grid.At(column, row);
            if (cell.DownNo == 0) {
                cell.BarBelow = 1;
                ++row;
            } else {
                row += WordLength(puzzle, puzzle.DownWordAt(cell.DownNo));
            }
        } while (row <= puzzle.Rows - 2);
    }
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
