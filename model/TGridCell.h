#pragma once

#include "model/CellMark.h"

#include <cstdint>

// One cell of the puzzle grid.
struct TGridCell {
    char Letter = '.'; // '.' = no letter, a black cell
    CellMark Mark;     // which words pass through the cell
    int32_t AcrossNo =
        0;              // start of an across word: word-list index, after numbering the clue number
    int32_t DownNo = 0; // the same for a down word
    uint8_t BarBelow = 0; // bar on the bottom edge
    uint8_t BarRight = 0; // bar on the right edge

    // The number drawn in the cell: the across number wins where both words start.
    int32_t ShownNumber() const { return AcrossNo != 0 ? AcrossNo : DownNo; }

    bool operator==(const TGridCell&) const = default;
};
