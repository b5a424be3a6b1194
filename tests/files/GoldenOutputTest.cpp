// Seeded puzzles and every output made from them, compared with files recorded
// once: the puzzle file byte for byte, the bitmaps and the print calls by their
// SHA-256. Refactoring, faster searching or new outputs must leave all of them
// alone. WABOLEX_UPDATE_GOLDEN=1 records them anew (only after a change that is
// meant to change an output).
#include "files/ExportImage.h"
#include "files/PrintPuzzle.h"
#include "files/PuzzleFile.h"
#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/RandomSource.h"
#include "model/SolutionWord.h"
#include "model/UserDialogs.h"
#include "tests/files/GoldenSupport.h"
#include "tests/files/RecordingCanvas.h"
#include "vocabulary/VocabularyLoader.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string PrintHash(const RecordingCanvas& canvas) {
    std::ostringstream out;
    for (size_t page = 0; page < canvas.Pages.size(); ++page) {
        out << "page " << page << "\n";
        for (const RecordingCanvas::Call& call : canvas.Pages[page]) {
            out << static_cast<int>(call.Type) << " " << call.PenWidth << " "
                << call.Color.name().toStdString() << " " << static_cast<int>(call.Font.Kind) << "/"
                << call.Font.Height << "/" << call.Font.Bold << " [" << call.Text << "]";
            for (const QPoint& point : call.Points) {
                out << " " << point.x() << "," << point.y();
            }
            out << "\n";
        }
    }
    const std::string text = out.str();
    return golden::Sha256(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

class GoldenOutputTest : public ::testing::TestWithParam<golden::Case> {};

TEST_P(GoldenOutputTest, SeededPuzzleAndItsOutputsStayTheSame) {
    const golden::Case& seeded = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Puzzle puzzle;
    const LoadedVocabulary loaded =
        VocabularyLoader::Load(golden::WriteAnimalTables(folder.path().toStdString()));
    puzzle.Columns = seeded.Columns;
    puzzle.Rows = seeded.Rows;

    GenerationSettings settings;
    settings.ShowInsertions = false;
    settings.SolutionWord = "TIERPARK";
    AcceptingDialogs dialogs;
    RandomSource random(seeded.Seed);
    Generator(puzzle, *loaded.Words, dialogs, random).RGenerieren(settings);
    SolutionWord::Place(puzzle, settings.SolutionWord, random);

    std::string puzzleFile;
    puzzle.SolutionWord = settings.SolutionWord;
    for (const std::string& line : PuzzleFile::Lines(puzzle)) {
        puzzleFile += line + "\r\n";
    }
    std::ostringstream hashes;
    for (const OutputVariant variant : {OutputVariant::Puzzle, OutputVariant::Solution}) {
        hashes << (variant == OutputVariant::Solution ? "export-solution " : "export-puzzle ")
               << golden::ImageHash(ExportImage::Render(puzzle, variant)) << "\n";
    }
    for (const OutputVariant variant : {OutputVariant::Puzzle, OutputVariant::Solution}) {
        RecordingCanvas canvas;
        PrintPuzzle::Draw(canvas, PrintPage{}, puzzle, "Wabolex   Tiere.db", variant);
        hashes << (variant == OutputVariant::Solution ? "print-solution " : "print-puzzle ")
               << PrintHash(canvas) << "\n";
    }

    const std::string name = seeded.Name;
    EXPECT_EQ(puzzleFile, golden::Recorded(name + ".wbx", puzzleFile));
    EXPECT_EQ(hashes.str(), golden::Recorded(name + ".sha256", hashes.str()));
}

INSTANTIATE_TEST_SUITE_P(TwoSeeds, GoldenOutputTest, ::testing::ValuesIn(golden::Cases),
                         [](const auto& info) { return std::to_string(info.param.Seed); });

} // namespace
