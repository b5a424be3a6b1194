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
#include "model/UserDialogs.h"
#include "tests/files/RecordingCanvas.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/VocabularyLoader.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path kGoldenDir = fs::path(WABOLEX_TEST_SOURCE_DIR) / "golden";

class QuietDialogs : public UserDialogs {
public:
    bool ConfirmStartWord(const std::string&) override { return true; }
    Answer ConfirmPlacement(const std::string&, int, int) override { return Answer::Yes; }
    void Repaint() override {}
    void SetBusy(bool) override {}
    void ShowError(const std::string&) override {}
    void ShowRetryError(const std::string&) override {}
    void ShowStatistics(const PuzzleStatistics&) override {}
};

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// The animal table of the tests as the program's main table, its words of two
// to four letters as the short-word table beside it.
void LoadAnimals(const fs::path& folder, Puzzle& puzzle) {
    const std::vector<VocabularyRecord> all =
        TextImport::Parse(ReadFile(kGoldenDir / "Tiere.txt")).Records;
    std::vector<VocabularyRecord> shortWords;
    for (const VocabularyRecord& record : all) {
        if (record.Word.size() >= 2 && record.Word.size() <= 4) {
            shortWords.push_back(record);
        }
    }
    ParadoxWriter::WriteVocabulary(folder / "Tiere.db", all);
    ParadoxWriter::WriteVocabulary(folder / u8"Kurzwörter2004.DB", shortWords);
    VocabularyLoader::Load(folder / "Tiere.db", puzzle);
}

std::string Sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

std::string ImageHash(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    QByteArray bytes =
        QByteArray::number(pixels.width()) + "x" + QByteArray::number(pixels.height()) + ":";
    for (int y = 0; y < pixels.height(); ++y) {
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4);
    }
    return Sha256(bytes);
}

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
    return Sha256(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

struct GoldenCase {
    const char* Name;
    uint64_t Seed;
    int32_t Columns;
    int32_t Rows;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) {
    *out << golden.Name;
}

class GoldenOutputTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenOutputTest, SeededPuzzleAndItsOutputsStayTheSame) {
    const GoldenCase& golden = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Puzzle puzzle;
    LoadAnimals(folder.path().toStdString(), puzzle);
    puzzle.Columns = golden.Columns;
    puzzle.Rows = golden.Rows;

    GenerationSettings settings;
    settings.ShowInsertions = false;
    settings.SolutionWord = "TIERPARK";
    QuietDialogs dialogs;
    RandomSource random(golden.Seed);
    Generator(puzzle, dialogs, random).RGenerieren(settings);

    std::string puzzleFile;
    for (const std::string& line : PuzzleFile::Lines(puzzle, true, settings.SolutionWord)) {
        puzzleFile += line + "\r\n";
    }
    std::ostringstream hashes;
    for (const bool solution : {false, true}) {
        puzzle.ExportSolution = solution;
        hashes << (solution ? "export-solution " : "export-puzzle ")
               << ImageHash(ExportImage::Render(puzzle, settings.SolutionWord)) << "\n";
    }
    for (const bool solution : {false, true}) {
        puzzle.PrintSolution = solution;
        RecordingCanvas canvas;
        PrintPuzzle::Draw(canvas, PrintPage{}, puzzle, "Wabolex   Tiere.db", settings.SolutionWord);
        hashes << (solution ? "print-solution " : "print-puzzle ") << PrintHash(canvas) << "\n";
    }

    const fs::path puzzlePath = kGoldenDir / (std::string(golden.Name) + ".wbx");
    const fs::path hashPath = kGoldenDir / (std::string(golden.Name) + ".sha256");
    if (qEnvironmentVariableIntValue("WABOLEX_UPDATE_GOLDEN") == 1) {
        WriteFile(puzzlePath, puzzleFile);
        WriteFile(hashPath, hashes.str());
    }
    EXPECT_EQ(puzzleFile, ReadFile(puzzlePath));
    EXPECT_EQ(hashes.str(), ReadFile(hashPath));
}

INSTANTIATE_TEST_SUITE_P(TwoSeeds, GoldenOutputTest,
                         ::testing::Values(GoldenCase{"Tiere-15x15-seed7", 7, 15, 15},
                                           GoldenCase{"Tiere-21x13-seed11", 11, 21, 13}),
                         [](const auto& info) { return std::to_string(info.param.Seed); });

} // namespace
