// The placement search on hand-made grids.
#include "model/GenerationRun.h"
#include "model/WordPlacer.h"
#include "tests/model/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testing_support;

namespace {

class PlaceWordTest : public ::testing::Test {
protected:
    Puzzle puzzle;
    Vocabulary words;
    ScriptedDialogs dialogs;
    ScriptedRandom random{{}};
    std::unique_ptr<GenerationRun> run;
    std::unique_ptr<WordPlacer> placer;
    std::optional<Placement> placed;

    // A new run with these words on the grid as it is sized now: every word free.
    void Start(Vocabulary vocabulary) {
        words = std::move(vocabulary);
        Restart();
    }
    void Restart(RandomSource& draws) {
        run = std::make_unique<GenerationRun>(words, puzzle.Columns, puzzle.Rows);
        placer = std::make_unique<WordPlacer>(puzzle, *run, dialogs, draws);
    }
    void Restart() { Restart(random); }

    // Places entry `index` in the window, with proposals while the run's
    // ConfirmInsertions is on; returns whether it was placed.
    bool Place(int32_t index, int32_t minCrossings, int32_t columnFrom, int32_t columnTo,
               int32_t rowFrom, int32_t rowTo, Direction direction) {
        placed = placer->PlaceWord(index, minCrossings, {columnFrom, columnTo, rowFrom, rowTo},
                                   direction, run->ConfirmInsertions);
        if (placed) {
            EXPECT_EQ(placed->Entry, index);
            EXPECT_EQ(placed->Dir, direction);
        }
        return placed.has_value();
    }
};

TEST_F(PlaceWordTest, WordsEndToEndShareOneBarAndBordersGetNoExtraBar) {
    puzzle.ResizeGrid(5, 3);
    puzzle.ResetGrid();
    Start(Words({"AB", "CDE"}));
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
    // The run knows where each word starts; the grid gets its numbers later.
    EXPECT_EQ(run->StartAt(0, 0, Direction::Across), 1);
    EXPECT_EQ(run->StartAt(2, 0, Direction::Across), 2);
    EXPECT_EQ(puzzle.Grid.At(0, 0).AcrossNo, 0);
    EXPECT_EQ(placed, (Placement{1, 1, 2, 2, Direction::Across}));
}

TEST_F(PlaceWordTest, DownWordInTheMiddleGetsBarsAboveAndBelow) {
    puzzle.ResizeGrid(3, 5);
    puzzle.ResetGrid();
    Start(Words({"XYZ"}));
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
    EXPECT_EQ(run->StartAt(1, 1, Direction::Down), 1);
    EXPECT_EQ(run->StartAt(1, 1, Direction::Across), 0);
}

TEST_F(PlaceWordTest, CrossesOnlyOnEqualLettersOfTheOtherDirection) {
    SetGrid(puzzle, {"..A..", "..B..", "..A..", "....."}, {"..|..", "..|..", "..|..", "....."});
    Start(Words({"BAD", "XYZ"}));
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
    SetGrid(puzzle, {"HAUS.", ".....", "....."}, {"----.", ".....", "....."});
    Start(Words({"HAUS", "AUS", "HA"}));
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
    SetGrid(puzzle, {"A..D..", "......"}, {"|..|..", "......"});
    Start(Words({"ABCD"}));
    EXPECT_TRUE(Place(1, 2, 0, 0, 0, 0, Direction::Across)) << "two crossings";
    SetGrid(puzzle, {"A.....", "......"}, {"|.....", "......"});
    Restart();
    EXPECT_FALSE(Place(1, 2, 0, 2, 0, 1, Direction::Across))
        << "one crossing is not enough for two";
    EXPECT_TRUE(Place(1, 1, 0, 2, 0, 1, Direction::Across));
}

TEST_F(PlaceWordTest, FencedPositionsAreRejected) {
    SetGrid(puzzle, {".....", ".....", "....."}, {});
    Start(Words({"AB", "CD"}));
    // Row 0: the top border above, bars below both cells.
    puzzle.Grid.At(0, 0).BarBelow = 1;
    puzzle.Grid.At(1, 0).BarBelow = 1;
    EXPECT_TRUE(placer->IsFenced(0, 0, 2, Direction::Across));
    EXPECT_FALSE(placer->IsFenced(1, 0, 2, Direction::Across));
    EXPECT_FALSE(Place(1, 0, 0, 0, 0, 0, Direction::Across));
    // Row 1 has bars above (row 0's BarBelow) but only one below.
    puzzle.Grid.At(0, 1).BarBelow = 1;
    EXPECT_FALSE(placer->IsFenced(0, 1, 2, Direction::Across));
    puzzle.Grid.At(1, 1).BarBelow = 1;
    EXPECT_TRUE(placer->IsFenced(0, 1, 2, Direction::Across));
    // Down in column 0: the left border counts as a bar.
    puzzle.Grid.At(0, 0).BarRight = 1;
    puzzle.Grid.At(0, 1).BarRight = 1;
    EXPECT_TRUE(placer->IsFenced(0, 0, 2, Direction::Down));
    EXPECT_FALSE(Place(2, 0, 0, 0, 0, 0, Direction::Down));
    EXPECT_FALSE(placer->IsFenced(1, 0, 2, Direction::Down));
}

TEST_F(PlaceWordTest, EqualNeighboursAreOneWordWithARandomClue) {
    puzzle.ResizeGrid(6, 6);
    puzzle.ResetGrid();
    words = Words({"AAAA", "BBBB", "CCCC", "DDDD", "XY", "XY", "XY", "EEEE"});
    ScriptedRandom draws({2});
    Restart(draws);
    ASSERT_TRUE(placer->PlaceWord(5, 0, {0, 0, 0, 0}, Direction::Across, false));
    EXPECT_EQ(draws.Asked, std::vector<int32_t>{3});
    EXPECT_EQ(run->StartAt(0, 0, Direction::Across), 7) << "entry 5 + the drawn 2";
    for (int32_t i = 1; i <= 8; ++i) {
        EXPECT_EQ(run->Available[i], (i >= 5 && i <= 7) ? 0 : 1) << "entry " << i;
    }
    // From entry 6 the run is 6..7 only; entry 5 stays placeable.
    ScriptedRandom second({0});
    Restart(second);
    ASSERT_TRUE(placer->PlaceWord(6, 0, {0, 0, 2, 2}, Direction::Down, false));
    EXPECT_EQ(second.Asked, std::vector<int32_t>{2});
    EXPECT_EQ(run->StartAt(0, 2, Direction::Down), 6);
    EXPECT_EQ(run->Available[5], 1);
    EXPECT_EQ(run->Available[6], 0);
    EXPECT_EQ(run->Available[7], 0);
    // The vocabulary itself is read only.
    EXPECT_EQ(words.Entry(6).Clue, "XY clue 6");
}

TEST_F(PlaceWordTest, RunOfEqualWordsEndsAtTheLastEntry) {
    puzzle.ResizeGrid(5, 5);
    puzzle.ResetGrid();
    words = Words({"ABC"}, {"XY", "XY"});
    ScriptedRandom draws({1});
    Restart(draws);
    ASSERT_TRUE(placer->PlaceWord(2, 0, {0, 0, 0, 0}, Direction::Across, false));
    EXPECT_EQ(draws.Asked, std::vector<int32_t>{2});
    EXPECT_EQ(run->StartAt(0, 0, Direction::Across), 3);
}

TEST_F(PlaceWordTest, NoRestoresTheGridAndTheSearchGoesOn) {
    SetGrid(puzzle, {"..A..", "..B..", "..A..", "....."}, {"..|..", "..|..", "..|..", "....."});
    Start(Words({"AX"}));
    dialogs.Watched = &puzzle;
    dialogs.PlacementAnswers = {UserDialogs::Answer::No, UserDialogs::Answer::Yes};
    const TFeld before = puzzle.Grid;
    run->ConfirmInsertions = true;
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
    EXPECT_TRUE(run->ConfirmInsertions);

    // No on every proposal: nothing placed, the grid as before.
    SetGrid(puzzle, {"..A..", "..B..", "..A..", "....."}, {"..|..", "..|..", "..|..", "....."});
    Restart();
    run->ConfirmInsertions = true;
    dialogs.DefaultPlacement = UserDialogs::Answer::No;
    EXPECT_FALSE(Place(1, 1, 0, 3, 0, 3, Direction::Across));
    EXPECT_EQ(puzzle.Grid, before);
}

TEST_F(PlaceWordTest, CancelPlacesTheWordAndEndsTheQuestions) {
    SetGrid(puzzle, {"A....", "B....", "....."}, {"|....", "|....", "....."});
    Start(Words({"AXE", "BY"}));
    dialogs.PlacementAnswers = {UserDialogs::Answer::Cancel};
    run->ConfirmInsertions = true;
    ASSERT_TRUE(Place(1, 1, 0, 2, 0, 2, Direction::Across));
    EXPECT_FALSE(run->ConfirmInsertions);
    ASSERT_TRUE(Place(2, 1, 0, 2, 0, 2, Direction::Across));
    EXPECT_EQ(dialogs.PlacementTexts.size(), 1u);
    EXPECT_EQ(LetterPicture(puzzle), Picture(R"(
AXE..
BY...
.....
)"));
}

TEST_F(PlaceWordTest, ProposalSelectsTheCellPastTheWordOrTheLastOne) {
    SetGrid(puzzle, {"A....", ".....", ".....", ".....", "....."},
            {"|....", ".....", ".....", ".....", "....."});
    Start(Words({"ABCDE", "ABC"}));
    run->ConfirmInsertions = true;
    dialogs.DefaultPlacement = UserDialogs::Answer::No;
    Place(2, 1, 0, 0, 0, 0, Direction::Across);
    puzzle.Grid.At(0, 0).Mark = CellMark::Of(Direction::Across);
    Place(2, 1, 0, 0, 0, 0, Direction::Down);
    SetGrid(puzzle, {"A.....", "......", "......", "......", "......", "......"},
            {"|.....", "......", "......", "......", "......", "......"});
    Restart();
    run->ConfirmInsertions = true;
    Place(1, 1, 0, 0, 0, 0, Direction::Across);
    EXPECT_EQ(dialogs.SelectedCells, (std::vector<std::pair<int, int>>{{3, 0}, {0, 3}, {5, 0}}));
    EXPECT_EQ(dialogs.PlacementTexts[1], "senkrecht - ABC");
}

TEST_F(PlaceWordTest, WindowPastTheGridExaminesOnlyInsidePositions) {
    SetGrid(puzzle, {".....", ".....", "....C"}, {".....", ".....", "....|"});
    Start(Words({"ABC"}));
    EXPECT_FALSE(Place(1, 1, -3, 9, -2, 7, Direction::Down));
    EXPECT_TRUE(Place(1, 1, -3, 9, -2, 7, Direction::Across));
    EXPECT_EQ(LetterPicture(puzzle), Picture(R"(
.....
.....
..ABC
)"));
}

TEST_F(PlaceWordTest, WordFitsOnlyWhenShorterThanTheGridSide) {
    Start(Words({"ABCDEFGHIJKLMNO", "ABCDE", ""}));
    puzzle.ResizeGrid(15, 16);
    EXPECT_FALSE(placer->WordFits(1, Direction::Across));
    EXPECT_TRUE(placer->WordFits(1, Direction::Down));
    puzzle.ResizeGrid(16, 15);
    EXPECT_TRUE(placer->WordFits(1, Direction::Across));
    EXPECT_FALSE(placer->WordFits(1, Direction::Down));
    puzzle.ResizeGrid(5, 6);
    EXPECT_FALSE(placer->WordFits(2, Direction::Across));
    EXPECT_TRUE(placer->WordFits(2, Direction::Down));
    EXPECT_FALSE(placer->WordFits(3, Direction::Down)) << "an empty word fits nowhere";
}

} // namespace
