#pragma once

#include "model/ClueRow.h"
#include "model/TFeld.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The link between the clue list and the grid, both ways: which cell starts the
// word of a clue number, which list row belongs to a pressed cell, and how far
// the list scrolls so that the row is in view.
class ClueLink {
public:
    struct Cell {
        int32_t Column = 0;
        int32_t Row = 0;
    };

    // The first cell, column by column and top to bottom, whose across or down
    // number is n.
    static std::optional<Cell> WordStart(const TFeld& grid, int32_t number);

    // The number a press on this cell selects: the across number, else the down number.
    static int32_t CellNumber(const TFeld& grid, int32_t column, int32_t row);

    // The first list row with clue number n, or -1.
    static int32_t RowOfNumber(const std::vector<ClueRow>& rows, int32_t number);

    // The list's first visible row after selecting row r: enough rows above it
    // to see some context, without scrolling short lists.
    static int32_t FirstVisibleRow(int32_t row);
};
