#include "model/Solver.h"

#include "model/Cp1252.h"

void Solver::Start() {
    Puzzle& p = puzzle_;
    p.ShowGenerated = false;
    p.ShowSolution = false;
    p.TypingDirection.reset();
    p.Solving = true;
    p.Attempts = 0;
    p.CorrectCount = 0;
    p.LetterCount = 0;
    p.SolverGrid = p.Grid;
    for (int32_t c = 0; c < p.SolverGrid.Columns(); ++c) {
        for (int32_t r = 0; r < p.SolverGrid.Rows(); ++r) {
            TGridCell& cell = p.SolverGrid.At(c, r);
            if (cell.Letter != '.') {
                cell.Letter = ' ';
                ++p.LetterCount;
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
    Puzzle& p = puzzle_;
    KeyOutcome out;
    out.Column = column;
    out.Row = row;
    if (!p.Solving) {
        return out;
    }
    char& entry = p.SolverGrid.At(column, row).Letter;
    const char solution = p.Grid.At(column, row).Letter;
    out.Consumed = true;
    if (entry == '.') {
        out.Beep = true;
        return out;
    }
    ++p.Attempts;
    if (IsLetterKey(key)) {
        if (entry == solution) {
            out.Refused = true;
            return out;
        }
        entry = Capital(key);
        if (entry == solution) {
            ++p.CorrectCount;
        }
        if (p.TypingDirection == Direction::Across && column < p.Columns - 1) {
            ++out.Column;
        }
        if (p.TypingDirection == Direction::Down && row < p.Rows - 1) {
            ++out.Row;
        }
    } else {
        // An empty entry is never a typed letter, so it cannot have been counted
        // as right (a damaged grid might hold a blank as its solution letter).
        if (entry == solution && entry != ' ') {
            --p.CorrectCount;
        }
        entry = ' ';
    }
    out.Repaint = true;
    out.Completed = p.CorrectCount == p.LetterCount;
    return out;
}

Solver::PeekOutcome Solver::Peek(int32_t column, int32_t row,
                                 const std::function<void()>& repaintNow) {
    Puzzle& p = puzzle_;
    if (!p.Solving) {
        return PeekOutcome::Ignored;
    }
    char& entry = p.SolverGrid.At(column, row).Letter;
    if (entry != ' ') {
        return PeekOutcome::Occupied;
    }
    entry = p.Grid.At(column, row).Letter;
    repaintNow();
    entry = ' ';
    return PeekOutcome::Shown;
}

bool Solver::ShowSolution() {
    Puzzle& p = puzzle_;
    p.ShowGenerated = false;
    p.ShowSolution = true;
    const bool wasSolving = p.Solving;
    p.Solving = false;
    return wasSolving;
}

std::string Solver::RefusalText() {
    return "Du darfst den richtigen Buchstaben genau einmal eingeben!";
}

std::string Solver::OccupiedText() {
    return "Das Feld ist doch schon belegt!";
}

std::string Solver::CompletionText(int32_t attempts) {
    return W("Du hast das Rätsel in ") + std::to_string(attempts) + W(" Versuchen gelöst!");
}

std::string Solver::AttemptsLabel(int32_t attempts) {
    return "Versuche " + std::to_string(attempts);
}

std::string Solver::CorrectLabel(int32_t correct) {
    return "Richtig " + std::to_string(correct);
}

std::string Solver::LetterCountLabel(int32_t letters) {
    return "Anzahl " + std::to_string(letters);
}
