#include "model/Puzzle.h"

#include <algorithm>

Puzzle::Puzzle() : Grid(StartGridSide, StartGridSide), ClueRows(1) {}

void Puzzle::ResizeGrid(int32_t columns, int32_t rows) {
    Grid.Resize(columns, rows);
    Columns = columns;
    Rows = rows;
}

void Puzzle::ResetGrid() {
    for (int32_t c = 0; c < Columns; ++c) {
        for (int32_t r = 0; r < Rows; ++r) {
            TGridCell& cell = Grid.At(c, r);
            cell = TGridCell{};
            cell.BarRight = (c == Columns - 1) ? 1 : 0;
            cell.BarBelow = (r == Rows - 1) ? 1 : 0;
        }
    }
}

void Puzzle::ClearSolutionMarks() {
    SolutionMarks.fill(SolutionMark{});
}

std::span<const SolutionMark> Puzzle::ShownMarks() const {
    if (!SolutionWordShown) {
        return {};
    }
    const size_t letters = SolutionWord ? SolutionWord->size() : 0;
    return std::span(SolutionMarks).first(std::min(letters, SolutionMarks.size()));
}
