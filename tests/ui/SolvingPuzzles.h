#pragma once

// Small hand-made puzzles for the solving and file tests of the main window.

#include "base/Cp1252.h"
#include "model/ClueRow.h"
#include "model/Puzzle.h"

#include <string>

namespace SolvingPuzzles {

// 5 x 5:   H A U S .      1 across HAUS, 1 down HOF, 2 down SEE;
//          O . . E .      everything else black.
//          F . . E .
inline void MakeSmall(Puzzle& p) {
    p.ResizeGrid(5, 5);
    p.ResetGrid();
    auto put = [&](int c, int r, char letter, char mark) {
        p.Grid.At(c, r).Letter = letter;
        p.Grid.At(c, r).Mark = CellMark::FromChar(mark).value();
    };
    put(0, 0, 'H', '+');
    put(1, 0, 'A', '-');
    put(2, 0, 'U', '-');
    put(3, 0, 'S', '+');
    put(0, 1, 'O', '|');
    put(0, 2, 'F', '|');
    put(3, 1, 'E', '|');
    put(3, 2, 'E', '|');
    p.Grid.At(0, 0).AcrossNo = 1;
    p.Grid.At(0, 0).DownNo = 1;
    p.Grid.At(3, 0).DownNo = 2;
    p.Grid.At(3, 0).BarRight = 1;
    p.Grid.At(0, 2).BarBelow = 1;
    p.ClueRows = {ClueRow::Of(1, Direction::Across, W("Gebäude")),
                  ClueRow::Of(1, Direction::Down, "Bauernhof"),
                  ClueRow::Of(2, Direction::Down, W("Gewässer * mit Stern"))};
    p.ClearSolutionMarks();
}

// 5 x 60: every row holds a two-letter across word "AB" numbered row + 1, so
// the clue list has 60 rows, row r for the word in grid row r.
inline void MakeTall(Puzzle& p) {
    p.ResizeGrid(5, 60);
    p.ResetGrid();
    p.ClueRows.clear();
    for (int r = 0; r < 60; ++r) {
        p.Grid.At(0, r).Letter = 'A';
        p.Grid.At(1, r).Letter = 'B';
        p.Grid.At(0, r).Mark = CellMark::Of(Direction::Across);
        p.Grid.At(1, r).Mark = CellMark::Of(Direction::Across);
        p.Grid.At(0, r).AcrossNo = r + 1;
        p.ClueRows.push_back(
            ClueRow::Of(r + 1, Direction::Across, "Clue " + std::to_string(r + 1)));
    }
    p.ClearSolutionMarks();
}

} // namespace SolvingPuzzles
