#pragma once

#include "model/Direction.h"

#include <algorithm>
#include <cstdint>

// A word written into the grid: the entry placed, its first cell, its length and
// its direction. The newest one is the driver's anchor.
struct Placement {
    int32_t Entry = 0;
    int32_t Column = 0;
    int32_t Row = 0;
    int32_t Length = 0;
    Direction Dir = Direction::Across;

    bool operator==(const Placement&) const = default;
};

// The start cells a placement may use, both ends included.
struct StartWindow {
    int32_t ColumnFrom = 0;
    int32_t ColumnTo = -1;
    int32_t RowFrom = 0;
    int32_t RowTo = -1;

    bool IsEmpty() const { return ColumnTo < ColumnFrom || RowTo < RowFrom; }
    bool operator==(const StartWindow&) const = default;
};

// The chain step's window for a word of this length around the anchor: the
// positions that cross the anchor word, and per line of it one more whose word
// ends right before it. The far end is limited to the grid: it can pass it when
// the anchor lies in the current direction.
inline StartWindow ChainWindow(const Placement& anchor, int32_t length, Direction direction,
                               int32_t columns, int32_t rows) {
    if (direction == Direction::Across) {
        return {std::max(anchor.Column - length, 0), std::min(anchor.Column, columns - length),
                anchor.Row, std::min(anchor.Row + anchor.Length - 1, rows - 1)};
    }
    return {anchor.Column, std::min(anchor.Column + anchor.Length - 1, columns - 1),
            std::max(anchor.Row - length, 0), std::min(anchor.Row, rows - length)};
}

// Every position of the grid where a word of this length fits in the direction.
inline StartWindow WholeGridWindow(int32_t length, Direction direction, int32_t columns,
                                   int32_t rows) {
    return direction == Direction::Across ? StartWindow{0, columns - length, 0, rows - 1}
                                          : StartWindow{0, columns - 1, 0, rows - length};
}

// The part of a window whose words lie inside the grid.
inline StartWindow InsideGrid(const StartWindow& window, int32_t length, Direction direction,
                              int32_t columns, int32_t rows) {
    const bool across = direction == Direction::Across;
    return {std::max(window.ColumnFrom, 0),
            std::min(window.ColumnTo, columns - (across ? length : 1)), std::max(window.RowFrom, 0),
            std::min(window.RowTo, rows - (across ? 1 : length))};
}
