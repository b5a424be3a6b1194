// The indexed search against the scan of every position: on grids of many shapes,
// with vocabularies in any order, with '.' in words, with runs of equal words,
// quiet and with scripted answers, both must make the same puzzle, ask the same
// questions and draw the same random numbers.
#include "model/Generator.h"
#include "model/SolutionWord.h"
#include "tests/model/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace testing_support;

namespace {

// Words over a given alphabet, of lengths 1..15, unsorted, with runs of equal
// words; every `dotEvery`-th word gets a '.' somewhere (0: none).
std::vector<TWordEntry> RandomWords(int count, const std::string& alphabet, uint32_t seed,
                                    int dotEvery) {
    std::mt19937 engine(seed);
    auto pick = [&](size_t n) { return engine() % n; };
    std::vector<TWordEntry> words;
    for (int i = 0; i < count; ++i) {
        const size_t length = 1 + pick(pick(4) == 0 ? 15 : 8); // mostly short, some long
        std::string word;
        for (size_t k = 0; k < length; ++k) {
            word += alphabet[pick(alphabet.size())];
        }
        if (dotEvery > 0 && i % dotEvery == 0) {
            word[pick(word.size())] = '.';
        }
        words.push_back({word, "Umschreibung " + std::to_string(i)});
        for (size_t copies = pick(12) == 0 ? 1 + pick(3) : 0; copies > 0; --copies) {
            words.push_back({word, "noch eine " + std::to_string(i)});
        }
    }
    return words;
}

struct NamedWords {
    const char* Name;
    std::vector<TWordEntry> Main;
    std::vector<TWordEntry> Short;
};

std::vector<NamedWords> Vocabularies() {
    const std::string capitals = "EEEEENNNIIISSSRRRAAATTTDDHHUULLCGMOBWFKZP";
    std::vector<NamedWords> all;
    // Longest first, as the shipped tables are.
    NamedWords sorted{"sorted", RandomWords(1500, capitals, 1, 0),
                      RandomWords(150, capitals, 2, 0)};
    std::stable_sort(
        sorted.Main.begin(), sorted.Main.end(),
        [](const TWordEntry& a, const TWordEntry& b) { return a.Word.size() > b.Word.size(); });
    all.push_back(sorted);
    // In no order at all, with words of one letter and of fifteen.
    all.push_back(
        {"unsorted", RandomWords(1500, capitals, 3, 0), RandomWords(150, capitals, 4, 0)});
    // Words with '.', which only the scan places, and letters beyond A..Z.
    all.push_back({"dots", RandomWords(1200, capitals + "\xC4\xD6\xDC\xDFxy", 5, 7),
                   RandomWords(150, capitals, 6, 5)});
    // Few letters, many equal words: crowded grids, long runs.
    all.push_back({"few letters", RandomWords(800, "ABCDE", 7, 0), RandomWords(100, "AB", 8, 0)});
    return all;
}

struct Shape {
    int32_t Columns;
    int32_t Rows;
};

struct Outcome {
    Puzzle puzzle;
    Vocabulary words;
    bool confirmAtEnd = false;
    ScriptedDialogs dialogs;
    ScriptedRandom random{{}, 0};
    GenerationOutcome outcome = GenerationOutcome::NoVocabulary;
};

// One run with either search; the answers are the same for both.
void Generate(Outcome& run, const NamedWords& vocabulary, const Shape& shape, uint64_t seed,
              bool referenceScan, const std::deque<UserDialogs::Answer>& answers, bool ask) {
    run.puzzle.ResizeGrid(shape.Columns, shape.Rows);
    run.words = Vocabulary(vocabulary.Main, vocabulary.Short);
    run.dialogs.StartAnswers = {false, true};
    run.dialogs.PlacementAnswers = answers;
    run.dialogs.Watched = &run.puzzle;
    run.random = ScriptedRandom({}, seed);
    GenerationSettings settings;
    settings.ShowInsertions = ask;
    settings.UseShortWords = seed % 3 != 0;
    settings.SolutionWord = "ERDE";
    Generator generator(run.puzzle, run.words, run.dialogs, run.random);
    generator.UseReferenceScan(referenceScan);
    run.outcome = generator.RGenerieren(settings);
    if (run.outcome == GenerationOutcome::Generated) {
        SolutionWord::Place(run.puzzle, settings.SolutionWord, run.random);
    }
    run.confirmAtEnd = generator.Run() && generator.Run()->ConfirmInsertions;
}

void ExpectSame(Outcome& fast, Outcome& scan, const std::string& where) {
    EXPECT_EQ(fast.outcome, scan.outcome) << where;
    ASSERT_EQ(BarPicture(fast.puzzle), BarPicture(scan.puzzle)) << where;
    EXPECT_EQ(MarkPicture(fast.puzzle), MarkPicture(scan.puzzle)) << where;
    EXPECT_EQ(fast.puzzle.Grid, scan.puzzle.Grid) << where;
    EXPECT_EQ(fast.puzzle.ClueRows, scan.puzzle.ClueRows) << where;
    EXPECT_EQ(fast.puzzle.SolutionMarks, scan.puzzle.SolutionMarks) << where;
    EXPECT_EQ(fast.confirmAtEnd, scan.confirmAtEnd) << where;
    EXPECT_EQ(fast.dialogs.Events, scan.dialogs.Events) << where;
    EXPECT_EQ(fast.dialogs.StartTexts, scan.dialogs.StartTexts) << where;
    EXPECT_EQ(fast.dialogs.PlacementTexts, scan.dialogs.PlacementTexts) << where;
    EXPECT_EQ(fast.dialogs.SelectedCells, scan.dialogs.SelectedCells) << where;
    EXPECT_EQ(fast.dialogs.LettersAtProposal, scan.dialogs.LettersAtProposal) << where;
    EXPECT_EQ(fast.random.Asked, scan.random.Asked) << where;
    EXPECT_EQ(fast.random.Random(1 << 30), scan.random.Random(1 << 30))
        << where << ": the random generators are in different states";
}

// Answers from a seed: mostly Yes, some No, and at times a Cancel that ends the
// questions.
std::deque<UserDialogs::Answer> Answers(uint64_t seed, size_t count) {
    std::mt19937 engine(static_cast<uint32_t>(seed));
    std::deque<UserDialogs::Answer> answers;
    for (size_t i = 0; i < count; ++i) {
        const auto r = engine() % 10;
        answers.push_back(r < 6 ? UserDialogs::Answer::Yes
                                : (r < 9 || i < count / 2 ? UserDialogs::Answer::No
                                                          : UserDialogs::Answer::Cancel));
    }
    return answers;
}

const std::vector<Shape> kShapes = {{5, 5},  {6, 11},  {11, 6},  {15, 15}, {20, 9},
                                    {9, 31}, {37, 23}, {64, 65}, {99, 40}, {99, 99}};

TEST(SearchMatchesScanTest, QuietRunsOnEveryShapeAndVocabulary) {
    const std::vector<NamedWords> vocabularies = Vocabularies();
    for (const Shape& shape : kShapes) {
        const bool large = shape.Columns * shape.Rows > 2000;
        for (const NamedWords& vocabulary : vocabularies) {
            if (shape.Columns * shape.Rows > 5000 &&
                vocabulary.Name == std::string("few letters")) {
                continue; // a sparse grid where the scan alone takes many seconds
            }
            for (uint64_t seed = 1; seed <= (large ? 1u : 4u); ++seed) {
                const std::string where = std::to_string(shape.Columns) + "x" +
                                          std::to_string(shape.Rows) + " " + vocabulary.Name +
                                          " seed " + std::to_string(seed);
                Outcome fast;
                Outcome scan;
                Generate(fast, vocabulary, shape, seed, false, {}, false);
                Generate(scan, vocabulary, shape, seed, true, {}, false);
                ExpectSame(fast, scan, where);
            }
        }
    }
}

TEST(SearchMatchesScanTest, ScriptedAnswersAskTheSameQuestions) {
    const std::vector<NamedWords> vocabularies = Vocabularies();
    const std::vector<Shape> shapes = {{5, 5}, {11, 6}, {15, 15}, {9, 31}, {37, 23}};
    for (const Shape& shape : shapes) {
        for (const NamedWords& vocabulary : vocabularies) {
            for (uint64_t seed = 1; seed <= 3; ++seed) {
                const std::string where = std::to_string(shape.Columns) + "x" +
                                          std::to_string(shape.Rows) + " " + vocabulary.Name +
                                          " seed " + std::to_string(seed);
                // Seed 1 answers Yes to everything; the others say No at times and
                // may end the questions with Cancel half-way through the run.
                const auto answers =
                    seed == 1 ? std::deque<UserDialogs::Answer>{} : Answers(seed, 40 * seed);
                Outcome fast;
                Outcome scan;
                Generate(fast, vocabulary, shape, seed, false, answers, true);
                Generate(scan, vocabulary, shape, seed, true, answers, true);
                ExpectSame(fast, scan, where);
                EXPECT_FALSE(fast.dialogs.PlacementTexts.empty()) << where;
            }
        }
    }
}

TEST(SearchMatchesScanTest, RefusingEveryProposalLeavesTheSameGrid) {
    const std::vector<NamedWords> vocabularies = Vocabularies();
    for (const Shape& shape : std::vector<Shape>{{15, 15}, {20, 9}}) {
        const std::deque<UserDialogs::Answer> no(3000, UserDialogs::Answer::No);
        Outcome fast;
        Outcome scan;
        Generate(fast, vocabularies[1], shape, 2, false, no, true);
        Generate(scan, vocabularies[1], shape, 2, true, no, true);
        ExpectSame(fast, scan, std::to_string(shape.Columns) + "x" + std::to_string(shape.Rows));
        EXPECT_GT(fast.dialogs.PlacementTexts.size(), 100u);
    }
}

} // namespace
