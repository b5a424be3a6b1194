#pragma once

#include "model/Direction.h"
#include "model/Placement.h"
#include "model/TFeld.h"
#include "model/WordIndex.h"

#include <array>
#include <cstdint>
#include <vector>

// The slots of the grid a word of the index could still take, kept up to date
// placement by placement. A slot is a direction, a line (the row of an across
// word, the column of a down word), a start position along it and a length. It
// is open when none of its cells carries a word of its direction, it is not
// fenced in, and it crosses at least one (or two) words of the other direction:
// a cell holding such a word's letter alone. Those crossing letters are the
// slot's pattern; a word of the index may take the slot exactly when its letters
// agree with the pattern.
//
// Slots only ever close (cells get taken, bars fence them in) or gain crossings,
// so a slot that closed never opens again and the words that fit an open slot
// only become fewer.
class OpenSlots {
public:
    // Start positions along a line, one bit each.
    using Bits = unsigned __int128;
    static constexpr int32_t MaxLength = WordIndex::MaxLength;

    // Whether a grid of this size fits the bit sets (a settings grid always does).
    static constexpr bool Holds(int32_t columns, int32_t rows) {
        return columns >= 1 && rows >= 1 && columns <= 127 && rows <= 127;
    }

    // The slots of the grid as it is; its size must be one that Holds.
    explicit OpenSlots(const TFeld& grid);

    int32_t Columns() const { return columns_; }
    int32_t Rows() const { return rows_; }
    // Rows for across, columns for down; and the cells along one of them.
    int32_t Lines(Direction direction) const {
        return direction == Direction::Across ? rows_ : columns_;
    }
    int32_t LineLength(Direction direction) const {
        return direction == Direction::Across ? columns_ : rows_;
    }

    // The start positions of the open slots of the length along the line with at
    // least minCrossings (1 or 2) crossings.
    Bits Open(Direction direction, int32_t line, int32_t length, int32_t minCrossings) const {
        return open_[Index(direction, line, length)][minCrossings >= 2 ? 1 : 0];
    }

    // The crossing letters of a slot.
    WordPattern PatternAt(Direction direction, int32_t line, int32_t start, int32_t length) const;

    // A slot that has just opened, for one of the two crossing counts.
    struct Opened {
        Direction Dir;
        int32_t Line;
        int32_t Length;
        int32_t MinCrossings;
        Bits Starts;
    };
    // Reads the cells a placement changed back from the grid (the word's cells and
    // the one before and after it, whose bars may have changed) and returns the
    // slots that opened.
    std::vector<Opened> Update(const TFeld& grid, const Placement& placed);

private:
    // What one line needs from its cells, one bit per cell.
    struct LineCells {
        Bits Taken = 0;     // a word of the line's direction passes through
        Bits Crossable = 0; // only a word of the other direction, with a letter
        Bits Fenced = 0;    // bars (or the top/left border) on both long sides
    };

    size_t Index(Direction direction, int32_t line, int32_t length) const {
        return (static_cast<size_t>(direction) * static_cast<size_t>(maxLines_) +
                static_cast<size_t>(line)) *
                   (MaxLength + 1) +
               static_cast<size_t>(length);
    }
    LineCells& Cells(Direction direction, int32_t line) {
        return cells_[static_cast<size_t>(direction)][static_cast<size_t>(line)];
    }
    // Sets the bits that depend on the cell in its row and in its column.
    void ReadCell(const TFeld& grid, int32_t column, int32_t row);
    // Computes the open slots of every length along a line; appends what opened.
    void ComputeLine(Direction direction, int32_t line, std::vector<Opened>* opened);

    int32_t columns_ = 0;
    int32_t rows_ = 0;
    int32_t maxLines_ = 0;
    std::vector<char> letters_; // row by row
    std::array<std::vector<LineCells>, 2> cells_;
    std::vector<std::array<Bits, 2>> open_; // per direction, line and length: 1 and 2 crossings
};
