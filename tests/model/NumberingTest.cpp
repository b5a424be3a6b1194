// Numbering in reading order, the completed bars and the clue rows.
#include "model/Numbering.h"
#include "tests/model/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// A grid whose start cells hold word-list indices, as the generator leaves it.
class NumberingTest : public ::testing::Test {
protected:
    Puzzle puzzle;

    void Prepare(const std::vector<std::string>& letters, const std::vector<std::string>& marks) {
        SetGrid(puzzle, letters, marks);
        puzzle.CellCount = puzzle.Columns * puzzle.Rows;
        puzzle.AcrossWord.assign(static_cast<size_t>(puzzle.CellCount), 0);
        puzzle.DownWord.assign(static_cast<size_t>(puzzle.CellCount), 0);
    }
};

TEST_F(NumberingTest, NumbersRunInReadingOrderAndASharedStartGetsOneNumber) {
    SetWords(puzzle, {"HAUS", "HUT", "SEE", "TAL"});
    // HAUS across from (3,0), HUT down from (3,0), SEE down from (6,0), TAL across from (0,2).
    Prepare({"...HAUS", "...U..E", "TAL...E"}, {"...+--+", "...|..|", "---|..|"});
    puzzle.Grid.At(3, 0).AcrossNo = 1;
    puzzle.Grid.At(3, 0).DownNo = 2;
    puzzle.Grid.At(6, 0).DownNo = 3;
    puzzle.Grid.At(0, 2).AcrossNo = 4;
    Numbering::NumberWords(puzzle);
    EXPECT_EQ(puzzle.Grid.At(3, 0).AcrossNo, 1);
    EXPECT_EQ(puzzle.Grid.At(3, 0).DownNo, 1);
    EXPECT_EQ(puzzle.Grid.At(6, 0).DownNo, 2);
    EXPECT_EQ(puzzle.Grid.At(0, 2).AcrossNo, 3) << "the next row is numbered after row 0";
    EXPECT_EQ(std::vector<int32_t>(puzzle.AcrossWord.begin(), puzzle.AcrossWord.begin() + 5),
              (std::vector<int32_t>{0, 1, 0, 4, 0}));
    EXPECT_EQ(std::vector<int32_t>(puzzle.DownWord.begin(), puzzle.DownWord.begin() + 5),
              (std::vector<int32_t>{0, 2, 3, 0, 0}));

    Numbering::FillClueList(puzzle);
    EXPECT_EQ(puzzle.ClueRows,
              (std::vector<ClueRow>{ClueRow::Of(1, Direction::Across, "HAUS clue 1"),
                                    ClueRow::Of(1, Direction::Down, "HUT clue 2"),
                                    ClueRow::Of(2, Direction::Down, "SEE clue 3"),
                                    ClueRow::Of(3, Direction::Across, "TAL clue 4")}));
}

TEST_F(NumberingTest, CompleteBarsClosesEveryEdgeOutsideTheWords) {
    SetWords(puzzle, {"HAUS", "HUT"});
    Prepare({".HAUS.", ".U....", ".T...."}, {".+---.", ".|....", ".|...."});
    puzzle.Grid.At(1, 0).AcrossNo = 1;
    puzzle.Grid.At(1, 0).DownNo = 2;
    // The bars placement left at the word ends.
    puzzle.Grid.At(0, 0).BarRight = 1;
    puzzle.Grid.At(4, 0).BarRight = 1;
    Numbering::NumberWords(puzzle);
    Numbering::CompleteBars(puzzle);
    EXPECT_EQ(BarPicture(puzzle), Picture(R"(
+-+-+-+-+-+-+
|.|H A U S|.|
+-+ +-+-+-+-+
|.|U|.|.|.|.|
+-+ +-+-+-+-+
|.|T|.|.|.|.|
+-+-+-+-+-+-+
)"));
}

TEST_F(NumberingTest, RowWithOneWordInTheMiddleOfAWideGrid) {
    SetWords(puzzle, {"LAMPE"});
    Prepare({"..LAMPE........", "..............."}, {"..-----........", "..............."});
    puzzle.Grid.At(2, 0).AcrossNo = 1;
    puzzle.Grid.At(1, 0).BarRight = 1;
    puzzle.Grid.At(6, 0).BarRight = 1;
    Numbering::NumberWords(puzzle);
    Numbering::CompleteBars(puzzle);
    std::string rightEdges;
    for (int32_t c = 0; c < 15; ++c) {
        rightEdges += puzzle.Grid.At(c, 0).BarRight ? '|' : ' ';
    }
    EXPECT_EQ(rightEdges, "||    |||||||||");
    std::string emptyRow;
    for (int32_t c = 0; c < 15; ++c) {
        emptyRow += puzzle.Grid.At(c, 1).BarRight ? '|' : ' ';
    }
    EXPECT_EQ(emptyRow, std::string(15, '|'));
}

} // namespace
