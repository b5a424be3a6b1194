#include "model/Solver.h"
#include "base/Cp1252.h"
#include "model/ClueLink.h"
#include "model/ClueRow.h"
#include "model/Puzzle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A 5 x 5 grid: row 0 holds "HAUS" from column 0 (clue 1 across) and column 0
// holds "HOF" downwards (clue 1 down); "Ä" sits at (4, 4) alone. Everything
// else is black.
Puzzle SmallPuzzle() {
    Puzzle p;
    p.ResizeGrid(5, 5);
    p.ResetGrid();
    const std::string across = "HAUS";
    for (int c = 0; c < 4; ++c) {
        p.Grid.At(c, 0).Letter = across[static_cast<size_t>(c)];
        p.Grid.At(c, 0).Mark = CellMark::Of(Direction::Across);
    }
    p.Grid.At(0, 0).Mark = CellMark::Crossing();
    p.Grid.At(0, 1).Letter = 'O';
    p.Grid.At(0, 2).Letter = 'F';
    p.Grid.At(0, 0).AcrossNo = 1;
    p.Grid.At(0, 0).DownNo = 1;
    p.Grid.At(4, 4).Letter = W("Ä")[0];
    return p;
}

class SolverTest : public ::testing::Test {
protected:
    Puzzle p = SmallPuzzle();
    SolvingSession s;
    ViewFlags view;
    Solver solver{p, s, view};

    Solver::KeyOutcome Type(int c, int r, char key) {
        return solver.Key(c, r, static_cast<unsigned char>(key));
    }
};

TEST_F(SolverTest, StartEmptiesLetterCellsAndResetsCountersAndFlags) {
    view.ShowGenerated = true;
    view.ShowSolution = true;
    s.TypingDirection = Direction::Down;
    s.Attempts = 7;
    s.CorrectCount = 3;
    solver.Start();
    EXPECT_TRUE(view.Solving);
    EXPECT_FALSE(view.ShowGenerated || view.ShowSolution || s.TypingDirection.has_value());
    EXPECT_EQ(s.Attempts, 0);
    EXPECT_EQ(s.CorrectCount, 0);
    EXPECT_EQ(s.LetterCount, 7);
    EXPECT_EQ(s.SolverGrid.At(1, 0).Letter, ' ');
    EXPECT_EQ(s.SolverGrid.At(4, 4).Letter, ' ');
    EXPECT_EQ(s.SolverGrid.At(2, 2).Letter, '.');
    // Everything but the letters is copied (numbers are drawn from it).
    EXPECT_EQ(s.SolverGrid.At(0, 0).AcrossNo, 1);
    EXPECT_EQ(s.SolverGrid.At(4, 4).BarRight, 1);
}

TEST_F(SolverTest, KeysDoNothingUnlessSolving) {
    const auto out = Type(1, 0, 'A');
    EXPECT_FALSE(out.Consumed);
    EXPECT_EQ(s.Attempts, 0);
    solver.Start();
    solver.EndSolving();
    EXPECT_FALSE(Type(1, 0, 'A').Consumed);
    EXPECT_EQ(s.Attempts, 0);
}

TEST_F(SolverTest, BlackCellOnlyBeeps) {
    solver.Start();
    const auto out = Type(2, 2, 'A');
    EXPECT_TRUE(out.Consumed);
    EXPECT_TRUE(out.Beep);
    EXPECT_FALSE(out.Repaint);
    EXPECT_EQ(s.Attempts, 0);
    EXPECT_EQ(s.SolverGrid.At(2, 2).Letter, '.');
}

TEST_F(SolverTest, SmallLettersAreStoredAsCapitalsOthersAsTyped) {
    solver.Start();
    auto out = Type(1, 0, 'a');
    EXPECT_EQ(s.SolverGrid.At(1, 0).Letter, 'A');
    EXPECT_EQ(s.CorrectCount, 1);
    EXPECT_TRUE(out.Repaint);
    // "[" lies between "Z" and "a": a letter key, stored as typed, wrong.
    Type(2, 0, '[');
    EXPECT_EQ(s.SolverGrid.At(2, 0).Letter, '[');
    Type(2, 0, '`');
    EXPECT_EQ(s.SolverGrid.At(2, 0).Letter, '`');
    Type(2, 0, 'z');
    EXPECT_EQ(s.SolverGrid.At(2, 0).Letter, 'Z');
    EXPECT_EQ(s.CorrectCount, 1);
    EXPECT_EQ(s.Attempts, 4);
}

TEST_F(SolverTest, RightLetterTwiceIsRefusedButCounted) {
    solver.Start();
    Type(1, 0, 'A');
    s.TypingDirection = Direction::Across;
    const auto out = Type(1, 0, 'B');
    EXPECT_TRUE(out.Refused);
    EXPECT_FALSE(out.Repaint);
    EXPECT_FALSE(out.Completed);
    EXPECT_EQ(out.Column, 1); // no move after a refusal
    EXPECT_EQ(s.SolverGrid.At(1, 0).Letter, 'A');
    EXPECT_EQ(s.Attempts, 2);
    EXPECT_EQ(s.CorrectCount, 1);
}

