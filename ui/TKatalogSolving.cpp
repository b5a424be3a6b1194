// Solving on screen and the link between the grid and the clue list.
#include "ui/TKatalog.h"

#include "files/Cp1252Qt.h"
#include "model/ClueLink.h"
#include "model/Solver.h"
#include "session/Messages.h"
#include "ui/MessageService.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"
#include "ui/TLHint.h"

#include <QApplication>

namespace {

// Screen places of the solver's windows, beside the main window.
const QPoint kLHintPlace(840, 20);
const QPoint kClueListPlace(840, 120);

void ShowAt(QWidget* window, const QPoint& place) {
    window->move(place);
    window->show();
}

// Typing follows an across row to the right; every other row, also one whose
// direction column holds another text, leads downwards.
Direction TypingDirectionOf(const ClueRow& row) {
    return row.Dir == Direction::Across ? Direction::Across : Direction::Down;
}

} // namespace

void TKatalog::RAnzeigenClick() {
    session_.StartSolving();
    ShowSolving();
}

void TKatalog::ShowSolving() {
    const SolvingSession& solving = session_.Solving();
    lHint_->ShowAttempts(solving.Attempts);
    lHint_->ShowCorrect(solving.CorrectCount);
    ShowAt(lHint_, kLHintPlace);
    lHint_->ShowLetterCount(solving.LetterCount);
    ausgabe_->RepaintNow();
    ShowClueList();
}

void TKatalog::LAnzeigenClick() {
    if (session_.ShowSolution()) {
        lHint_->close();
    }
    ausgabe_->RepaintNow();
    ShowClueList();
}

void TKatalog::ShowClueList() {
    // The list shows the puzzle's clue rows; refill only when they changed so
    // that the selection and scroll position stay otherwise.
    begriffsumschreibung_->Sync(session_.CurrentPuzzle().ClueRows);
    ShowAt(begriffsumschreibung_, kClueListPlace);
}

void TKatalog::AusgabeKeyPress(char& key) {
    const Solver::KeyOutcome out =
        session_.Key(ausgabe_->Col(), ausgabe_->Row(), static_cast<unsigned char>(key));
    if (!out.Consumed) {
        return;
    }
    key = 0;
    if (out.Beep) {
        QApplication::beep();
        return;
    }
    const SolvingSession& solving = session_.Solving();
    lHint_->ShowAttempts(solving.Attempts);
    if (out.Refused) {
        messages_.Error(Cp1252::ToQString(Messages::SolvingRefusal()));
        return;
    }
    lHint_->ShowCorrect(solving.CorrectCount);
    ausgabe_->SetCurrentCell(out.Column, out.Row);
    ausgabe_->RepaintNow();
    if (out.Completed) {
        messages_.Information(Cp1252::ToQString(Messages::SolvingCompleted(solving.Attempts)));
        session_.EndSolving();
        lHint_->close();
    }
}

void TKatalog::AusgabeDblClick() {
    const Solver::PeekOutcome outcome =
        session_.Peek(ausgabe_->Col(), ausgabe_->Row(), [this] { ausgabe_->RepaintNow(); });
    if (outcome == Solver::PeekOutcome::Occupied) {
        messages_.Error(Cp1252::ToQString(Messages::CellOccupied()));
    }
}

void TKatalog::AusgabeMouseDown(Qt::MouseButton button, int x, int y) {
    (void)button; // every button selects the clue; only a left press moved the cell
    session_.SetTypingDirection(std::nullopt);
    int32_t column = 0;
    int32_t row = 0;
    if (!ausgabe_->MouseToCell(x, y, column, row)) {
        return;
    }
    const Puzzle& puzzle = session_.CurrentPuzzle();
    const int32_t number = ClueLink::CellNumber(puzzle.Grid, column, row);
    if (number <= 0) {
        return;
    }
    begriffsumschreibung_->Sync(puzzle.ClueRows);
    const int32_t listRow = ClueLink::RowOfNumber(puzzle.ClueRows, number);
    if (listRow < 0) {
        return;
    }
    session_.SetTypingDirection(TypingDirectionOf(puzzle.ClueRows[static_cast<size_t>(listRow)]));
    begriffsumschreibung_->SelectRow(listRow, ClueLink::FirstVisibleRow(listRow));
}

void TKatalog::UListeClick() {
    session_.SetTypingDirection(std::nullopt);
    const int32_t selected = begriffsumschreibung_->SelectedRow();
    if (selected < 0) {
        return;
    }
    // The empty row before any puzzle holds no number: nothing to go to.
    const ClueRow& row = begriffsumschreibung_->Row(selected);
    if (row.Number <= 0) {
        return;
    }
    const std::optional<ClueLink::Cell> start =
        ClueLink::WordStart(session_.CurrentPuzzle().Grid, row.Number);
    if (!start) {
        return;
    }
    ausgabe_->SetCol(start->Column);
    ausgabe_->SetRow(start->Row);
    session_.SetTypingDirection(TypingDirectionOf(row));
}
