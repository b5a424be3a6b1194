// The main window's commands driven without the window: the session holds the
// words, the one settings value and the puzzle, and its commands change them
// as the menu's commands do.
#include "session/Messages.h"
#include "session/Session.h"
#include "tests/model/TestSupport.h"
#include "tests/vocabulary/TempFolder.h"
#include "vocabulary/ParadoxWriter.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace testing_support;

namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<VocabularyRecord> main;
        for (const char* word : {"ELEFANT", "GIRAFFE", "NASHORN", "ANTILOPE", "TIGER", "LOEWE",
                                 "HYAENE", "ZEBRA", "GEPARD", "AFFE", "ESEL", "RIND", "HIRSCH",
                                 "SEEADLER", "ELSTER", "STORCH", "REIHER", "IGEL", "DACHS"}) {
            main.push_back({word, std::string("Tier ") + word});
        }
        ParadoxWriter::WriteVocabulary(folder_.Path() / "Tiere.db", main);
        ParadoxWriter::WriteVocabulary(folder_.Path() / fs::path(u8"Kurzwörter2004.DB"),
                                       {{"EI", "Vom Huhn"},
                                        {"AAL", "Fisch"},
                                        {"RE", "Tonsilbe"},
                                        {"TEE", "Getraenk"},
                                        {"GNU", "Antilope"}});
    }

    // Quiet settings of the given size, the box "Lösungswort " as asked.
    GenerationSettings Quiet(int32_t side, bool word) const {
        GenerationSettings settings = session_.Settings();
        settings.Columns = side;
        settings.Rows = side;
        settings.ShowInsertions = false;
        settings.UseSolutionWord = word;
        settings.SolutionWord = word ? "ERDE" : "";
        return settings;
    }

    // A new 9 x 9 puzzle from the animals.
    void Generate(bool word = false) {
        ASSERT_FALSE(session_.LoadTable(folder_.Path() / "Tiere.db"));
        session_.SetSettings(Quiet(9, word));
        session_.ApplySize();
        ScriptedDialogs dialogs;
        ASSERT_EQ(session_.Generate(dialogs), GenerationOutcome::Generated);
    }

    TempFolder folder_;
    Session session_{2026};
};

TEST_F(SessionTest, StartsWithoutWordsOnAnEmptyGridWithTheStartSettings) {
    EXPECT_EQ(session_.Words().WordCount(), 0);
    EXPECT_EQ(session_.SourceName(), "NoName");
    EXPECT_EQ(session_.Settings(), GenerationSettings{});
    EXPECT_EQ(session_.CurrentPuzzle().Columns, 15);
    EXPECT_EQ(session_.CurrentPuzzle().SolutionWord, "HOCHZEITSTAG");
    ScriptedDialogs dialogs;
    const Puzzle before = session_.CurrentPuzzle();
    EXPECT_EQ(session_.Generate(dialogs), GenerationOutcome::NoVocabulary);
    EXPECT_EQ(session_.CurrentPuzzle().Grid, before.Grid);
    EXPECT_FALSE(session_.View().ShowGenerated) << "a refused run shows nothing new";
}

TEST_F(SessionTest, TheSettingsAreOneValueAndThePuzzleCarriesTheirSolutionWord) {
    GenerationSettings settings = session_.Settings();
    settings.SolutionWord = "HASE";
    session_.SetSettings(settings);
    EXPECT_EQ(session_.CurrentPuzzle().SolutionWord, "HASE");
    settings.UseSolutionWord = false;
    settings.SolutionWord.clear();
    session_.SetSettings(settings);
    EXPECT_EQ(session_.CurrentPuzzle().SolutionWord, std::nullopt);

    // Another size is asked for, and taken only when applied.
    settings.Columns = 20;
    session_.SetSettings(settings);
    EXPECT_TRUE(session_.SizeChangeAsked());
    EXPECT_EQ(session_.CurrentPuzzle().Columns, 15);
    session_.ApplySize();
    EXPECT_FALSE(session_.SizeChangeAsked());
    EXPECT_EQ(session_.CurrentPuzzle().Columns, 20);
    EXPECT_TRUE(session_.CurrentPuzzle().Grid.At(19, 3).BarRight);
}

TEST_F(SessionTest, LoadingATableReplacesTheWordsAndNamesAMissingShortWordTable) {
    EXPECT_FALSE(session_.LoadTable(folder_.Path() / "Tiere.db"));
    EXPECT_EQ(session_.SourceName(), "Tiere.db");
    EXPECT_EQ(session_.Words().WordCount(), 24);
    EXPECT_EQ(session_.Words().ShortWordStart(), 20);

    EXPECT_THROW(session_.LoadTable(folder_.Path() / "fehlt.db"), WabolexError);
    EXPECT_EQ(session_.SourceName(), "Tiere.db") << "a table that cannot be read changes nothing";

    fs::remove(folder_.Path() / fs::path(u8"Kurzwörter2004.DB"));
    const std::optional<std::string> problem = session_.LoadTable(folder_.Path() / "Tiere.db");
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find(W("Kurzwörter2004.DB")), std::string::npos);
    EXPECT_EQ(session_.Words().WordCount(), 19) << "the main words are loaded all the same";
}

