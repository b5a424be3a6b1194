#pragma once

#include "base/Cp1252.h"
#include "files/ExportOptions.h"
#include "model/Puzzle.h"

#include <string>
#include <vector>

// Small hand-made puzzles for the export and print tests.
namespace SamplePuzzles {

// Letters row by row ('.' = black cell); bars as after a grid reset.
inline Puzzle FromRows(const std::vector<std::string>& rows) {
    Puzzle puzzle;
    puzzle.ResizeGrid(static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size()));
    puzzle.ResetGrid();
    for (int r = 0; r < puzzle.Rows; ++r) {
        for (int c = 0; c < puzzle.Columns; ++c) {
            puzzle.Grid.At(c, r).Letter = rows[r][c];
            puzzle.Grid.At(c, r).Mark = rows[r][c] == '.' ? CellMark() : CellMark::Crossing();
        }
    }
    return puzzle;
}

// A 5 x 5 puzzle: HAUS across (1, also down 1 HOSE), numbers, a bar right of
// cell (1, 2) and one below cell (2, 2), black cells, the solution word "HASE"
// marked in the cells (0, 0), (1, 0), (3, 0) and (3, 1).
inline Puzzle Small() {
    Puzzle puzzle = FromRows({
        "HAUS.",
        "O..E.",
        "SEE..",
        "E.R..",
        ".....",
    });
    puzzle.Grid.At(0, 0).AcrossNo = 1;
    puzzle.Grid.At(0, 0).DownNo = 1;
    puzzle.Grid.At(3, 0).DownNo = 2;
    puzzle.Grid.At(0, 2).AcrossNo = 3;
    puzzle.Grid.At(2, 2).DownNo = 4;
    puzzle.Grid.At(1, 2).BarRight = 1;
    puzzle.Grid.At(2, 2).BarBelow = 1;
    puzzle.ClueRows = {ClueRow::Of(1, Direction::Across, W("Wohngebäude")),
                       ClueRow::Of(1, Direction::Down, "Beinkleid"),
                       ClueRow::Of(2, Direction::Down, W("Gewässer")),
                       ClueRow::Of(3, Direction::Across, W("Binnengewässer")),
                       ClueRow::Of(4, Direction::Down, "Erbse")};
    puzzle.SolutionMarks[0] = {0, 0, 1}; // H
    puzzle.SolutionMarks[1] = {1, 0, 2}; // A
    puzzle.SolutionMarks[2] = {3, 0, 3}; // S
    puzzle.SolutionMarks[3] = {3, 1, 4}; // E
    puzzle.SolutionWord = "HASE";
    puzzle.SolutionWordShown = true;
    return puzzle;
}

// What an export of Small() carries: it came from the table "Tiere.db".
inline ExportOptions SmallOptions() {
    ExportOptions options;
    options.SourceName = "Tiere.db";
    return options;
}

// A grid of the given size full of letters, every cell numbered.
inline Puzzle Full(int columns, int rows) {
    Puzzle puzzle = FromRows(std::vector<std::string>(rows, std::string(columns, 'A')));
    int number = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            puzzle.Grid.At(c, r).AcrossNo = ++number;
        }
    }
    return puzzle;
}

} // namespace SamplePuzzles
