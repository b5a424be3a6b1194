// The puzzle sheet: how large the grid gets, when the clues go on over more
// pages, the paper, the embedded fonts and bytes that do not change from one
// run to the next. What it looks like is checked by eye (pdftoppm); the text
// of every clue by the command-line test with pdftotext.
#include "files/PuzzleSheet.h"
#include "base/Cp1252.h"
#include "io/OutputFile.h"
#include "tests/files/SamplePuzzles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <regex>

namespace {

constexpr double kMm = 72.0 / 25.4;
constexpr double kA4Width = 210 * kMm - 30 * kMm; // inside the margins

// A full grid with `clues` clue rows of ordinary length (about 30 characters)
// and a solution word of 12 letters.
Puzzle WithClues(int side, int clues) {
    Puzzle puzzle = SamplePuzzles::Full(side, side);
    puzzle.ClueRows.clear();
    for (int i = 1; i <= clues; ++i) {
        const Direction direction = i % 2 == 0 ? Direction::Down : Direction::Across;
        puzzle.ClueRows.push_back(ClueRow::Of(i, direction,
                                              "Umschreibung " + std::to_string(i) +
                                                  (i % 3 == 0 ? ", lang" : ", kurz") +
                                                  (i % 4 == 0 ? " mit weiteren Begriffen" : "")));
    }
    for (int k = 0; k < 12; ++k) {
        puzzle.SolutionMarks[static_cast<size_t>(k)] = {k, k % side, k + 1};
    }
    puzzle.SolutionWord = "HOCHZEITSTAG";
    puzzle.SolutionWordShown = true;
    return puzzle;
}

std::string SheetBytes(const Puzzle& puzzle, OutputVariant variant, const ExportOptions& options) {
    QTemporaryDir dir;
    EXPECT_TRUE(dir.isValid());
    const std::filesystem::path path = dir.filePath("blatt.pdf").toStdString();
    OutputFile file(path, "Das Blatt");
    PuzzleSheet::Write(puzzle, variant, options, file);
    file.Commit();
    QFile written(QString::fromStdString(path.string()));
    EXPECT_TRUE(written.open(QIODevice::ReadOnly));
    return written.readAll().toStdString();
}

} // namespace

TEST(PuzzleSheetTest, GridsUpTo21x21ShareOnePageWithTheirClues) {
    for (const auto& [side, clues] :
         std::vector<std::pair<int, int>>{{5, 12}, {15, 90}, {21, 140}}) {
        const PuzzleSheet::Plan plan = PuzzleSheet::PlanOf(WithClues(side, clues), {});
        EXPECT_EQ(plan.Pages, 1) << side;
        EXPECT_GE(plan.Cell, 5 * kMm) << side;
        EXPECT_LE(plan.Cell, 10 * kMm) << side;
        EXPECT_GE(plan.FontSize, 7) << side;
    }
    // Fewer clues leave room for a larger grid and larger clues.
    const PuzzleSheet::Plan few = PuzzleSheet::PlanOf(WithClues(21, 40), {});
    const PuzzleSheet::Plan many = PuzzleSheet::PlanOf(WithClues(21, 140), {});
    EXPECT_GT(few.Cell, many.Cell);
    EXPECT_GE(few.FontSize, many.FontSize);
}

TEST(PuzzleSheetTest, LargeGridsTakeThePageWidthAndTheCluesGoOn) {
    const PuzzleSheet::Plan largest = PuzzleSheet::PlanOf(WithClues(99, 1500), {});
    EXPECT_NEAR(largest.Cell * 99, kA4Width, 0.5); // the page in whole points
    EXPECT_GT(largest.Pages, 2);
    // Letter paper is narrower and shorter: the grid shrinks to its width.
    ExportOptions letter;
    letter.SheetPaper = Paper::Letter;
    const PuzzleSheet::Plan onLetter = PuzzleSheet::PlanOf(WithClues(30, 400), letter);
    EXPECT_NEAR(onLetter.Cell * 30, 8.5 * 72 - 30 * kMm, 0.5);
    EXPECT_GT(onLetter.Pages, 1);
}

TEST(PuzzleSheetTest, PaperFontsAndBytesThatStayTheSame) {
    const Puzzle puzzle = WithClues(15, 60);
    const std::string a4 = SheetBytes(puzzle, OutputVariant::Puzzle, {});
    EXPECT_EQ(a4.rfind("%PDF-", 0), 0u);
    EXPECT_TRUE(std::regex_search(a4, std::regex("/MediaBox \\[0 0 595(\\.0+)? 842(\\.0+)?\\]")));
    EXPECT_NE(a4.find("/FontFile2"), std::string::npos); // TrueType embedded
    EXPECT_NE(a4.find("LiberationSans-Bold"), std::string::npos);
    EXPECT_NE(a4.find("/Title (\xFE\xFF"), std::string::npos); // the title in the document info

    ExportOptions letter;
    letter.SheetPaper = Paper::Letter;
    EXPECT_TRUE(std::regex_search(SheetBytes(puzzle, OutputVariant::Puzzle, letter),
                                  std::regex("/MediaBox \\[0 0 612(\\.0+)? 792(\\.0+)?\\]")));

    // Written again: the same bytes but for the creation date.
    const auto withoutDate = [](std::string pdf) {
        return std::regex_replace(pdf, std::regex("/CreationDate \\(D:[0-9Z+'-]*\\)"), "");
    };
    EXPECT_EQ(withoutDate(SheetBytes(puzzle, OutputVariant::Puzzle, {})), withoutDate(a4));
    EXPECT_NE(withoutDate(SheetBytes(puzzle, OutputVariant::Solution, {})), withoutDate(a4));
}
