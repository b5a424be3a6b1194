// Solving on screen through the window: typing, the info window, the peek,
// completion, and the link between the grid and the clue list.
#include "tests/ui/ScriptedServices.h"
#include "tests/ui/SolvingPuzzles.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"
#include "ui/TKatalog.h"
#include "ui/TLHint.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class SolvingWindowTest : public ::testing::Test {
protected:
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<TKatalog> katalog;

    void SetUp() override {
        katalog = std::make_unique<TKatalog>(messages, dialogs, 1);
        katalog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(katalog.get()));
    }

    void TearDown() override {
        // Closing would ask the close question; the window just goes.
        katalog->hide();
        katalog.reset();
    }

    const Puzzle& P() const { return katalog->session().CurrentPuzzle(); }
    const SolvingSession& S() const { return katalog->session().Solving(); }
    const ViewFlags& V() const { return katalog->session().View(); }
    TAusgabe* Grid() { return katalog->Ausgabe(); }
    TBegriffsumschreibung* List() { return katalog->Begriffsumschreibung(); }
    TLHint* Hint() { return katalog->LHint(); }

    void Install(void (*make)(Puzzle&)) {
        Puzzle puzzle = P();
        make(puzzle);
        katalog->ShowPuzzle(puzzle, V());
        List()->Fill(P().ClueRows);
    }

    void StartSolving() { Menu(*katalog).RAnzeigen->trigger(); }

    void TypeAt(int c, int r, const QString& text) {
        Grid()->SetCurrentCell(c, r);
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(Grid(), &press);
        }
    }

    char Entry(int c, int r) { return S().SolverGrid.At(c, r).Letter; }

    // Presses a mouse button on a cell of the grid, scrolling it into view first.
    void PressCell(int c, int r, Qt::MouseButton button = Qt::LeftButton) {
        const int32_t oldCol = Grid()->Col();
        const int32_t oldRow = Grid()->Row();
        Grid()->SetCurrentCell(c, r);
        const QPoint point = Grid()->CellRect(c, r).center();
        if (button != Qt::LeftButton) {
            Grid()->SetCurrentCell(oldCol, oldRow); // only scrolled into view
        }
        QTest::mousePress(Grid()->viewport(), button, {}, point);
        QTest::mouseRelease(Grid()->viewport(), button, {}, point);
    }

    void ClickListRow(int row) {
        QTableWidget* list = UListe(List());
        const QModelIndex index = list->model()->index(row, 1);
        list->scrollTo(index);
        const QPoint point = list->visualRect(index).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
    }
};

TEST_F(SolvingWindowTest, SolveShowsInfoAndClueListAtTheirPlaces) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    EXPECT_TRUE(V().Solving);
    EXPECT_TRUE(Hint()->isVisible());
    EXPECT_EQ(Hint()->pos(), QPoint(840, 20));
    EXPECT_EQ(Labels(Hint()).Attempts->text(), "Versuche 0");
    EXPECT_EQ(Labels(Hint()).Correct->text(), "Richtig 0");
    EXPECT_EQ(Labels(Hint()).LetterCount->text(), "Anzahl 8");
    EXPECT_TRUE(List()->isVisible());
    EXPECT_EQ(List()->pos(), QPoint(840, 120));
    ASSERT_EQ(List()->RowCount(), 3);
    EXPECT_EQ(UListe(List())->item(2, 2)->text(), QString::fromUtf8("Gewässer * mit Stern"));
}

TEST_F(SolvingWindowTest, TypingCountsAndUpdatesTheInfoWindow) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    TypeAt(1, 0, "a");
    EXPECT_EQ(Entry(1, 0), 'A');
    TypeAt(2, 0, "x");
    EXPECT_EQ(Entry(2, 0), 'X');
    EXPECT_EQ(Labels(Hint()).Attempts->text(), "Versuche 2");
    EXPECT_EQ(Labels(Hint()).Correct->text(), "Richtig 1");

    // An umlaut key clears like a blank; the attempt counts.
    TypeAt(1, 0, QString::fromUtf8("ä"));
    EXPECT_EQ(Entry(1, 0), ' ');
    EXPECT_EQ(Labels(Hint()).Attempts->text(), "Versuche 3");
    EXPECT_EQ(Labels(Hint()).Correct->text(), "Richtig 0");

    // A black cell only beeps.
    TypeAt(2, 2, "a");
    EXPECT_EQ(Labels(Hint()).Attempts->text(), "Versuche 3");
    EXPECT_TRUE(messages.Log.empty());

    // Backspace, Enter and Escape clear too.
    TypeAt(0, 0, "h");
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Escape}) {
        TypeAt(0, 0, "h");
        QTest::keyClick(Grid(), key);
        EXPECT_EQ(Entry(0, 0), ' ');
    }
    EXPECT_EQ(S().CorrectCount, 0);
}

