#include "model/WordPlacer.h"

WordPlacer::WordPlacer(Puzzle& puzzle, GenerationRun& run, UserDialogs& dialogs,
                       RandomSource& random)
    : puzzle_(puzzle), run_(run), dialogs_(dialogs), random_(random) {}

bool WordPlacer::WordFits(int32_t entry, Direction direction) const {
    const int32_t length = run_.Words.Entry(entry).GridLength();
    if (length == 0) {
        return false;
    }
    return direction == Direction::Down ? length < puzzle_.Rows : length < puzzle_.Columns;
}

bool WordPlacer::IsFenced(int32_t column, int32_t row, int32_t length, Direction direction) const {
    const TFeld& grid = puzzle_.Grid;
    if (direction == Direction::Across) {
        for (int32_t k = 0; k < length; ++k) {
            if ((row > 0 && grid.At(column + k, row - 1).BarBelow == 0) ||
                grid.At(column + k, row).BarBelow == 0) {
                return false;
            }
        }
        return true;
    }
    for (int32_t k = 0; k < length; ++k) {
        if ((column > 0 && grid.At(column - 1, row + k).BarRight == 0) ||
            grid.At(column, row + k).BarRight == 0) {
            return false;
        }
    }
    return true;
}

std::optional<Placement> WordPlacer::PlaceWord(int32_t entry, int32_t minCrossings,
                                               const StartWindow& window, Direction direction,
                                               bool propose) {
    if (window.IsEmpty()) {
        return std::nullopt;
    }
    const std::string_view word = run_.Words.Entry(entry).GridWord();
    const auto length = static_cast<int32_t>(word.size());
    if (length < 1) {
        return std::nullopt;
    }
    const StartWindow inside = InsideGrid(window, length, direction, puzzle_.Columns, puzzle_.Rows);
    for (int32_t row = inside.RowFrom; row <= inside.RowTo; ++row) {
        for (int32_t column = inside.ColumnFrom; column <= inside.ColumnTo; ++column) {
            if (!Acceptable(word, column, row, minCrossings, direction)) {
                continue;
            }
            if (propose && !Propose(entry, column, row, direction)) {
                continue;
            }
            return Commit(entry, column, row, direction);
        }
    }
    return std::nullopt;
}

int32_t WordPlacer::CountCrossings(std::string_view word, int32_t column, int32_t row,
                                   Direction direction) const {
    const TFeld& grid = puzzle_.Grid;
    const Direction other = Other(direction);
    int32_t crossings = 0;
    for (size_t k = 0; k < word.size(); ++k) {
        const auto offset = static_cast<int32_t>(k);
        const TGridCell& cell = direction == Direction::Across ? grid.At(column + offset, row)
                                                               : grid.At(column, row + offset);
        const char letter = word[k];
        if (cell.Letter == letter && cell.Mark.IsOnly(other)) {
            ++crossings;
        }
        if ((cell.Letter != '.' && cell.Letter != letter) || cell.Mark.Carries(direction)) {
            return -1;
        }
    }
    return crossings;
}

bool WordPlacer::Acceptable(std::string_view word, int32_t column, int32_t row,
                            int32_t minCrossings, Direction direction) const {
    const int32_t crossings = CountCrossings(word, column, row, direction);
    return crossings >= 0 && crossings >= minCrossings &&
           !IsFenced(column, row, static_cast<int32_t>(word.size()), direction);
}

bool WordPlacer::Acceptable(int32_t entry, int32_t column, int32_t row, int32_t minCrossings,
                            Direction direction) const {
    const std::string_view word = run_.Words.Entry(entry).GridWord();
    const auto length = static_cast<int32_t>(word.size());
    const StartWindow inside = InsideGrid(StartWindow{column, column, row, row}, length, direction,
                                          puzzle_.Columns, puzzle_.Rows);
    return length >= 1 && !inside.IsEmpty() &&
           Acceptable(word, column, row, minCrossings, direction);
}

bool WordPlacer::Propose(int32_t entry, int32_t column, int32_t row, Direction direction) {
    TFeld& grid = puzzle_.Grid;
    const TFeld saved = grid;
    const std::string_view word = run_.Words.Entry(entry).GridWord();
    const auto length = static_cast<int32_t>(word.size());
    for (int32_t k = 0; k < length; ++k) {
        TGridCell& cell =
            direction == Direction::Across ? grid.At(column + k, row) : grid.At(column, row + k);
        cell.Letter = word[static_cast<size_t>(k)];
    }
    int32_t selectColumn = column;
    int32_t selectRow = row;
    if (direction == Direction::Across) {
        selectColumn = column + length < puzzle_.Columns ? column + length : puzzle_.Columns - 1;
    } else {
        selectRow = row + length < puzzle_.Rows ? row + length : puzzle_.Rows - 1;
    }
    UserDialogs::Answer answer = UserDialogs::Answer::No;
    try {
        dialogs_.Repaint();
        answer = dialogs_.ConfirmPlacement(direction, run_.Words.Entry(entry).Word, selectColumn,
                                           selectRow);
    } catch (...) {
        grid = saved; // no half-proposed letters without marks stay behind
        throw;
    }
    if (answer == UserDialogs::Answer::No) {
        grid = saved;
        dialogs_.Repaint();
        return false;
    }
    if (answer == UserDialogs::Answer::Cancel) {
        run_.ConfirmInsertions = false;
    }
    return true;
}

Placement WordPlacer::Commit(int32_t entry, int32_t column, int32_t row, Direction direction) {
    const Vocabulary& words = run_.Words;
    // Equal words that follow each other are one word with several clues.
    int32_t runEnd = entry;
    while (runEnd < words.WordCount() && words.Entry(runEnd + 1).Word == words.Entry(runEnd).Word) {
        ++runEnd;
    }
    for (int32_t i = entry; i <= runEnd; ++i) {
        run_.Available.at(static_cast<size_t>(i)) = 0;
    }
    const int32_t chosen = entry + random_.Random(runEnd - entry + 1);

    const std::string_view word = words.Entry(entry).GridWord();
    const auto length = static_cast<int32_t>(word.size());
    Puzzle& p = puzzle_;
    TFeld& grid = p.Grid;
    run_.StartAt(column, row, direction) = chosen;
    if (direction == Direction::Across) {
        if (column + length < p.Columns) {
            grid.At(column + length - 1, row).BarRight = 1;
        }
        if (column > 0) {
            grid.At(column - 1, row).BarRight = 1;
        }
    } else {
        if (row + length < p.Rows) {
            grid.At(column, row + length - 1).BarBelow = 1;
        }
        if (row > 0) {
            grid.At(column, row - 1).BarBelow = 1;
        }
    }
    for (int32_t k = 0; k < length; ++k) {
        TGridCell& cell =
            direction == Direction::Across ? grid.At(column + k, row) : grid.At(column, row + k);
        cell.Letter = word[static_cast<size_t>(k)];
        cell.Mark = cell.Mark.With(direction);
    }
    return Placement{entry, column, row, length, direction};
}
