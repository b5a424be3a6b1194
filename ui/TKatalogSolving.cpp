// Solving on screen and the link between the grid and the clue list.
#include "ui/TKatalog.h"

#include "files/Cp1252Qt.h"
#include "model/ClueLink.h"
#include "model/Solver.h"
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
    Solver(puzzle_, session_, view_).Start();
    LHint()->ShowAttempts(session_.Attempts);
    LHint()->ShowCorrect(session_.CorrectCount);
    ShowAt(LHint(), kLHintPlace);
    LHint()->ShowLetterCount(session_.LetterCount);
    Ausgabe()->RepaintNow();
    ShowClueList();
}

void TKatalog::LAnzeigenClick() {
    if (Solver(puzzle_, session_, view_).ShowSolution()) {
        LHint()->close();
    }
    Ausgabe()->RepaintNow();
    ShowClueList();
}

void TKatalog::ShowClueList() {
    // The list shows the puzzle's clue rows; refill only when they changed so
    // that the selection and scroll position stay otherwise.
    Begriffsumschreibung()->Sync(puzzle_.ClueRows);
    ShowAt(Begriffsumschreibung(), kClueListPlace);
}

void TKatalog::AusgabeKeyPress(char& key) {
    Solver solver(puzzle_, session_, view_);
    const Solver::KeyOutcome out =
        solver.Key(Ausgabe()->Col(), Ausgabe()->Row(), static_cast<unsigned char>(key));
    if (!out.Consumed) {
        return;
    }
    key = 0;
    if (out.Beep) {
        QApplication::beep();
        return;
    }
    LHint()->ShowAttempts(session_.Attempts);
    if (out.Refused) {
        messages_.Error(Cp1252::ToQString(Solver::RefusalText()));
        return;
    }
    LHint()->ShowCorrect(session_.CorrectCount);
    Ausgabe()->SetCurrentCell(out.Column, out.Row);
    Ausgabe()->RepaintNow();
    if (out.Completed) {
        messages_.Information(Cp1252::ToQString(Solver::CompletionText(session_.Attempts)));
        solver.EndSolving();
        LHint()->close();
    }
}

void TKatalog::AusgabeDblClick() {
    const Solver::PeekOutcome outcome =
        Solver(puzzle_, session_, view_).Peek(Ausgabe()->Col(), Ausgabe()->Row(), [this] {
            Ausgabe()->RepaintNow();
        });
    if (outcome == Solver::PeekOutcome::Occupied) {
        messages_.Error(Cp1252::ToQString(Solver::OccupiedText()));
    }
}

void TKatalog::AusgabeMouseDown(Qt::MouseButton button, int x, int y) {
    (void)button; // every button selects the clue; only a left press moved the cell
    session_.TypingDirection.reset();
    int32_t column = 0;
    int32_t row = 0;
    if (!Ausgabe()->MouseToCell(x, y, column, row)) {
        return;
    }
    const int32_t number = ClueLink::CellNumber(puzzle_.Grid, column, row);
    if (number <= 0) {
        return;
    }
    TBegriffsumschreibung* list = Begriffsumschreibung();
    list->Sync(puzzle_.ClueRows);
    const int32_t listRow = ClueLink::RowOfNumber(puzzle_.ClueRows, number);
    if (listRow < 0) {
        return;
    }
    session_.TypingDirection = TypingDirectionOf(puzzle_.ClueRows[static_cast<size_t>(listRow)]);
    list->SelectRow(listRow, ClueLink::FirstVisibleRow(listRow));
}

void TKatalog::UListeClick() {
    session_.TypingDirection.reset();
    const TBegriffsumschreibung* list = Begriffsumschreibung();
    const int32_t selected = list->SelectedRow();
    if (selected < 0) {
        return;
    }
    // The empty row before any puzzle holds no number: nothing to go to.
    const ClueRow& row = list->Row(selected);
    if (row.Number <= 0) {
        return;
    }
    const std::optional<ClueLink::Cell> start = ClueLink::WordStart(puzzle_.Grid, row.Number);
    if (!start) {
        return;
    }
    Ausgabe()->SetCol(start->Column);
    Ausgabe()->SetRow(start->Row);
    session_.TypingDirection = TypingDirectionOf(row);
}
