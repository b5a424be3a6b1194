#include "files/PuzzleWords.h"

namespace PuzzleWords {

namespace {

int32_t NumberFor(const TGridCell& cell, Direction direction) {
    return direction == Direction::Across ? cell.AcrossNo : cell.DownNo;
}

bool IsSeparator(char c) {
    return c == ' ' || c == '-';
}

} // namespace

std::vector<Cell> Cells(const TFeld& grid, int32_t number, Direction direction) {
    std::vector<Cell> cells;
    if (number <= 0) {
        return cells;
    }
    // The first cell in reading order that carries the number.
    for (int32_t r = 0; r < grid.Rows() && cells.empty(); ++r) {
        for (int32_t c = 0; c < grid.Columns(); ++c) {
            const TGridCell& cell = grid.At(c, r);
            if (cell.Letter != '.' && NumberFor(cell, direction) == number) {
                cells.push_back({c, r});
                break;
            }
        }
    }
    if (cells.empty()) {
        return cells;
    }
    const bool across = direction == Direction::Across;
    for (;;) {
        const Cell last = cells.back();
        const TGridCell& here = grid.At(last.Column, last.Row);
        const Cell next =
            across ? Cell{last.Column + 1, last.Row} : Cell{last.Column, last.Row + 1};
        if (next.Column >= grid.Columns() || next.Row >= grid.Rows() ||
            (across ? here.BarRight : here.BarBelow) == 1) {
            break;
        }
        const TGridCell& following = grid.At(next.Column, next.Row);
        // A black cell ends the word, and so does the start of another word.
        if (following.Letter == '.' || NumberFor(following, direction) != 0) {
            break;
        }
        cells.push_back(next);
    }
    return cells;
}

std::vector<Cell> Cells(const TFeld& grid, const ClueRow& row) {
    if (!row.Dir || !row.OtherNumber.empty()) {
        return {};
    }
    return Cells(grid, row.Number, *row.Dir);
}

std::string Answer(const TFeld& grid, const std::vector<Cell>& cells) {
    std::string answer;
    answer.reserve(cells.size());
    for (const Cell& cell : cells) {
        answer += grid.At(cell.Column, cell.Row).Letter;
    }
    return answer;
}

std::string Enumeration(std::string_view answer) {
    std::string enumeration;
    size_t length = 0;
    bool several = false;
    for (const char c : answer) {
        if (!IsSeparator(c)) {
            ++length;
            continue;
        }
        if (length > 0) {
            enumeration += std::to_string(length) + (c == ' ' ? "," : "-");
            several = true;
        }
        length = 0;
    }
    if (!several || length == 0) {
        return {};
    }
    return enumeration + std::to_string(length);
}

const SolutionMark* MarkAt(const Puzzle& puzzle, int32_t column, int32_t row) {
    for (const SolutionMark& mark : puzzle.ShownMarks()) {
        if (mark.Column == column && mark.Row == row) {
            return &mark;
        }
    }
    return nullptr;
}

} // namespace PuzzleWords