TEST_F(SessionTest, GenerationThenSolutionWordAsTwoSteps) {
    Generate(true);
    EXPECT_TRUE(session_.View().ShowGenerated);
    EXPECT_FALSE(session_.CurrentPuzzle().SolutionWordShown) << "the word is the next step";
    ASSERT_EQ(session_.PlaceSolutionWord(), SolutionWord::Outcome::Placed);
    EXPECT_TRUE(session_.CurrentPuzzle().SolutionWordShown);
    EXPECT_EQ(session_.CurrentPuzzle().ShownMarks().size(), 4u);
    session_.ClearSolutionMarks();
    EXPECT_TRUE(session_.CurrentPuzzle().SolutionWordShown) << "the flag stays";
    EXPECT_EQ(session_.CurrentPuzzle().SolutionMarks[0], SolutionMark{});
    GenerationSettings settings = session_.Settings();
    settings.SolutionWord = "QQQ";
    session_.SetSettings(settings);
    EXPECT_EQ(session_.PlaceSolutionWord(), SolutionWord::Outcome::NotFound);
}

TEST_F(SessionTest, AGridTooNarrowForEveryWordStopsWithAnEmptiedClueList) {
    ParadoxWriter::WriteVocabulary(folder_.Path() / "Lang.db",
                                   {{"ELEFANT", "Dickhaeuter"}, {"ANTILOPE", "Gazelle"}});
    ASSERT_FALSE(session_.LoadTable(folder_.Path() / "Lang.db"));
    GenerationSettings settings = Quiet(7, false);
    settings.Rows = 5; // across start: no main word is shorter than 7 letters
    session_.SetSettings(settings);
    session_.ApplySize();
    ScriptedDialogs dialogs;
    EXPECT_EQ(session_.Generate(dialogs), GenerationOutcome::NoStartWordAcross);
    EXPECT_EQ(session_.CurrentPuzzle().ClueRows, std::vector<ClueRow>(1));
}

TEST_F(SessionTest, MixedWordsGiveAnotherPuzzleFromTheSameSeedAndLeaveTheTableAsItWas) {
    Generate();
    const TFeld plain = session_.CurrentPuzzle().Grid;
    Session mixing(2026);
    ASSERT_FALSE(mixing.LoadTable(folder_.Path() / "Tiere.db"));
    GenerationSettings settings = Quiet(9, false);
    settings.MixWords = true;
    mixing.SetSettings(settings);
    mixing.ApplySize();
    ScriptedDialogs dialogs;
    ASSERT_EQ(mixing.Generate(dialogs), GenerationOutcome::Generated);
    EXPECT_NE(mixing.CurrentPuzzle().Grid, plain);
    EXPECT_EQ(mixing.Words().Entry(1).Word, session_.Words().Entry(1).Word);
}

TEST_F(SessionTest, SavedPuzzleComesBackWithItsSettingsAndSolvingStarts) {
    Generate(true);
    session_.PlaceSolutionWord();
    EXPECT_EQ(session_.ProposedPuzzleName(),
              "Tiere-9x9-" + std::to_string(session_.CurrentPuzzle().ClueRows.size()));
    const fs::path file = folder_.Path() / "raetsel.wbx";
    session_.CheckSavable();
    session_.SavePuzzle(file);
    const Puzzle saved = session_.CurrentPuzzle();

    Session other(1);
    other.LoadPuzzle(file);
    EXPECT_EQ(other.CurrentPuzzle().Grid, saved.Grid);
    EXPECT_EQ(other.CurrentPuzzle().ClueRows, saved.ClueRows);
    EXPECT_EQ(other.CurrentPuzzle().SolutionMarks, saved.SolutionMarks);
    EXPECT_EQ(other.SourceName(), "raetsel.wbx");
    EXPECT_EQ(other.Settings().Columns, 9);
    EXPECT_TRUE(other.Settings().UseSolutionWord);
    EXPECT_EQ(other.Settings().SolutionWord, "ERDE");
    EXPECT_TRUE(other.View().Solving);
    EXPECT_EQ(other.Solving().Attempts, 0);

    // A file saved without a solution word clears the box and the word.
    GenerationSettings settings = session_.Settings();
    settings.UseSolutionWord = false;
    settings.SolutionWord.clear();
    session_.SetSettings(settings);
    session_.SavePuzzle(folder_.Path() / "ohne.wbx");
    other.LoadPuzzle(folder_.Path() / "ohne.wbx");
    EXPECT_FALSE(other.Settings().UseSolutionWord);
    EXPECT_EQ(other.CurrentPuzzle().SolutionWord, std::nullopt);

    // A broken file changes nothing.
    EXPECT_THROW(other.LoadPuzzle(folder_.Path() / "fehlt.wbx"), WabolexError);
    EXPECT_EQ(other.SourceName(), "ohne.wbx");
}

TEST_F(SessionTest, SolvingCountsKeysAndShowingTheSolutionEndsIt) {
    Generate();
    session_.StartSolving();
    const Puzzle& puzzle = session_.CurrentPuzzle();
    int32_t cell = 0;
    while (puzzle.Grid.At(cell / puzzle.Rows, cell % puzzle.Rows).Letter == '.') {
        ++cell;
    }
    const int32_t column = cell / puzzle.Rows;
    const int32_t row = cell % puzzle.Rows;
    const auto right = static_cast<unsigned char>(puzzle.Grid.At(column, row).Letter);
    EXPECT_TRUE(session_.Key(column, row, right).Consumed);
    EXPECT_EQ(session_.Solving().Attempts, 1);
    EXPECT_EQ(session_.Solving().CorrectCount, 1);
    session_.SetTypingDirection(Direction::Down);
    EXPECT_EQ(session_.Solving().TypingDirection, Direction::Down);
    EXPECT_TRUE(session_.ShowSolution()) << "solving was running";
    EXPECT_TRUE(session_.View().ShowSolution);
    EXPECT_FALSE(session_.View().Solving);
}

} // namespace
