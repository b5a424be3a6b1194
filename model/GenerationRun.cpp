#include "model/GenerationRun.h"

#include "base/WabolexError.h"

namespace {

size_t Twice(int32_t index, Direction direction) {
    return 2 * static_cast<size_t>(index) + static_cast<size_t>(direction);
}

} // namespace

GenerationRun::GenerationRun(const Vocabulary& words, int32_t columns, int32_t rows)
    : Words(words), Available(static_cast<size_t>(words.WordCount()) + 1, 1), columns_(columns),
      rows_(rows), starts_(2 * static_cast<size_t>(columns) * static_cast<size_t>(rows), 0),
      numbered_(starts_.size(), 0) {}

int32_t& GenerationRun::StartAt(int32_t column, int32_t row, Direction direction) {
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_) {
        ThrowOutOfRange("Wortanfang", column * rows_ + row, CellCount() - 1);
    }
    return starts_[Twice(column * rows_ + row, direction)];
}

int32_t GenerationRun::StartAt(int32_t column, int32_t row, Direction direction) const {
    return const_cast<GenerationRun*>(this)->StartAt(column, row, direction);
}

int32_t& GenerationRun::WordAt(int32_t number, Direction direction) {
    if (number < 0 || number >= CellCount()) {
        ThrowOutOfRange(direction == Direction::Across ? "AcrossWord" : "DownWord", number,
                   CellCount() - 1);
    }
    return numbered_[Twice(number, direction)];
}

int32_t GenerationRun::WordAt(int32_t number, Direction direction) const {
    return const_cast<GenerationRun*>(this)->WordAt(number, direction);
}
