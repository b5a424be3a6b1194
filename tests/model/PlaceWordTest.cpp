// The placement search on hand-made grids.
#include "model/WordPlacer.h"
#include "tests/model/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class PlaceWordTest : public ::testing::Test {
protected:
    Puzzle puzzle;
    ScriptedDialogs dialogs;
    ScriptedRandom random{{}};
    WordPlacer placer{puzzle, dialogs, random};
    std::optional<Placement> placed;

    // Places entry `index` in the window, with proposals while the puzzle's
    // ConfirmInsertions is on; returns whether it was placed.
    bool Place(int32_t index, int32_t minCrossings, int32_t columnFrom, int32_t columnTo,
               int32_t rowFrom, int32_t rowTo, Direction direction) {
        placed = placer.PlaceWord(index, minCrossings, {columnFrom, columnTo, rowFrom, rowTo},
                                  direction, puzzle.ConfirmInsertions);
        if (placed) {
            EXPECT_EQ(placed->Entry, index);
            EXPECT_EQ(placed->Dir, direction);
        }
        return placed.has_value();
    }
};

TEST_F(PlaceWordTest, WordsEndToEndShareOneBarAndBordersGetNoExtraBar) {
    SetWords(puzzle, {"AB", "CDE"});
    puzzle.ResizeGrid(5, 3);
    puzzle.ResetGrid();
    ASSERT_TRUE(Place(1, 0, 0, 0, 0, 0, Direction::Across));
    ASSERT_TRUE(Place(2, 0, 2, 2, 0, 0, Direction::Across));
    ASSERT_TRUE(Place(1, 0, 1, 1, 2, 2, Direction::Across));
    EXPECT_EQ(BarPicture(puzzle), Picture(R"(
+-+-+-+-+-+
|A B|C D E|
+ + + + + +
|. . . . .|
+ + + + + +
|.|A B|. .|
+-+-+-+-+-+
)"));
    EXPECT_EQ(MarkPicture(puzzle), Picture(R"(
-----
.....
.--..
)"));
    EXPECT_EQ(puzzle.Grid.At(0, 0).AcrossNo, 1);
    EXPECT_EQ(puzzle.Grid.At(2, 0).AcrossNo, 2);
    EXPECT_EQ(placed, (Placement{1, 1, 2, 2, Direction::Across}));
}

TEST_F(PlaceWordTest, DownWordInTheMiddleGetsBarsAboveAndBelow) {
    SetWords(puzzle, {"XYZ"});
    puzzle.ResizeGrid(3, 5);
    puzzle.ResetGrid();
    ASSERT_TRUE(Place(1, 0, 1, 1, 1, 1, Direction::Down));
    EXPECT_EQ(BarPicture(puzzle), Picture(R"(
+-+-+-+
|. . .|
+ +-+ +
|. X .|
+ + + +
|. Y .|
+ + + +
|. Z .|
+ +-+ +
|. . .|
+-+-+-+
)"));
    EXPECT_EQ(puzzle.Grid.At(1, 1).DownNo, 1);
    EXPECT_EQ(puzzle.Grid.At(1, 1).AcrossNo, 0);
}

TEST_F(PlaceWordTest, CrossesOnlyOnEqualLettersOfTheOtherDirection) {
    SetWords(puzzle, {"BAD", "XYZ"});
    SetGrid(puzzle, {"..A..", "..B..", "..A..", "....."}, {"..|..", "..|..", "..|..", "....."});
    // XYZ meets the A or B of the down word with another letter everywhere in rows 0..2.
    EXPECT_FALSE(Place(2, 1, 0, 2, 0, 2, Direction::Across));
    EXPECT_EQ(LetterPicture(puzzle), Picture(R"(
..A..
..B..
..A..
.....
)"));
    // BAD at column 0 would put D on the A; the first fit in scan order is row 0, column 1.
    ASSERT_TRUE(Place(1, 1, 0, 2, 0, 2, Direction::Across));
    EXPECT_EQ(LetterPicture(puzzle), Picture(R"(
.BAD.
..B..
..A..
.....
)"));
    EXPECT_EQ(MarkPicture(puzzle), Picture(R"(
.-+-.
..|..
..|..
.....
)"));
}

TEST_F(PlaceWordTest, NeverLiesOnItsOwnDirectionOrOnACrossing) {
    SetWords(puzzle, {"HAUS", "AUS", "HA"});
    SetGrid(puzzle, {"HAUS.", ".....", "....."}, {"----.", ".....", "....."});
    EXPECT_FALSE(Place(1, 0, 0, 0, 0, 0, Direction::Across)) << "the same word over itself";
    EXPECT_FALSE(Place(2, 0, 1, 1, 0, 0, Direction::Across));
    puzzle.Grid.At(0, 0).Mark = CellMark::Crossing();
    EXPECT_FALSE(Place(3, 0, 0, 0, 0, 0, Direction::Down)) << "through a crossing cell";
    puzzle.Grid.At(0, 0).Mark = CellMark::Of(Direction::Across);
    EXPECT_TRUE(Place(3, 1, 0, 0, 0, 0, Direction::Down));
    EXPECT_EQ(MarkPicture(puzzle), Picture(R"(
+---.
|....
.....
)"));
}

TEST_F(PlaceWordTest, MinCrossingsCountsCrossedWords) {
    SetWords(puzzle, {"ABCD"});
    SetGrid(puzzle, {"A..D..", "......"}, {"|..|..", "......"});
    EXPECT_TRUE(Place(1, 2, 0, 0, 0, 0, Direction::Across)) << "two crossings";
    SetGrid(puzzle, {"A.....", "......"}, {"|.....", "......"});
    puzzle.MarkAllAvailable();
    EXPECT_FALSE(Place(1, 2, 0, 2, 0, 1, Direction::Across))
        << "one crossing is not enough for two";
    EXPECT_TRUE(Place(1, 1, 0, 2, 0, 1, Direction::Across));
}

TEST_F(PlaceWordTest, FencedPositionsAreRejected) {
    SetWords(puzzle, {"AB", "CD"});
    SetGrid(puzzle, {".....", ".....", "....."}, {});
    // Row 0: the top border above, bars below both cells.
    puzzle.Grid.At(0, 0).BarBelow = 1;
    puzzle.Grid.At(1, 0).BarBelow = 1;
    EXPECT_TRUE(placer.IsFenced(0, 0, 2, Direction::Across));
    EXPECT_FALSE(placer.IsFenced(1, 0, 2, Direction::Across));
    EXPECT_FALSE(Place(1, 0, 0, 0, 0, 0, Direction::Across));
    // Row 1 has bars above (row 0's BarBelow) but only one below.
    puzzle.Grid.At(0, 1).BarBelow = 1;
    EXPECT_FALSE(placer.IsFenced(0, 1, 2, Direction::Across));
    puzzle.Grid.At(1, 1).BarBelow = 1;
    EXPECT_TRUE(placer.IsFenced(0, 1, 2, Direction::Across));
    // Down in column 0: the left border counts as a bar.
    puzzle.Grid.At(0, 0).BarRight = 1;
    puzzle.Grid.At(0, 1).BarRight = 1;
    EXPECT_TRUE(placer.IsFenced(0, 0, 2, Direction::Down));
    EXPECT_FALSE(Place(2, 0, 0, 0, 0, 0, Direction::Down));
    EXPECT_FALSE(placer.IsFenced(1, 0, 2, Direction::Down));
}

TEST_F(PlaceWordTest, EqualNeighboursAreOneWordWithARandomClue) {
    SetWords(puzzle, {"AAAA", "BBBB", "CCCC", "DDDD", "XY", "XY", "XY", "EEEE"});
    puzzle.ResizeGrid(6, 6);
    puzzle.ResetGrid();
    puzzle.MarkAllAvailable();
    ScriptedRandom draws({2});
    WordPlacer g(puzzle, dialogs, draws);
    ASSERT_TRUE(g.PlaceWord(5, 0, {0, 0, 0, 0}, Direction::Across, false));
    EXPECT_EQ(draws.Asked, std::vector<int32_t>{3});
    EXPECT_EQ(puzzle.Grid.At(0, 0).AcrossNo, 7) << "entry 5 + the drawn 2";
    for (int32_t i = 1; i <= 8; ++i) {
        EXPECT_EQ(puzzle.Entry(i).Available, (i >= 5 && i <= 7) ? 0 : 1) << "entry " << i;
    }
    // From entry 6 the run is 6..7 only; entry 5 stays placeable.
    puzzle.MarkAllAvailable();
    ScriptedRandom second({0});
    WordPlacer h(puzzle, dialogs, second);
    ASSERT_TRUE(h.PlaceWord(6, 0, {0, 0, 2, 2}, Direction::Down, false));
    EXPECT_EQ(second.Asked, std::vector<int32_t>{2});
    EXPECT_EQ(puzzle.Grid.At(0, 2).DownNo, 6);
    EXPECT_EQ(puzzle.Entry(5).Available, 1);
    EXPECT_EQ(puzzle.Entry(6).Available, 0);
    EXPECT_EQ(puzzle.Entry(7).Available, 0);
}

TEST_F(PlaceWordTest, RunOfEqualWordsEndsAtTheLastEntry) {
    SetWords(puzzle, {"ABC"}, {"XY", "XY"});
    puzzle.ResizeGrid(5, 5);
    puzzle.ResetGrid();
    puzzle.MarkAllAvailable();
    ScriptedRandom draws({1});
    WordPlacer g(puzzle, dialogs, draws);
    ASSERT_TRUE(g.PlaceWord(2, 0, {0, 0, 0, 0}, Direction::Across, false));
    EXPECT_EQ(draws.Asked, std::vector<int32_t>{2});
    EXPECT_EQ(puzzle.Grid.At(0, 0).AcrossNo, 3);
}

TEST_F(PlaceWordTest, NoRestoresTheGridAndTheSearchGoesOn) {
    SetWords(puzzle, {"AX"});
    SetGrid(puzzle, {"..A..", "..B..", "..A..", "....."}, {"..|..", "..|..", "..|..", "....."});
    dialogs.Watched = &puzzle;
    dialogs.PlacementAnswers = {UserDialogs::Answer::No, UserDialogs::Answer::Yes};
    const TFeld before = puzzle.Grid;
    puzzle.ConfirmInsertions = true;
    ASSERT_TRUE(Place(1, 1, 0, 3, 0, 3, Direction::Across));
    EXPECT_EQ(dialogs.PlacementTexts,
              (std::vector<std::string>{"waagerecht - AX", "waagerecht - AX"}));
    EXPECT_EQ(dialogs.SelectedCells, (std::vector<std::pair<int, int>>{{4, 0}, {4, 2}}));
    ASSERT_EQ(dialogs.LettersAtProposal.size(), 2u);
    EXPECT_EQ(dialogs.LettersAtProposal[0], Picture(R"(
..AX.
..B..
..A..
.....
)"));
    EXPECT_EQ(dialogs.LettersAtProposal[1], Picture(R"(
..A..
..B..
..AX.
.....
)")) << "the rejected proposal left no trace";
    EXPECT_EQ(MarkPicture(puzzle), Picture(R"(
..|..
..|..
..+-.
.....
)"));
    EXPECT_TRUE(puzzle.ConfirmInsertions);

    // No on every proposal: nothing placed, the grid as before.
    SetGrid(puzzle, {"..A..", "..B..", "..A..", "....."}, {"..|..", "..|..", "..|..", "....."});
    puzzle.MarkAllAvailable();
    dialogs.DefaultPlacement = UserDialogs::Answer::No;
    EXPECT_FALSE(Place(1, 1, 0, 3, 0, 3, Direction::Across));
    EXPECT_EQ(puzzle.Grid, before);
}

TEST_F(PlaceWordTest, CancelPlacesTheWordAndEndsTheQuestions) {
    SetWords(puzzle, {"AXE", "BY"});
    SetGrid(puzzle, {"A....", "B....", "....."}, {"|....", "|....", "....."});
    dialogs.PlacementAnswers = {UserDialogs::Answer::Cancel};
    puzzle.ConfirmInsertions = true;
    ASSERT_TRUE(Place(1, 1, 0, 2, 0, 2, Direction::Across));
    EXPECT_FALSE(puzzle.ConfirmInsertions);
    ASSERT_TRUE(Place(2, 1, 0, 2, 0, 2, Direction::Across));
    EXPECT_EQ(dialogs.PlacementTexts.size(), 1u);
    EXPECT_EQ(LetterPicture(puzzle), Picture(R"(
AXE..
BY...
.....
)"));
}

TEST_F(PlaceWordTest, ProposalSelectsTheCellPastTheWordOrTheLastOne) {
    SetWords(puzzle, {"ABCDE", "ABC"});
    SetGrid(puzzle, {"A....", ".....", ".....", ".....", "....."},
            {"|....", ".....", ".....", ".....", "....."});
    puzzle.ConfirmInsertions = true;
    dialogs.DefaultPlacement = UserDialogs::Answer::No;
    Place(2, 1, 0, 0, 0, 0, Direction::Across);
    puzzle.Grid.At(0, 0).Mark = CellMark::Of(Direction::Across);
    Place(2, 1, 0, 0, 0, 0, Direction::Down);
    puzzle.ResizeGrid(6, 6);
    SetGrid(puzzle, {"A.....", "......", "......", "......", "......", "......"},
            {"|.....", "......", "......", "......", "......", "......"});
    Place(1, 1, 0, 0, 0, 0, Direction::Across);
    EXPECT_EQ(dialogs.SelectedCells, (std::vector<std::pair<int, int>>{{3, 0}, {0, 3}, {5, 0}}));
    EXPECT_EQ(dialogs.PlacementTexts[1], "senkrecht - ABC");
}

TEST_F(PlaceWordTest, WindowPastTheGridExaminesOnlyInsidePositions) {
    SetWords(puzzle, {"ABC"});
    SetGrid(puzzle, {".....", ".....", "....C"}, {".....", ".....", "....|"});
    EXPECT_FALSE(Place(1, 1, -3, 9, -2, 7, Direction::Down));
    EXPECT_TRUE(Place(1, 1, -3, 9, -2, 7, Direction::Across));
    EXPECT_EQ(LetterPicture(puzzle), Picture(R"(
.....
.....
..ABC
)"));
}

TEST_F(PlaceWordTest, WordFitsOnlyWhenShorterThanTheGridSide) {
    SetWords(puzzle, {"ABCDEFGHIJKLMNO", "ABCDE", ""});
    puzzle.ResizeGrid(15, 16);
    EXPECT_FALSE(placer.WordFits(1, Direction::Across));
    EXPECT_TRUE(placer.WordFits(1, Direction::Down));
    puzzle.ResizeGrid(16, 15);
    EXPECT_TRUE(placer.WordFits(1, Direction::Across));
    EXPECT_FALSE(placer.WordFits(1, Direction::Down));
    puzzle.ResizeGrid(5, 6);
    EXPECT_FALSE(placer.WordFits(2, Direction::Across));
    EXPECT_TRUE(placer.WordFits(2, Direction::Down));
    EXPECT_FALSE(placer.WordFits(3, Direction::Down)) << "an empty word fits nowhere";
}

} // namespace
