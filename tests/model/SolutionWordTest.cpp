// Finding and marking the solution word.
#include "model/SolutionWord.h"
#include "tests/model/TestSupport.h"

#include "base/Cp1252.h"

#include <gtest/gtest.h>

#include <set>

using namespace testing_support;

namespace {

class SolutionWordTest : public ::testing::Test {
protected:
    Puzzle puzzle;
    RandomSource random{17};

    bool Place(const std::string& word) {
        return SolutionWord::Place(puzzle, word, random) == SolutionWord::Outcome::Placed;
    }

    // Every placed letter sits on its own cell with the right letter and position.
    void ExpectPlaced(const std::string& capitals) {
        std::set<std::pair<int32_t, int32_t>> cells;
        for (size_t k = 0; k < capitals.size(); ++k) {
            const SolutionMark& m = puzzle.SolutionMarks[k];
            EXPECT_EQ(puzzle.Grid.At(m.Column, m.Row).Letter, capitals[k]) << "letter " << k;
            EXPECT_EQ(m.Position, static_cast<int32_t>(k) + 1);
            cells.insert({m.Column, m.Row});
        }
        EXPECT_EQ(cells.size(), capitals.size()) << "one cell per letter";
    }
};

TEST_F(SolutionWordTest, HochzeitstagNeedsTwoSeparateTs) {
    SetGrid(puzzle, {"HOCHZ", "EITSA", "G.T..", "....."}, {});
    EXPECT_TRUE(Place("HOCHZEITSTAG"));
    EXPECT_TRUE(puzzle.SolutionWordShown);
    ExpectPlaced("HOCHZEITSTAG");

    puzzle.ClearSolutionMarks();
    puzzle.SolutionWordShown = false;
    puzzle.Grid.At(2, 2).Letter = '.';
    EXPECT_FALSE(Place("HOCHZEITSTAG"));
    EXPECT_FALSE(puzzle.SolutionWordShown);
    EXPECT_EQ(puzzle.SolutionMarks, TSolutionMarks{}) << "a failed search keeps the marking";
}

TEST_F(SolutionWordTest, SmallLettersAreSearchedInCapitals) {
    SetGrid(puzzle, {"B?R..", "....."}, {});
    puzzle.Grid.At(1, 0).Letter = W("Ä")[0];
    EXPECT_TRUE(Place(W("bär")));
    ExpectPlaced(W("BÄR"));
    EXPECT_FALSE(Place(W("bäre")));
    EXPECT_EQ(SolutionWord::Searched(W("bäre")), W("BÄRE")) << "as the message names it";
    // The grid's small letters never match.
    SetGrid(puzzle, {"abc..", "....."}, {});
    EXPECT_FALSE(Place("abc"));
}

TEST_F(SolutionWordTest, EmptyWordMarksNothingAndIsShown) {
    SetGrid(puzzle, {".....", "....."}, {});
    EXPECT_TRUE(Place(""));
    EXPECT_TRUE(puzzle.SolutionWordShown);
    EXPECT_EQ(puzzle.SolutionMarks, TSolutionMarks{});
}

TEST_F(SolutionWordTest, DrawsColumnThenRowUntilAFreeCellWithTheLetter) {
    SetGrid(puzzle, {"AB...", "....A"}, {});
    // A: (1,0) is 'B', then (0,0). B: (0,0) is taken... no, it holds 'A'; then (1,0).
    // A again: (0,0) is marked, then (4,1).
    ScriptedRandom draws({1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 4, 1});
    EXPECT_EQ(SolutionWord::Place(puzzle, "aba", draws), SolutionWord::Outcome::Placed);
    EXPECT_EQ(draws.Asked, (std::vector<int32_t>{5, 2, 5, 2, 5, 2, 5, 2, 5, 2, 5, 2}));
    EXPECT_EQ(puzzle.SolutionMarks[0], (SolutionMark{0, 0, 1}));
    EXPECT_EQ(puzzle.SolutionMarks[1], (SolutionMark{1, 0, 2}));
    EXPECT_EQ(puzzle.SolutionMarks[2], (SolutionMark{4, 1, 3}));
    EXPECT_EQ(puzzle.SolutionMarks[3], SolutionMark{});
}

TEST_F(SolutionWordTest, IsMarkedLooksAtTheFirstCountEntriesOnly) {
    puzzle.SolutionMarks[0] = {2, 3, 1};
    puzzle.SolutionMarks[1] = {4, 1, 2};
    EXPECT_FALSE(SolutionWord::IsMarked(puzzle, 2, 3, 0));
    EXPECT_TRUE(SolutionWord::IsMarked(puzzle, 2, 3, 1));
    EXPECT_FALSE(SolutionWord::IsMarked(puzzle, 4, 1, 1));
    EXPECT_TRUE(SolutionWord::IsMarked(puzzle, 4, 1, 2));
    EXPECT_FALSE(SolutionWord::IsMarked(puzzle, 3, 2, 20));
    EXPECT_FALSE(SolutionWord::IsMarked(puzzle, -1, -1, 0));
    EXPECT_TRUE(SolutionWord::IsMarked(puzzle, -1, -1, 20)) << "cleared entries name (-1,-1)";
}

TEST_F(SolutionWordTest, OnlyTwentyLettersAreMarked) {
    SetGrid(puzzle, {"AAAAAAAAAA", "AAAAAAAAAA", "AAAAAAAAAA"}, {});
    EXPECT_TRUE(Place(std::string(25, 'a')));
    ExpectPlaced(std::string(20, 'A'));
}

} // namespace
