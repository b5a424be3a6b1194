#include "model/ClueLink.h"

std::optional<ClueLink::Cell> ClueLink::WordStart(const TFeld& grid, int32_t number) {
    for (int32_t c = 0; c < grid.Columns(); ++c) {
        for (int32_t r = 0; r < grid.Rows(); ++r) {
            const TGridCell& cell = grid.At(c, r);
            if (cell.AcrossNo == number || cell.DownNo == number) {
                return Cell{c, r};
            }
        }
    }
    return std::nullopt;
}

int32_t ClueLink::CellNumber(const TFeld& grid, int32_t column, int32_t row) {
    return grid.At(column, row).ShownNumber();
}

int32_t ClueLink::RowOfNumber(const std::vector<ClueRow>& rows, int32_t number) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Number == number) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

int32_t ClueLink::FirstVisibleRow(int32_t row) {
    if (row >= 11) {
        return row - 11;
    }
    if (row >= 4) {
        return row - 4;
    }
    return row;
}
