// Numbering in reading order, the completed bars and the clue rows.
#include "model/Numbering.h"
#include "model/GenerationRun.h"
#include "tests/model/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testing_support;

namespace {

// A grid with its words and a run that knows which entry starts where, as
// the generator leaves them.
class NumberingTest : public ::testing::Test {
protected:
    Puzzle puzzle;
    Vocabulary words;
    std::unique_ptr<GenerationRun> run;

    void Prepare(Vocabulary vocabulary, const std::vector<std::string>& letters,
                 const std::vector<std::string>& marks) {
        words = std::move(vocabulary);
        SetGrid(puzzle, letters, marks);
        run = std::make_unique<GenerationRun>(words, puzzle.Columns, puzzle.Rows);
    }
    void Starts(int32_t column, int32_t row, Direction direction, int32_t entry) {
        run->StartAt(column, row, direction) = entry;
    }
};

TEST_F(NumberingTest, NumbersRunInReadingOrderAndASharedStartGetsOneNumber) {
    // HAUS across from (3,0), HUT down from (3,0), SEE down from (6,0), TAL across from (0,2).
    Prepare(Words({"HAUS", "HUT", "SEE", "TAL"}), {"...HAUS", "...U..E", "TAL...E"},
            {"...+--+", "...|..|", "---|..|"});
    Starts(3, 0, Direction::Across, 1);
    Starts(3, 0, Direction::Down, 2);
    Starts(6, 0, Direction::Down, 3);
    Starts(0, 2, Direction::Across, 4);
    Numbering::NumberWords(puzzle, *run);
    EXPECT_EQ(puzzle.Grid.At(3, 0).AcrossNo, 1);
    EXPECT_EQ(puzzle.Grid.At(3, 0).DownNo, 1);
    EXPECT_EQ(puzzle.Grid.At(6, 0).DownNo, 2);
    EXPECT_EQ(puzzle.Grid.At(0, 2).AcrossNo, 3) << "the next row is numbered after row 0";
    std::vector<int32_t> across;
    std::vector<int32_t> down;
    for (int32_t n = 0; n < 5; ++n) {
        across.push_back(run->WordAt(n, Direction::Across));
        down.push_back(run->WordAt(n, Direction::Down));
    }
    EXPECT_EQ(across, (std::vector<int32_t>{0, 1, 0, 4, 0}));
    EXPECT_EQ(down, (std::vector<int32_t>{0, 2, 3, 0, 0}));

    Numbering::FillClueList(puzzle, *run);
    EXPECT_EQ(puzzle.ClueRows,
              (std::vector<ClueRow>{ClueRow::Of(1, Direction::Across, "HAUS clue 1"),
                                    ClueRow::Of(1, Direction::Down, "HUT clue 2"),
                                    ClueRow::Of(2, Direction::Down, "SEE clue 3"),
                                    ClueRow::Of(3, Direction::Across, "TAL clue 4")}));
}

TEST_F(NumberingTest, CompleteBarsClosesEveryEdgeOutsideTheWords) {
    Prepare(Words({"HAUS", "HUT"}), {".HAUS.", ".U....", ".T...."}, {".+---.", ".|....", ".|...."});
    Starts(1, 0, Direction::Across, 1);
    Starts(1, 0, Direction::Down, 2);
    // The bars placement left at the word ends.
    puzzle.Grid.At(0, 0).BarRight = 1;
    puzzle.Grid.At(4, 0).BarRight = 1;
    Numbering::NumberWords(puzzle, *run);
    Numbering::CompleteBars(puzzle, *run);
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
    Prepare(Words({"LAMPE"}), {"..LAMPE........", "..............."},
            {"..-----........", "..............."});
    Starts(2, 0, Direction::Across, 1);
    puzzle.Grid.At(1, 0).BarRight = 1;
    puzzle.Grid.At(6, 0).BarRight = 1;
    Numbering::NumberWords(puzzle, *run);
    Numbering::CompleteBars(puzzle, *run);
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
