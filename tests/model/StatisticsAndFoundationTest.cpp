// Statistics counts and text, checked access.
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "model/CommonWords.h"
#include "model/GenerationRun.h"
#include "model/Puzzle.h"
#include "model/PuzzleScore.h"
#include "model/PuzzleStatistics.h"
#include "tests/model/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST(PuzzleStatisticsTest, EmptyGridCountsOnlyBlackCells) {
    Puzzle puzzle;
    puzzle.ResizeGrid(20, 10);
    const PuzzleStatistics s = PuzzleStatistics::Count(puzzle);
    EXPECT_EQ(s.Rows, 10);
    EXPECT_EQ(s.Columns, 20);
    EXPECT_EQ(s.BlackCells, 200);
    EXPECT_EQ(s.Crossings + s.AcrossWords + s.DownWords, 0);
    EXPECT_EQ(s.CrossingHundredths(), 0);
}

TEST(PuzzleStatisticsTest, CountsMarksStartsAndLetters) {
    Puzzle puzzle;
    SetGrid(puzzle, {"HAUS.", "U....", "T...."}, {"+---.", "|....", "|...."});
    puzzle.Grid.At(0, 0).AcrossNo = 1;
    puzzle.Grid.At(0, 0).DownNo = 1;
    const PuzzleStatistics s = PuzzleStatistics::Count(puzzle);
    EXPECT_EQ(s.Crossings, 1);
    EXPECT_EQ(s.BlackCells, 9);
    EXPECT_EQ(s.AcrossWords, 1);
    EXPECT_EQ(s.DownWords, 1);
    EXPECT_EQ(s.CrossingHundredths(), 667);
}

TEST(PuzzleScoreTest, CountsAnswersUpToTheirBarsAndThoseAmongTheCommonWords) {
    Puzzle puzzle;
    // HAUS across with HUT down from its H; AB across, bar after B; ZU down.
    SetGrid(puzzle, {"HAUS.", "U.AB.", "T..Z.", "...U."}, {"+---.", "|.--.", "|..|.", "...|."});
    puzzle.Grid.At(0, 0).AcrossNo = 1;
    puzzle.Grid.At(0, 0).DownNo = 1;
    puzzle.Grid.At(2, 1).AcrossNo = 2;
    puzzle.Grid.At(3, 2).DownNo = 3;
    puzzle.Grid.At(3, 0).BarRight = 1;
    puzzle.Grid.At(3, 1).BarRight = 1;
    puzzle.Grid.At(0, 2).BarBelow = 1;
    const CommonWords common = CommonWords::Parse("HAUS\nZU\nHUTE\n");
    const PuzzleScore score = PuzzleScore::Of(puzzle, PuzzleScore::SolutionWord::NotAsked, &common);
    EXPECT_EQ(score.TwoLetterAnswers, 2); // AB and ZU (ending on the border)
    EXPECT_EQ(score.BlackCells, 10);
    EXPECT_EQ(score.Crossings, 1);
    EXPECT_EQ(score.Answers, 4);
    EXPECT_EQ(score.CommonAnswers, 2); // HAUS and ZU; HUT is not HUTE
    EXPECT_EQ(score.CommonPercent(), 50);
    // Without a list no answer is common.
    EXPECT_EQ(PuzzleScore::Of(puzzle, PuzzleScore::SolutionWord::NotAsked).CommonAnswers, 0);
}

