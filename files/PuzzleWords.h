#pragma once

#include "model/ClueRow.h"
#include "model/Puzzle.h"
#include "model/SolutionMark.h"
#include "model/TFeld.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The words behind a puzzle's clue rows, read from the grid: the cell that
// carries the clue number for the row's direction, then on to the right or
// downwards until a bar, a black cell or the grid's edge. What web pages and
// puzzle sheets need to select, reveal and describe an answer.
namespace PuzzleWords {

struct Cell {
    int32_t Column = 0;
    int32_t Row = 0;
    bool operator==(const Cell&) const = default;
};

// The word's cells from its first letter; empty when no cell carries the
// number for that direction (a row a file gave without a word in the grid).
std::vector<Cell> Cells(const TFeld& grid, int32_t number, Direction direction);
// The same for a clue row; empty for a row without number or direction.
std::vector<Cell> Cells(const TFeld& grid, const ClueRow& row);

// The letters in those cells (Windows-1252).
std::string Answer(const TFeld& grid, const std::vector<Cell>& cells);

// How an answer of several words divides: "4,4" for "ROTE BETE", "5-4" for
// "RHEIN-MAIN" (the separators are cells of the word too); empty for one word.
std::string Enumeration(std::string_view answer);

// The shown solution-word mark in the cell, or nullptr.
const SolutionMark* MarkAt(const Puzzle& puzzle, int32_t column, int32_t row);

} // namespace PuzzleWords
