#pragma once

#include "model/TGridCell.h"

#include <cstdint>
#include <vector>

// The grid type: cells addressed by column first, then row. Every access is
// checked; an index outside the grid throws WabolexError and nothing is read.
class TFeld {
public:
    TFeld() = default;
    TFeld(int32_t columns, int32_t rows);

    // New shape; every cell becomes the empty cell ('.', ' ', 0, 0, no bars).
    void Resize(int32_t columns, int32_t rows);

    int32_t Columns() const { return columns_; }
    int32_t Rows() const { return rows_; }
    bool Contains(int32_t column, int32_t row) const {
        return column >= 0 && column < columns_ && row >= 0 && row < rows_;
    }

    TGridCell& At(int32_t column, int32_t row);
    const TGridCell& At(int32_t column, int32_t row) const;
    TGridCell& operator()(int32_t column, int32_t row) { return At(column, row); }
    const TGridCell& operator()(int32_t column, int32_t row) const { return At(column, row); }

    bool operator==(const TFeld&) const = default;

private:
    void Check(int32_t column, int32_t row) const;

    int32_t columns_ = 0;
    int32_t rows_ = 0;
    std::vector<TGridCell> cells_; // column-major, like the grid's addressing
};