TEST(PuzzleScoreTest, OrderIsSolutionWordBlackCellsCommonShareCrossingsTwoLetterAnswers) {
    using Word = PuzzleScore::SolutionWord;
    const auto score = [](Word word, int32_t black, int32_t answers, int32_t common,
                          int32_t crossings, int32_t two) {
        return PuzzleScore{word, black, answers, common, crossings, two};
    };
    const PuzzleScore base = score(Word::Placed, 40, 30, 15, 30, 5);
    EXPECT_FALSE(base.BetterThan(base));
    EXPECT_TRUE(base.BetterThan(score(Word::NotFound, 10, 30, 30, 90, 0)));
    EXPECT_FALSE(score(Word::NotAsked, 40, 30, 15, 30, 5).BetterThan(base)); // same rank
    EXPECT_TRUE(score(Word::Placed, 39, 30, 0, 0, 50).BetterThan(base));
    // The share, not the count: 16 of 30 beats 15 of 30, 20 of 40 does not.
    EXPECT_TRUE(score(Word::Placed, 40, 30, 16, 0, 50).BetterThan(base));
    EXPECT_FALSE(score(Word::Placed, 40, 40, 20, 30, 5).BetterThan(base));
    EXPECT_TRUE(score(Word::Placed, 40, 40, 20, 31, 5).BetterThan(base));
    EXPECT_TRUE(score(Word::Placed, 40, 30, 15, 30, 4).BetterThan(base));
    EXPECT_FALSE(score(Word::Placed, 40, 30, 15, 30, 6).BetterThan(base));
    // No answers at all: a share of nothing, no division.
    EXPECT_EQ(score(Word::Placed, 40, 0, 0, 0, 0).CommonPercent(), 0);
    EXPECT_TRUE(base.BetterThan(score(Word::Placed, 40, 0, 0, 0, 0)));
}

TEST(PuzzleStatisticsTest, PercentIsInHundredthsRoundedHalfUp) {
    PuzzleStatistics s;
    s.Columns = 15;
    s.Rows = 15;
    s.Crossings = 37;
    EXPECT_EQ(s.CrossingHundredths(), 1644);
    s.Crossings = 225;
    EXPECT_EQ(s.CrossingHundredths(), 10000);
    s.Columns = 99;
    s.Rows = 99;
    s.Crossings = 1;
    EXPECT_EQ(s.CrossingHundredths(), 1);
    // An exact tie rounds up: 4000 / 256 = 15.625, and 1 / 16 = 6.25 %.
    s.Columns = 16;
    s.Rows = 16;
    s.Crossings = 40;
    EXPECT_EQ(s.CrossingHundredths(), 1563);
    s.Columns = 20;
    s.Rows = 20;
    s.Crossings = 25;
    EXPECT_EQ(s.CrossingHundredths(), 625);
    s.Columns = 40;
    s.Rows = 40;
    s.Crossings = 1;
    EXPECT_EQ(s.CrossingHundredths(), 6); // 0.0625
}

TEST(PuzzleTest, ResetPutsBarsOnTheRightAndBottomBorderOnly) {
    Puzzle puzzle;
    EXPECT_EQ(puzzle.Grid.At(14, 14).BarRight + puzzle.Grid.At(14, 14).BarBelow, 0)
        << "a new grid has no bars";
    puzzle.ResizeGrid(4, 2);
    puzzle.ResetGrid();
    EXPECT_EQ(BarPicture(puzzle), Picture(R"(
+-+-+-+-+
|. . . .|
+ + + + +
|. . . .|
+-+-+-+-+
)"));
}

TEST(PuzzleTest, AccessOutsideTheGridOrTheWordListThrows) {
    Puzzle puzzle;
    puzzle.ResizeGrid(6, 5);
    EXPECT_NO_THROW(puzzle.Grid.At(5, 4));
    EXPECT_THROW(puzzle.Grid.At(6, 0), WabolexError);
    EXPECT_THROW(puzzle.Grid.At(0, 5), WabolexError);
    EXPECT_THROW(puzzle.Grid.At(-1, 0), WabolexError);
    const Vocabulary words = Words({"AB"}, {"C"});
    EXPECT_NO_THROW(words.Entry(2));
    EXPECT_THROW(words.Entry(3), WabolexError);
    EXPECT_THROW(words.Entry(-1), WabolexError);
    GenerationRun run(words, 6, 5);
    EXPECT_NO_THROW(run.WordAt(29, Direction::Down));
    EXPECT_THROW(run.WordAt(30, Direction::Across), WabolexError);
    EXPECT_THROW(run.StartAt(6, 0, Direction::Across), WabolexError);
}

} // namespace