TEST_F(SolverTest, ClearingKeysAndCorrectCount) {
    solver.Start();
    Type(1, 0, 'X');
    Type(1, 0, 'Y'); // wrong over wrong
    EXPECT_EQ(s.CorrectCount, 0);
    Type(1, 0, ' ');
    EXPECT_EQ(s.SolverGrid.At(1, 0).Letter, ' ');
    Type(1, 0, ' '); // clearing an empty cell is still an attempt
    EXPECT_EQ(s.CorrectCount, 0);
    Type(1, 0, 'A');
    EXPECT_EQ(s.CorrectCount, 1);
    for (char key : {'\b', '\r', '\x1b', '5', '@', '{'}) {
        Type(1, 0, 'A');
        Type(1, 0, key);
        EXPECT_EQ(s.SolverGrid.At(1, 0).Letter, ' ') << int(key);
        EXPECT_EQ(s.CorrectCount, 0) << int(key);
    }
    EXPECT_EQ(s.Attempts, 17);
}

TEST_F(SolverTest, UmlautKeyClearsSoAnUmlautCellCannotBeSolved) {
    solver.Start();
    const unsigned char ae = static_cast<unsigned char>(W("Ä")[0]);
    solver.Key(4, 4, ae);
    EXPECT_EQ(s.SolverGrid.At(4, 4).Letter, ' ');
    EXPECT_EQ(s.CorrectCount, 0);
    solver.Key(4, 4, static_cast<unsigned char>(W("ß")[0]));
    EXPECT_EQ(s.SolverGrid.At(4, 4).Letter, ' ');
    EXPECT_EQ(s.Attempts, 2);
}

TEST_F(SolverTest, AdvanceMovesWithinTheGridOnly) {
    solver.Start();
    s.TypingDirection = Direction::Across;
    auto out = Type(1, 0, 'Q');
    EXPECT_EQ(out.Column, 2);
    EXPECT_EQ(out.Row, 0);
    out = Type(4, 4, 'Q'); // last column
    EXPECT_EQ(out.Column, 4);
    s.TypingDirection = Direction::Down;
    out = Type(0, 1, 'Q');
    EXPECT_EQ(out.Column, 0);
    EXPECT_EQ(out.Row, 2);
    out = Type(4, 4, 'Q'); // last row
    EXPECT_EQ(out.Row, 4);
    out = Type(0, 2, ' '); // a clearing key never moves
    EXPECT_EQ(out.Row, 2);
    s.TypingDirection.reset();
    out = Type(1, 0, 'Q');
    EXPECT_EQ(out.Column, 1);
}

TEST_F(SolverTest, CompletionCountsEveryAttempt) {
    p.Grid.At(4, 4).Letter = 'E';
    solver.Start();
    Type(1, 0, 'x');  // wrong
    Type(1, 0, '\b'); // clear
    for (auto [c, r, k] : std::vector<std::tuple<int, int, char>>{
             {0, 0, 'h'}, {1, 0, 'a'}, {2, 0, 'u'}, {3, 0, 's'}, {0, 1, 'o'}, {0, 2, 'f'}}) {
        EXPECT_FALSE(Type(c, r, k).Completed);
    }
    Type(0, 0, 'H'); // refused, counted
    const auto out = Type(4, 4, 'e');
    EXPECT_TRUE(out.Completed);
    EXPECT_EQ(s.Attempts, 10);
    EXPECT_TRUE(view.Solving); // ends only after the box is closed
    solver.EndSolving();
    EXPECT_FALSE(Type(1, 0, 'Q').Consumed);
}

TEST_F(SolverTest, LowerCaseSolutionLetterIsNeverRight) {
    p.Grid.At(1, 0).Letter = 'a';
    solver.Start();
    Type(1, 0, 'a');
    EXPECT_EQ(s.SolverGrid.At(1, 0).Letter, 'A');
    EXPECT_EQ(s.CorrectCount, 0);
}

TEST_F(SolverTest, BlankSolutionLetterNeverDrivesTheCountBelowZero) {
    p.Grid.At(1, 0).Letter = ' ';
    solver.Start();
    Type(1, 0, '\b');
    EXPECT_EQ(s.CorrectCount, 0);
}

TEST_F(SolverTest, PeekShowsTheLetterForOneRepaintOnly) {
    char seen = 0;
    auto repaint = [&] { seen = s.SolverGrid.At(2, 0).Letter; };
    EXPECT_EQ(solver.Peek(2, 0, repaint), Solver::PeekOutcome::Ignored);
    solver.Start();
    EXPECT_EQ(solver.Peek(2, 0, repaint), Solver::PeekOutcome::Shown);
    EXPECT_EQ(seen, 'U');
    EXPECT_EQ(s.SolverGrid.At(2, 0).Letter, ' ');
    EXPECT_EQ(s.Attempts, 0);
    EXPECT_EQ(s.CorrectCount, 0);
    seen = 0;
    EXPECT_EQ(solver.Peek(2, 2, repaint), Solver::PeekOutcome::Occupied); // black
    Type(2, 0, 'k');
    EXPECT_EQ(solver.Peek(2, 0, repaint), Solver::PeekOutcome::Occupied);
    EXPECT_EQ(seen, 0);
}

