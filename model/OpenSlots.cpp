#include "model/OpenSlots.h"

#include <algorithm>

namespace {

using Bits = OpenSlots::Bits;

Bits Bit(int32_t position) {
    return Bits{1} << position;
}

void Assign(Bits& bits, int32_t position, bool on) {
    bits = on ? (bits | Bit(position)) : (bits & ~Bit(position));
}

} // namespace

OpenSlots::OpenSlots(const TFeld& grid)
    : columns_(grid.Columns()), rows_(grid.Rows()), maxLines_(std::max(columns_, rows_)),
      letters_(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), '.'),
      open_(2 * static_cast<size_t>(maxLines_) * (MaxLength + 1)) {
    cells_[static_cast<size_t>(Direction::Across)].resize(static_cast<size_t>(rows_));
    cells_[static_cast<size_t>(Direction::Down)].resize(static_cast<size_t>(columns_));
    for (int32_t row = 0; row < rows_; ++row) {
        for (int32_t column = 0; column < columns_; ++column) {
            ReadCell(grid, column, row);
        }
    }
    for (const Direction direction : {Direction::Across, Direction::Down}) {
        for (int32_t line = 0; line < Lines(direction); ++line) {
            ComputeLine(direction, line, nullptr);
        }
    }
}

void OpenSlots::ReadCell(const TFeld& grid, int32_t column, int32_t row) {
    const TGridCell& cell = grid.At(column, row);
    letters_[static_cast<size_t>(row) * static_cast<size_t>(columns_) +
             static_cast<size_t>(column)] = cell.Letter;
    const bool fencedAcross =
        (row == 0 || grid.At(column, row - 1).BarBelow != 0) && cell.BarBelow != 0;
    const bool fencedDown =
        (column == 0 || grid.At(column - 1, row).BarRight != 0) && cell.BarRight != 0;
    for (const Direction direction : {Direction::Across, Direction::Down}) {
        const bool across = direction == Direction::Across;
        LineCells& line = Cells(direction, across ? row : column);
        const int32_t position = across ? column : row;
        Assign(line.Taken, position, cell.Mark.Carries(direction));
        Assign(line.Crossable, position, cell.Mark.IsOnly(Other(direction)) && cell.Letter != '.');
        Assign(line.Fenced, position, across ? fencedAcross : fencedDown);
    }
}

void OpenSlots::ComputeLine(Direction direction, int32_t line, std::vector<Opened>* opened) {
    const LineCells& cells = Cells(direction, line);
    const int32_t side = LineLength(direction);
    // Growing the length by one cell at a time: any cell taken, every cell fenced,
    // at least one and at least two crossable cells among the slot's cells. The
    // cells' bits move one place per length, so that bit p stands for start p.
    Bits taken = 0;
    Bits fenced = ~Bits{0};
    Bits one = 0;
    Bits two = 0;
    Bits nextTaken = cells.Taken;
    Bits nextFenced = cells.Fenced;
    Bits nextCrossable = cells.Crossable;
    // A word as long as the line fits nowhere: such lengths stay without slots.
    for (int32_t length = 1; length <= MaxLength && length < side; ++length) {
        taken |= nextTaken;
        fenced &= nextFenced;
        two |= one & nextCrossable;
        one |= nextCrossable;
        nextTaken >>= 1;
        nextFenced >>= 1;
        nextCrossable >>= 1;
        const Bits starts = Bit(side - length + 1) - 1;
        const Bits free = starts & ~taken & ~fenced;
        std::array<Bits, 2>& open = open_[Index(direction, line, length)];
        const std::array<Bits, 2> now = {free & one, free & two};
        if (opened != nullptr) {
            for (int32_t c = 0; c < 2; ++c) {
                const Bits added = now[static_cast<size_t>(c)] & ~open[static_cast<size_t>(c)];
                if (added != 0) {
                    opened->push_back({direction, line, length, c + 1, added});
                }
            }
        }
        open = now;
    }
}

WordPattern OpenSlots::PatternAt(Direction direction, int32_t line, int32_t start,
                                 int32_t length) const {
    WordPattern pattern;
    pattern.Length = length;
    const bool across = direction == Direction::Across;
    const size_t step = across ? 1 : static_cast<size_t>(columns_);
    size_t at = across ? static_cast<size_t>(line) * static_cast<size_t>(columns_) +
                             static_cast<size_t>(start)
                       : static_cast<size_t>(start) * static_cast<size_t>(columns_) +
                             static_cast<size_t>(line);
    for (int32_t k = 0; k < length; ++k, at += step) {
        if (letters_[at] != '.') {
            pattern.Add(k, letters_[at]);
        }
    }
    return pattern;
}

std::vector<OpenSlots::Opened> OpenSlots::Update(const TFeld& grid, const Placement& placed) {
    const bool across = placed.Dir == Direction::Across;
    // The word's cells and one before and after it, along its line.
    const int32_t from = (across ? placed.Column : placed.Row) - 1;
    const int32_t to = (across ? placed.Column : placed.Row) + placed.Length;
    const int32_t line = across ? placed.Row : placed.Column;
    const int32_t first = std::max(from, 0);
    const int32_t last = std::min(to, LineLength(placed.Dir) - 1);
    for (int32_t position = first; position <= last; ++position) {
        if (across) {
            ReadCell(grid, position, line);
        } else {
            ReadCell(grid, line, position);
        }
    }
    std::vector<Opened> opened;
    ComputeLine(placed.Dir, line, &opened);
    for (int32_t position = first; position <= last; ++position) {
        ComputeLine(Other(placed.Dir), position, &opened);
    }
    return opened;
}
