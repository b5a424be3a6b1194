// The run of "&Generieren": its protocol with the user, its random draws and
// the cases in which it stops with a message.
#include "model/Generator.h"
#include "model/SolutionWord.h"
#include "tests/model/TestSupport.h"

#include "base/Cp1252.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;

namespace {

GenerationSettings Quiet() {
    GenerationSettings s;
    s.ShowInsertions = false;
    s.UseSolutionWord = false;
    return s;
}

// Reads the word starting at a numbered cell back from the grid.
std::string WordAt(const Puzzle& p, int32_t column, int32_t row, bool across) {
    std::string word;
    for (;;) {
        word += p.Grid.At(column, row).Letter;
        const bool open =
            across ? !p.Grid.At(column, row).BarRight : !p.Grid.At(column, row).BarBelow;
        if (!open) {
            return word;
        }
        across ? ++column : ++row;
    }
}

TEST(GeneratorRunTest, WithoutVocabularyNothingChanges) {
    Puzzle puzzle;
    puzzle.Grid.At(3, 3).Letter = 'Q';
    const Puzzle before = puzzle;
    const Vocabulary words;
    ScriptedDialogs dialogs;
    RandomSource random(1);
    EXPECT_EQ(Generator(puzzle, words, dialogs, random).RGenerieren(GenerationSettings{}),
              GenerationOutcome::NoVocabulary);
    EXPECT_TRUE(dialogs.Events.empty());
    EXPECT_EQ(puzzle.Grid, before.Grid);
}

TEST(GeneratorRunTest, OnlyShortWordsIsRefusedWithAMessage) {
    Puzzle puzzle;
    const Vocabulary words = Words({}, {"AB", "CD", "EF"});
    const TFeld before = puzzle.Grid;
    ScriptedDialogs dialogs;
    RandomSource random(1);
    EXPECT_EQ(Generator(puzzle, words, dialogs, random).RGenerieren(Quiet()),
              GenerationOutcome::OnlyShortWords);
    EXPECT_TRUE(dialogs.Events.empty());
    EXPECT_EQ(puzzle.Grid, before);
}

TEST(GeneratorRunTest, NoMainWordFittingTheStartDirectionEndsWithAResetGrid) {
    Puzzle puzzle;
    puzzle.ResizeGrid(6, 5); // across start: words must be shorter than 6
    const Vocabulary words = Words({"ABCDEFG", "ABCDEF"}, {"AB"});
    puzzle.ClueRows = {ClueRow::Of(1, Direction::Across, "alt"),
                       ClueRow::Of(2, Direction::Down, "alt")};
    ScriptedDialogs dialogs;
    RandomSource random(1);
    EXPECT_EQ(Generator(puzzle, words, dialogs, random).RGenerieren(GenerationSettings{}),
              GenerationOutcome::NoStartWordAcross);
    EXPECT_EQ(dialogs.Events,
              (std::vector<std::string>{"busy", "new", "repaint", "idle", "repaint"}));
    EXPECT_EQ(BarPicture(puzzle), Picture(R"(
+-+-+-+-+-+-+
|. . . . . .|
+ + + + + + +
|. . . . . .|
+ + + + + + +
|. . . . . .|
+ + + + + + +
|. . . . . .|
+ + + + + + +
|. . . . . .|
+-+-+-+-+-+-+
)"));
    EXPECT_EQ(puzzle.ClueRows, std::vector<ClueRow>(1));
}

TEST(GeneratorRunTest, StartDirectionFollowsTheLongerSide) {
    struct Case {
        int32_t columns, rows;
        std::vector<int32_t> draws;
        bool across;
    };
    const std::vector<Case> cases = {
        {20, 10, {}, true}, {10, 20, {}, false}, {15, 15, {4}, true}, {15, 15, {37}, false}};
    for (const Case& c : cases) {
        Puzzle puzzle;
        puzzle.ResizeGrid(c.columns, c.rows);
        const Vocabulary words = Words({"STARTWORT"});
        ScriptedDialogs dialogs;
        // The first free draws after the direction: word 0 of 1, then the start cell 2.
        std::vector<int32_t> draws = c.draws;
        draws.insert(draws.end(), {0, 2});
        ScriptedRandom random(draws);
        Generator(puzzle, words, dialogs, random).RGenerieren(Quiet());
        EXPECT_EQ(random.Asked.at(0), c.columns == c.rows ? 100 : 1) << c.columns << "x" << c.rows;
        ASSERT_EQ(puzzle.ClueRows.size(), 1u);
        EXPECT_EQ(puzzle.ClueRows[0].DirectionText(), c.across ? "waagerecht" : "senkrecht");
        // The start word lies in the middle row or column, from the drawn cell on.
        const int32_t column = c.across ? 2 : c.columns / 2;
        const int32_t row = c.across ? c.rows / 2 : 2;
        EXPECT_EQ(WordAt(puzzle, column, row, c.across), "STARTWORT") << c.columns << "x" << c.rows;
        EXPECT_EQ(puzzle.Grid.At(column, row).AcrossNo + puzzle.Grid.At(column, row).DownNo, 1);
    }
}

TEST(GeneratorRunTest, StartWordQuestionRepeatsTheDrawOnNo) {
    Puzzle puzzle;
    puzzle.ResizeGrid(12, 10);
    const Vocabulary words = Words({"ABCDEFGHIJKL", "KLEID", "HOSE"});
    ScriptedDialogs dialogs;
    dialogs.StartAnswers = {false, true};
    dialogs.DefaultPlacement = UserDialogs::Answer::No;
    // Draw entry 1 (too long, drawn again silently), entry 2 (No), entry 3 (Yes).
    ScriptedRandom random({0, 1, 2, 0});
    Generator(puzzle, words, dialogs, random).RGenerieren(GenerationSettings{});
    EXPECT_EQ(dialogs.StartTexts, (std::vector<std::string>{"waagerecht - KLEID : KLEID clue 2",
                                                            "waagerecht - HOSE : HOSE clue 3"}));
    EXPECT_EQ(std::vector<int32_t>(random.Asked.begin(), random.Asked.begin() + 4),
              (std::vector<int32_t>{3, 3, 3, 9}))
        << "three draws of a main word, then the start column of a four-letter word";
    EXPECT_EQ(WordAt(puzzle, 0, 5, true), "HOSE");
}

TEST(GeneratorRunTest, QuietRunShowsNoBoxUntilTheStatistics) {
    Puzzle puzzle;
    const Vocabulary words = SyntheticWords(400, 50, 7);
    ScriptedDialogs dialogs;
    RandomSource random(3);
    EXPECT_EQ(Generator(puzzle, words, dialogs, random).RGenerieren(Quiet()),
              GenerationOutcome::Generated);
    EXPECT_EQ(dialogs.Events, (std::vector<std::string>{"busy", "new", "repaint", "idle", "repaint",
                                                        "statistics"}));
    ASSERT_EQ(dialogs.Statistics.size(), 1u);
    EXPECT_GT(dialogs.Statistics[0].AcrossWords + dialogs.Statistics[0].DownWords, 5);
}

TEST(GeneratorRunTest, CancelOnTheFirstProposalLetsTheRunGoOnWithoutQuestions) {
    Puzzle puzzle;
    const Vocabulary words = SyntheticWords(400, 50, 7);
    ScriptedDialogs dialogs;
    dialogs.PlacementAnswers = {UserDialogs::Answer::Cancel};
    RandomSource random(3);
    GenerationSettings settings = Quiet();
    settings.ShowInsertions = true;
    Generator generator(puzzle, words, dialogs, random);
    generator.RGenerieren(settings);
    EXPECT_EQ(dialogs.StartTexts.size(), 1u);
    EXPECT_EQ(dialogs.PlacementTexts.size(), 1u);
    EXPECT_FALSE(generator.Run()->ConfirmInsertions);

    // Cancel places the word where Yes would, so the puzzle equals a quiet run's.
    Puzzle quiet;
    const Vocabulary quietWords = SyntheticWords(400, 50, 7);
    ScriptedDialogs none;
    RandomSource same(3);
    Generator(quiet, quietWords, none, same).RGenerieren(Quiet());
    EXPECT_EQ(BarPicture(puzzle), BarPicture(quiet));
}

TEST(GeneratorRunTest, NoOnEveryProposalLeavesOnlyTheStartWord) {
    Puzzle puzzle;
    const Vocabulary words = SyntheticWords(300, 30, 11);
    ScriptedDialogs dialogs;
    dialogs.DefaultPlacement = UserDialogs::Answer::No;
    RandomSource random(5);
    GenerationSettings settings = Quiet();
    settings.ShowInsertions = true;
    Generator generator(puzzle, words, dialogs, random);
    generator.RGenerieren(settings);
    EXPECT_GT(dialogs.PlacementTexts.size(), 1u);
    EXPECT_EQ(puzzle.ClueRows.size(), 1u);
    EXPECT_TRUE(generator.Run()->ConfirmInsertions);
    const PuzzleStatistics s = PuzzleStatistics::Count(puzzle);
    EXPECT_EQ(s.AcrossWords + s.DownWords, 1);
    EXPECT_EQ(s.Crossings, 0);
}

TEST(GeneratorRunTest, PassSettingCountsOnlyAboveTheGridMinimum) {
    // 15 x 15 needs at least 4 (15 div 5 + 1), 99 x 99 at least 20.
    auto run = [](int32_t side, int32_t passes) {
        Puzzle puzzle;
        puzzle.ResizeGrid(side, side);
        const Vocabulary words = SyntheticWords(side > 50 ? 3000 : 600, 60, 21);
        ScriptedDialogs dialogs;
        RandomSource random(9);
        GenerationSettings settings = Quiet();
        settings.Passes = passes;
        Generator(puzzle, words, dialogs, random).RGenerieren(settings);
        return BarPicture(puzzle);
    };
    const std::string fifteen = run(15, 4);
    EXPECT_EQ(run(15, 2), fifteen);
    EXPECT_EQ(run(15, 0), fifteen);
    EXPECT_EQ(run(99, 1), run(99, 20));
}

TEST(GeneratorRunTest, EveryPassAsksOnceWhenAllProposalsAreRefused) {
    // ABCDEFGH across in row 2 from column 0. XA can only go down from (0,1), ending
    // on the A: once in each pass's chain step, never in the free step (it needs two
    // crossings), once more in the fill pass. A 10 x 5 grid needs 3 passes at least.
    for (const auto& [passes, proposals] :
         std::vector<std::pair<int32_t, size_t>>{{0, 5}, {3, 5}, {4, 6}, {7, 9}}) {
        Puzzle puzzle;
        puzzle.ResizeGrid(10, 5);
        const Vocabulary words = Words({"ABCDEFGH", "XA"});
        ScriptedDialogs dialogs;
        dialogs.DefaultPlacement = UserDialogs::Answer::No;
        ScriptedRandom random({0, 0});
        GenerationSettings settings;
        settings.Passes = passes;
        settings.UseSolutionWord = false;
        Generator(puzzle, words, dialogs, random).RGenerieren(settings);
        EXPECT_EQ(dialogs.PlacementTexts.size(), proposals) << "Durchläufe " << passes;
        EXPECT_EQ(dialogs.PlacementTexts.back(), "senkrecht - XA");
        EXPECT_EQ(dialogs.SelectedCells.back(), (std::pair<int, int>{0, 3}));
        EXPECT_EQ(LetterPicture(puzzle), Picture(R"(
..........
..........
ABCDEFGH..
..........
..........
)"));
    }
}

TEST(GeneratorRunTest, ShortWordsOnlyWhenAsked) {
    for (const bool useShort : {false, true}) {
        Puzzle puzzle;
        const Vocabulary words = SyntheticWords(150, 400, 4);
        ScriptedDialogs dialogs;
        RandomSource random(8);
        GenerationSettings settings = Quiet();
        settings.UseShortWords = useShort;
        Generator generator(puzzle, words, dialogs, random);
        generator.RGenerieren(settings);
        const GenerationRun& run = *generator.Run();
        int32_t shortWords = 0;
        for (int32_t n = 1; n < run.CellCount(); ++n) {
            for (const Direction direction : {Direction::Across, Direction::Down}) {
                shortWords += run.WordAt(n, direction) >= words.ShortWordStart() ? 1 : 0;
            }
        }
        if (useShort) {
            EXPECT_GT(shortWords, 0);
        } else {
            EXPECT_EQ(shortWords, 0);
        }
    }
}

// The solution word is the step after a run, in the window and on the command
// line: it follows the run's draws on the same random source.
TEST(GeneratorRunTest, SolutionWordIsTheStepAfterTheRun) {
    Puzzle puzzle;
    const Vocabulary words = SyntheticWords(400, 50, 7);
    ScriptedDialogs dialogs;
    RandomSource random(3);
    GenerationSettings settings = Quiet();
    settings.UseSolutionWord = true; // read by the caller, not by the run
    ASSERT_EQ(Generator(puzzle, words, dialogs, random).RGenerieren(settings),
              GenerationOutcome::Generated);
    EXPECT_FALSE(puzzle.SolutionWordShown);
    EXPECT_EQ(puzzle.SolutionMarks[0], SolutionMark{});
    ASSERT_EQ(SolutionWord::Place(puzzle, "Eis", random), SolutionWord::Outcome::Placed);
    EXPECT_TRUE(puzzle.SolutionWordShown);
    EXPECT_EQ(puzzle.Grid.At(puzzle.SolutionMarks[2].Column, puzzle.SolutionMarks[2].Row).Letter,
              'S');

    ASSERT_EQ(Generator(puzzle, words, dialogs, random).RGenerieren(settings),
              GenerationOutcome::Generated);
    EXPECT_EQ(SolutionWord::Place(puzzle, "QQQQQQQQQQQQQQQQQQQQ", random),
              SolutionWord::Outcome::NotFound);
    EXPECT_FALSE(puzzle.SolutionWordShown);
    EXPECT_EQ(puzzle.SolutionMarks[0], SolutionMark{}) << "a failed search marks nothing";
}

} // namespace

namespace {

// A fixed seed and vocabulary give this puzzle. Any change in the order of the
// random draws, the windows, the scan order or the tests of a position shows here.
TEST(GeneratorRunTest, SameSeedGivesTheSamePuzzle) {
    Puzzle puzzle;
    puzzle.ResizeGrid(11, 8);
    const Vocabulary words = SyntheticWords(250, 40, 2024);
    ScriptedDialogs dialogs;
    RandomSource random(77);
    GenerationSettings settings;
    settings.ShowInsertions = false;
    Generator(puzzle, words, dialogs, random).RGenerieren(settings);
    SolutionWord::Place(puzzle, "Rad", random);
    EXPECT_EQ(BarPicture(puzzle), Picture(R"(
+-+-+-+-+-+-+-+-+-+-+-+
|.|U F I N I N E|S F|.|
+-+-+-+-+-+ +-+ + +-+-+
|S|D S S|E N S A A A L|
+ + +-+-+ + + +-+-+-+ +
|N E A|Z|N|W|M L S N|A|
+-+ +-+ + + + +-+ + + +
|F|I|F|O|E|Z|K R M|S|Z|
+ + + + + + +-+-+ + + +
|R M|M|N E T T M|I|S|O|
+ +-+ + + + +-+-+ + + +
|I Z T A|D P K W D H L|
+-+-+ +-+ + +-+-+ + +-+
|N U R I|A|F|T B E O I|
+ +-+ +-+ +-+-+-+ + + +
|U A|I E R B T D|E|M|E|
+-+-+-+-+-+-+-+-+-+-+-+
)"));
    std::string clues;
    for (size_t k = 0; k < 8; ++k) {
        clues += puzzle.ClueRows[k].NumberText() + " " + puzzle.ClueRows[k].DirectionText() + " " +
                 puzzle.ClueRows[k].Clue + "; ";
    }
    EXPECT_EQ(clues, "1 waagerecht Begriff 25; 2 senkrecht Begriff 87; 3 senkrecht kurz; "
                     "4 waagerecht Begriff 222; 4 senkrecht Begriff 167; "
                     "5 senkrecht Begriff 249; 6 waagerecht Begriff 65; 6 senkrecht Begriff 51; ");
    EXPECT_EQ(puzzle.ClueRows.size(), 30u);
    EXPECT_EQ(puzzle.SolutionMarks[0], (SolutionMark{4, 7, 1}));
    EXPECT_EQ(puzzle.SolutionMarks[1], (SolutionMark{2, 2, 2}));
    EXPECT_EQ(puzzle.SolutionMarks[2], (SolutionMark{1, 1, 3}));
}

} // namespace
