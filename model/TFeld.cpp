#include "model/TFeld.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"

#include <string>

TFeld::TFeld(int32_t columns, int32_t rows) {
    Resize(columns, rows);
}

void TFeld::Resize(int32_t columns, int32_t rows) {
    if (columns < 0 || rows < 0) {
        throw WabolexError(W("Ungültige Gittergröße ") + std::to_string(columns) + "x" +
                           std::to_string(rows));
    }
    columns_ = columns;
    rows_ = rows;
    cells_.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), TGridCell{});
}

void TFeld::Check(int32_t column, int32_t row) const {
    if (!Contains(column, row)) {
        throw WabolexError(W("Bereichsüberschreitung: Feld (") + std::to_string(column) + ", " +
                           std::to_string(row) + W(") liegt außerhalb des Gitters ") +
                           std::to_string(columns_) + "x" + std::to_string(rows_));
    }
}

TGridCell& TFeld::At(int32_t column, int32_t row) {
    Check(column, row);
    return cells_[static_cast<size_t>(column) * rows_ + row];
}

const TGridCell& TFeld::At(int32_t column, int32_t row) const {
    Check(column, row);
    return cells_[static_cast<size_t>(column) * rows_ + row];
}