TEST_F(SolverTest, ShowSolutionEndsSolvingAndRestartBeginsAfresh) {
    solver.Start();
    Type(1, 0, 'A');
    EXPECT_TRUE(solver.ShowSolution());
    EXPECT_TRUE(view.ShowSolution);
    EXPECT_FALSE(view.Solving);
    EXPECT_FALSE(solver.ShowSolution());
    solver.Start();
    EXPECT_EQ(s.SolverGrid.At(1, 0).Letter, ' ');
    EXPECT_EQ(s.CorrectCount, 0);
    EXPECT_FALSE(view.ShowSolution);
}

TEST_F(SolverTest, EmptyGridNeverCompletes) {
    const Puzzle empty;
    Solver onEmpty(empty, s, view);
    onEmpty.Start();
    EXPECT_EQ(s.LetterCount, 0);
    const auto out = onEmpty.Key(3, 3, 'A');
    EXPECT_TRUE(out.Beep);
    EXPECT_FALSE(out.Completed);
}

TEST(ClueLinkTest, WordStartScansColumnByColumn) {
    Puzzle p = SmallPuzzle();
    p.Grid.At(3, 0).DownNo = 2;
    p.Grid.At(1, 2).AcrossNo = 2; // column 1 is scanned before column 3
    auto cell = ClueLink::WordStart(p.Grid, 2);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->Column, 1);
    EXPECT_EQ(cell->Row, 2);
    cell = ClueLink::WordStart(p.Grid, 1);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->Column, 0);
    EXPECT_EQ(cell->Row, 0);
    EXPECT_FALSE(ClueLink::WordStart(p.Grid, 9));
}

TEST(ClueLinkTest, CellNumberPrefersAcross) {
    Puzzle p = SmallPuzzle();
    p.Grid.At(0, 0).AcrossNo = 0;
    p.Grid.At(0, 0).DownNo = 7;
    EXPECT_EQ(ClueLink::CellNumber(p.Grid, 0, 0), 7);
    p.Grid.At(0, 0).AcrossNo = 3;
    EXPECT_EQ(ClueLink::CellNumber(p.Grid, 0, 0), 3);
    EXPECT_EQ(ClueLink::CellNumber(p.Grid, 1, 0), 0);
}

TEST(ClueLinkTest, RowOfNumberTakesTheFirstMatch) {
    const std::vector<ClueRow> rows{
        ClueRow::Of(1, Direction::Across, "a"), ClueRow::Of(1, Direction::Down, "b"),
        ClueRow::Of(12, Direction::Down, "c"), ClueRow::Of(2, Direction::Across, "d")};
    EXPECT_EQ(ClueLink::RowOfNumber(rows, 1), 0);
    EXPECT_EQ(ClueLink::RowOfNumber(rows, 2), 3);
    EXPECT_EQ(ClueLink::RowOfNumber(rows, 12), 2);
    EXPECT_EQ(ClueLink::RowOfNumber(rows, 5), -1);
}

TEST(ClueRowTest, OnlyPlainDecimalsAndTheTwoWordsAreTypedOtherTextsStayAsRead) {
    const ClueRow plain = ClueRow::FromTexts("42", "senkrecht", "Fluss");
    EXPECT_EQ(plain, ClueRow::Of(42, Direction::Down, "Fluss"));
    for (const char* odd : {"", "4a", " 4", "99999999999", "-4"}) {
        const ClueRow row = ClueRow::FromTexts(odd, "waagerecht", "x");
        EXPECT_EQ(row.Number, 0) << odd;
        EXPECT_EQ(row.NumberText(), odd);
    }
    const ClueRow zeros = ClueRow::FromTexts("007", "Waagerecht", "x");
    EXPECT_EQ(zeros.Number, 7);
    EXPECT_EQ(zeros.NumberText(), "007");
    EXPECT_FALSE(zeros.Dir) << "the direction words are compared exactly";
    EXPECT_EQ(zeros.DirectionText(), "Waagerecht");
    EXPECT_EQ(ClueRow{}.NumberText() + ClueRow{}.DirectionText(), "");
}

TEST(ClueLinkTest, FirstVisibleRowKeepsContextAboveTheRow) {
    EXPECT_EQ(ClueLink::FirstVisibleRow(0), 0);
    EXPECT_EQ(ClueLink::FirstVisibleRow(3), 3);
    EXPECT_EQ(ClueLink::FirstVisibleRow(4), 0);
    EXPECT_EQ(ClueLink::FirstVisibleRow(10), 6);
    EXPECT_EQ(ClueLink::FirstVisibleRow(11), 0);
    EXPECT_EQ(ClueLink::FirstVisibleRow(30), 19);
}

} // namespace
