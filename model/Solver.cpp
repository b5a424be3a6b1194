#include "model/Solver.h"

#include "base/Cp1252.h"

void Solver::Start() {
    view_.ShowGenerated = false;
    view_.ShowSolution = false;
    view_.Solving = true;
    SolvingSession& s = session_;
    s.TypingDirection.reset();
    s.Attempts = 0;
    s.CorrectCount = 0;
    s.LetterCount = 0;
    s.SolverGrid = puzzle_.Grid;
    for (int32_t c = 0; c < s.SolverGrid.Columns(); ++c) {
        for (int32_t r = 0; r < s.SolverGrid.Rows(); ++r) {
            TGridCell& cell = s.SolverGrid.At(c, r);
            if (cell.Letter != '.') {
                cell.Letter = ' ';
                ++s.LetterCount;
            }
        }
    }
}

char Solver::Capital(unsigned char key) {
    if (key >= 'a' && key <= 'z') {
        return static_cast<char>(key - 'a' + 'A');
    }
    return static_cast<char>(key);
}

Solver::KeyOutcome Solver::Key(int32_t column, int32_t row, unsigned char key) {
    SolvingSession& s = session_;
    KeyOutcome out;
    out.Column = column;
    out.Row = row;
    if (!view_.Solving) {
        return out;
    }
    char& entry = s.SolverGrid.At(column, row).Letter;
    const char solution = puzzle_.Grid.At(column, row).Letter;
    out.Consumed = true;
    if (entry == '.') {
        out.Beep = true;
        return out;
    }
    ++s.Attempts;
    if (IsLetterKey(key)) {
        if (entry == solution) {
            out.Refused = true;
            return out;
        }
        entry = Capital(key);
        if (entry == solution) {
            ++s.CorrectCount;
        }
        if (s.TypingDirection == Direction::Across && column < puzzle_.Columns - 1) {
            ++out.Column;
        }
        if (s.TypingDirection == Direction::Down && row < puzzle_.Rows - 1) {
            ++out.Row;
        }
    } else {
        // An empty entry is never a typed letter, so it cannot have been counted
        // as right (a damaged grid might hold a blank as its solution letter).
        if (entry == solution && entry != ' ') {
            --s.CorrectCount;
        }
        entry = ' ';
    }
    out.Repaint = true;
    out.Completed = s.CorrectCount == s.LetterCount;
    return out;
}

Solver::PeekOutcome Solver::Peek(int32_t column, int32_t row,
                                 const std::function<void()>& repaintNow) {
    if (!view_.Solving) {
        return PeekOutcome::Ignored;
    }
    char& entry = session_.SolverGrid.At(column, row).Letter;
    if (entry != ' ') {
        return PeekOutcome::Occupied;
    }
    entry = puzzle_.Grid.At(column, row).Letter;
    repaintNow();
    entry = ' ';
    return PeekOutcome::Shown;
}

bool Solver::ShowSolution() {
    view_.ShowGenerated = false;
    view_.ShowSolution = true;
    const bool wasSolving = view_.Solving;
    view_.Solving = false;
    return wasSolving;
}