TEST_F(SolvingWindowTest, SecondRightLetterIsRefusedWithABox) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    TypeAt(1, 0, "A");
    TypeAt(1, 0, "B");
    EXPECT_EQ(Entry(1, 0), 'A');
    EXPECT_EQ(messages.Texts("Error"),
              QStringList{"Du darfst den richtigen Buchstaben genau einmal eingeben!"});
    EXPECT_EQ(Labels(Hint()).Attempts->text(), "Versuche 2");
}

TEST_F(SolvingWindowTest, KeysBeforeSolvingChangeNothing) {
    Install(SolvingPuzzles::MakeSmall);
    TypeAt(1, 0, "A");
    EXPECT_EQ(S().Attempts, 0);
    EXPECT_TRUE(messages.Log.empty());
}

TEST_F(SolvingWindowTest, CompletionReportsAttemptsAndEndsSolving) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    TypeAt(1, 0, "Q"); // wrong first
    const struct {
        int c, r;
        const char* key;
    } letters[] = {{0, 0, "h"}, {1, 0, "a"}, {2, 0, "u"}, {3, 0, "s"},
                   {0, 1, "o"}, {0, 2, "f"}, {3, 1, "e"}, {3, 2, "e"}};
    for (const auto& l : letters) {
        TypeAt(l.c, l.r, l.key);
    }
    EXPECT_EQ(messages.Texts("Information"),
              QStringList{QString::fromUtf8("Du hast das Rätsel in 9 Versuchen gelöst!")});
    EXPECT_FALSE(V().Solving);
    EXPECT_FALSE(Hint()->isVisible());
    // Afterwards keys and double clicks do nothing.
    TypeAt(1, 0, " ");
    EXPECT_EQ(S().Attempts, 9);
}

TEST_F(SolvingWindowTest, PeekPaintsTheRightLetterOnceAndLeavesTheCellEmpty) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    // Record what the solver grid holds while the grid is painted.
    struct PaintSpy : QObject {
        const SolvingSession* session = nullptr;
        std::string seen;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) {
                seen += session->SolverGrid.At(2, 0).Letter;
            }
            return false;
        }
    } spy;
    spy.session = &S();
    Grid()->viewport()->installEventFilter(&spy);
    Grid()->SetCurrentCell(2, 0);
    spy.seen.clear();
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->CellRect(2, 0).center());
    Grid()->viewport()->removeEventFilter(&spy);
    EXPECT_NE(spy.seen.find('U'), std::string::npos) << spy.seen;
    EXPECT_EQ(Entry(2, 0), ' ');
    EXPECT_EQ(S().Attempts, 0);
    EXPECT_TRUE(messages.Log.empty());

    TypeAt(2, 0, "k");
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->CellRect(2, 0).center());
    EXPECT_EQ(messages.Texts("Error"), QStringList{"Das Feld ist doch schon belegt!"});
    EXPECT_EQ(Entry(2, 0), 'K');
}

TEST_F(SolvingWindowTest, ShowSolutionClosesTheInfoWindowAndShowsTheList) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    List()->close();
    Menu(*katalog).LAnzeigen->trigger();
    EXPECT_FALSE(V().Solving);
    EXPECT_TRUE(V().ShowSolution);
    EXPECT_FALSE(Hint()->isVisible());
    EXPECT_TRUE(List()->isVisible());
    EXPECT_EQ(List()->pos(), QPoint(840, 120));
    // Solving again starts from empty entries.
    TypeAt(1, 0, "A");
    StartSolving();
    EXPECT_EQ(Entry(1, 0), ' ');
    EXPECT_FALSE(V().ShowSolution);
}

TEST_F(SolvingWindowTest, ListClickMovesTheGridAndSetsTheTypingDirection) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    Grid()->SetCurrentCell(4, 4);
    ClickListRow(0); // 1 across
    EXPECT_EQ(Grid()->Col(), 0);
    EXPECT_EQ(Grid()->Row(), 0);
    EXPECT_EQ(S().TypingDirection, Direction::Across);
    EXPECT_NE(S().TypingDirection, Direction::Down);
    for (const char* key : {"h", "a", "u", "s"}) {
        QTest::keyClicks(Grid(), key);
    }
    EXPECT_EQ(Grid()->Col(), 4); // moved on after every letter
    EXPECT_EQ(S().CorrectCount, 4);

    ClickListRow(1); // 1 down: the same cell, the other direction
    EXPECT_EQ(Grid()->Col(), 0);
    EXPECT_EQ(Grid()->Row(), 0);
    EXPECT_EQ(S().TypingDirection, Direction::Down);
    EXPECT_NE(S().TypingDirection, Direction::Across);
    QTest::keyClicks(Grid(), "x");
    EXPECT_EQ(Grid()->Row(), 0);    // refused: the right letter is there already
    QTest::keyClicks(Grid(), "\b"); // clearing keys never move
    EXPECT_EQ(Grid()->Row(), 0);

    ClickListRow(2); // 2 down
    EXPECT_EQ(Grid()->Col(), 3);
    EXPECT_EQ(Grid()->Row(), 0);

    // Moving the selection with the keys does not jump.
    QTest::keyClick(UListe(List()), Qt::Key_Up);
    EXPECT_EQ(Grid()->Col(), 3);
    EXPECT_EQ(S().TypingDirection, Direction::Down);
}

TEST_F(SolvingWindowTest, ListClickOnTheEmptyRowOnlyClearsTheDirection) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    PressCell(0, 0); // 1 across: typing goes across
    ASSERT_EQ(S().TypingDirection, Direction::Across);
    List()->Fill({}); // nothing generated: one empty row
    ASSERT_EQ(List()->RowCount(), 1);
    Grid()->SetCurrentCell(2, 3);
    ClickListRow(0);
    EXPECT_FALSE(S().TypingDirection);
    EXPECT_EQ(Grid()->Col(), 2);
    EXPECT_TRUE(messages.Log.empty());
}

TEST_F(SolvingWindowTest, GridPressSelectsTheClueRowAndDirection) {
    Install(SolvingPuzzles::MakeSmall);
    PressCell(0, 0); // starts 1 across and 1 down: the across row wins
    EXPECT_EQ(List()->SelectedRow(), 0);
    EXPECT_EQ(S().TypingDirection, Direction::Across);
    PressCell(3, 0);
    EXPECT_EQ(List()->SelectedRow(), 2);
    EXPECT_EQ(S().TypingDirection, Direction::Down);
    EXPECT_NE(S().TypingDirection, Direction::Across);
    // Inside a word: no number, the direction is cleared and stays so.
    PressCell(1, 0);
    EXPECT_FALSE(S().TypingDirection);
    EXPECT_EQ(List()->SelectedRow(), 2);
    StartSolving();
    PressCell(1, 0);
    QTest::keyClicks(Grid(), "a");
    EXPECT_EQ(Grid()->Col(), 1);
}

TEST_F(SolvingWindowTest, RightPressSelectsWithoutMovingTheCell) {
    Install(SolvingPuzzles::MakeSmall);
    Grid()->SetCurrentCell(4, 4);
    PressCell(3, 0, Qt::RightButton);
    EXPECT_EQ(List()->SelectedRow(), 2);
    EXPECT_EQ(S().TypingDirection, Direction::Down);
    EXPECT_EQ(Grid()->Col(), 4);
    EXPECT_EQ(Grid()->Row(), 4);
}

TEST_F(SolvingWindowTest, GridPressScrollsTheListByTheContextRule) {
    Install(SolvingPuzzles::MakeTall);
    const struct { int row, top; } cases[] = {{3, 3}, {4, 0}, {10, 6}, {11, 0}, {30, 19}, {2, 2}};
    for (const auto& c : cases) {
        PressCell(0, c.row);
        EXPECT_EQ(List()->SelectedRow(), c.row);
        EXPECT_EQ(List()->TopRow(), c.top) << "row " << c.row;
    }
    // The list stops where its last rows fill the window.
    PressCell(0, 59);
    EXPECT_EQ(List()->SelectedRow(), 59);
    EXPECT_EQ(List()->TopRow(), UListe(List())->verticalScrollBar()->maximum());
    EXPECT_LT(List()->TopRow(), 48);
}

TEST_F(SolvingWindowTest, ListColumnsAreWidenedByDraggingTheirBorderWithoutClickingARow) {
    Install(SolvingPuzzles::MakeSmall);
    StartSolving();
    QTableWidget* list = UListe(List());
    QWidget* viewport = list->viewport();
    ASSERT_EQ(list->columnWidth(0), 20);
    // Numbers of three or four digits need more than 20 pixels: drag the border
    // between the number and the direction to the right.
    const auto send = [&](QEvent::Type type, int x, Qt::MouseButtons buttons) {
        const QPointF at(x, 5);
        QMouseEvent event(type, at, viewport->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseButtonPress, 20, Qt::LeftButton);
    send(QEvent::MouseMove, 30, Qt::LeftButton);
    send(QEvent::MouseMove, 44, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, 44, Qt::NoButton);
    EXPECT_EQ(list->columnWidth(0), 44);
    EXPECT_EQ(list->columnWidth(1), 64) << "only the gripped column changes";
    EXPECT_EQ(List()->SelectedRow(), -1) << "a grip on a border is no click on a row";
    EXPECT_FALSE(S().TypingDirection);

    // Away from a border a click still selects its row and leads to the word.
    ClickListRow(0);
    EXPECT_EQ(List()->SelectedRow(), 0);
}

} // namespace
