// wabolex-cli export and print, run end to end on a hand-made puzzle file.
#include "files/PuzzleFile.h"
#include "tests/cli/CliRun.h"
#include "tests/files/SamplePuzzles.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using CliRun::ReadBytes;

namespace {

class CliExportPrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = CliRun::MakeTempFolder("wabolex-cli-export");
        ASSERT_FALSE(folder_.empty());
        Puzzle tiere = SamplePuzzles::Small();
        tiere.SolutionWord = "hase";
        PuzzleFile::Save(folder_ / "Tiere.wbx", tiere);
        Puzzle plain = SamplePuzzles::Small();
        plain.ClearSolutionMarks();
        plain.SolutionWordShown = false;
        plain.SolutionWord = std::nullopt;
        PuzzleFile::Save(folder_ / "Ohne.wbx", plain);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    static size_t PdfPages(const fs::path& file) {
        const std::string pdf = ReadBytes(file);
        size_t pages = 0;
        for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
             at = pdf.find("/Type /Page", at + 1)) {
            pages += pdf.compare(at, 12, "/Type /Pages") != 0 ? 1 : 0;
        }
        return pages;
    }

    static inline fs::path folder_;
};

const std::string kClueText = "waagerecht\r\n"
                              "1) Wohngeb\xe4ude\r\n"
                              "3) Binnengew\xe4sser\r\n"
                              "senkrecht\r\n"
                              "1) Beinkleid\r\n"
                              "2) Gew\xe4sser\r\n"
                              "4) Erbse\r\n";

} // namespace

TEST_F(CliExportPrintTest, ExportWritesBitmapAndClueTextBesideIt) {
    const auto result = CliRun::Run(folder_, {"export", "Tiere.wbx", "-o", "bild.bmp"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    // The clue text replaces a file of that name: the user is told which.
    EXPECT_EQ(result.Err,
              "Die Umschreibungen stehen in \"bild.txt\" (eine andere Datei nennt --clues).\n");
    const QImage image(QString::fromStdString((folder_ / "bild.bmp").string()), "BMP");
    EXPECT_EQ(image.size(), QSize(240, 340));              // solution word marked in the file
    EXPECT_EQ(image.pixel(120, 160), qRgb(255, 255, 255)); // cell (2, 3), no letter
    EXPECT_EQ(ReadBytes(folder_ / "bild.txt"), kClueText);

    const auto solution = CliRun::Run(folder_, {"export", "--solution", "Tiere.wbx", "--clues",
                                                "liste.txt", "-o", "loesung.bmp"});
    ASSERT_EQ(solution.Status, 0) << solution.Err;
    const QImage solved(QString::fromStdString((folder_ / "loesung.bmp").string()), "BMP");
    int red = 0;
    for (int y = 142; y < 179; ++y) {
        for (int x = 101; x < 139; ++x) {
            red += solved.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 40); // the red "R"
    EXPECT_EQ(ReadBytes(folder_ / "liste.txt"), kClueText);
    EXPECT_FALSE(fs::exists(folder_ / "loesung.txt"));

    const auto plain = CliRun::Run(folder_, {"export", "Ohne.wbx", "-o", "ohne.bmp"});
    ASSERT_EQ(plain.Status, 0) << plain.Err;
    EXPECT_EQ(QImage(QString::fromStdString((folder_ / "ohne.bmp").string())).size(),
              QSize(240, 240));
}

TEST_F(CliExportPrintTest, PrintWritesOnePdfPagePerGridBandAndTheCluePages) {
    const auto result = CliRun::Run(folder_, {"print", "Tiere.wbx", "-o", "druck.pdf"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(PdfPages(folder_ / "druck.pdf"), 2u);
    EXPECT_NE(ReadBytes(folder_ / "druck.pdf").find("/MediaBox [0 0 595"), std::string::npos);

    Puzzle large = SamplePuzzles::Full(23, 33);
    large.SolutionWord = std::nullopt;
    PuzzleFile::Save(folder_ / "Gross.wbx", large);
    const auto letter = CliRun::Run(
        folder_, {"print", "Gross.wbx", "--solution", "--paper", "Letter", "-o", "gross.pdf"});
    ASSERT_EQ(letter.Status, 0) << letter.Err;
    EXPECT_EQ(PdfPages(folder_ / "gross.pdf"), 5u);
    EXPECT_NE(ReadBytes(folder_ / "gross.pdf").find("/MediaBox [0 0 612"), std::string::npos);
}

TEST_F(CliExportPrintTest, ExtensionChoosesPngSvgOrIpuz) {
    const auto png = CliRun::Run(folder_, {"export", "Tiere.wbx", "-o", "bild.PNG", "--solution"});
    ASSERT_EQ(png.Status, 0) << png.Err;
    const QImage image(QString::fromStdString((folder_ / "bild.PNG").string()), "PNG");
    EXPECT_EQ(image.size(), QSize(240, 340));
    EXPECT_EQ(ReadBytes(folder_ / "bild.txt"), kClueText);

    const auto svg = CliRun::Run(folder_, {"export", "Tiere.wbx", "-o", "bild.svg"});
    ASSERT_EQ(svg.Status, 0) << svg.Err;
    const std::string text = ReadBytes(folder_ / "bild.svg");
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find(">L\xc3\xb6sungswort</text>"), std::string::npos);

    // An ipuz file holds its clues: a text beside it only when asked for.
    const auto ipuz = CliRun::Run(folder_, {"export", "Tiere.wbx", "-o", "raetsel.ipuz"});
    ASSERT_EQ(ipuz.Status, 0) << ipuz.Err;
    EXPECT_NE(ReadBytes(folder_ / "raetsel.ipuz").find("\"Wohngeb\xc3\xa4ude\""),
              std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "raetsel.txt"));
    const auto withClues =
        CliRun::Run(folder_, {"export", "Tiere.wbx", "-o", "r2.ipuz", "--clues", "r2.txt"});
    ASSERT_EQ(withClues.Status, 0) << withClues.Err;
    EXPECT_EQ(ReadBytes(folder_ / "r2.txt"), kClueText);

    const auto other = CliRun::Run(folder_, {"export", "Tiere.wbx", "-o", "bild.jpg"});
    EXPECT_EQ(other.Status, 2);
    EXPECT_NE(other.Err.find(".ipuz"), std::string::npos) << other.Err;
    EXPECT_FALSE(fs::exists(folder_ / "bild.jpg"));
}

TEST_F(CliExportPrintTest, WrongUseAndFailures) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"export", "Tiere.wbx"},
             {"export", "-o", "x.bmp"},
             {"export", "Tiere.wbx", "-o"},
             {"export", "Tiere.wbx", "-o", "x.bmp", "--clues"},
             {"export", "Tiere.wbx", "Ohne.wbx", "-o", "x.bmp"},
             {"print", "Tiere.wbx", "-o", "x.pdf", "--paper", "A3"},
             {"print", "Tiere.wbx", "-o", "x.pdf", "--bunt"},
         }) {
        const auto result = CliRun::Run(folder_, args);
        EXPECT_EQ(result.Status, 2) << args.back();
        EXPECT_NE(result.Err.find("Aufruf: wabolex-cli"), std::string::npos);
    }
    const auto missing = CliRun::Run(folder_, {"export", "fehlt.wbx", "-o", "x.bmp"});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("fehlt.wbx"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "x.bmp"));

    // The bitmap cannot be written: no clue text either.
    const auto noFolder =
        CliRun::Run(folder_, {"export", "Tiere.wbx", "-o", "weg/x.bmp", "--clues", "x.txt"});
    EXPECT_EQ(noFolder.Status, 1);
    EXPECT_NE(noFolder.Err.find("Die Bitmap"), std::string::npos) << noFolder.Err;
    EXPECT_FALSE(fs::exists(folder_ / "x.txt"));

    const auto noPdf = CliRun::Run(folder_, {"print", "Tiere.wbx", "-o", "weg/x.pdf"});
    EXPECT_EQ(noPdf.Status, 1);
    EXPECT_NE(noPdf.Err.find("PDF-Datei"), std::string::npos) << noPdf.Err;
    EXPECT_NE(noPdf.Err.find("existiert nicht"), std::string::npos) << noPdf.Err;

    // An output named like the puzzle (even when writable) or like the other
    // output is refused before anything is written.
    const fs::path copy = folder_ / "Kopie.wbx";
    fs::copy_file(folder_ / "Tiere.wbx", copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add);
    const std::string puzzle = ReadBytes(copy);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"export", "Kopie.wbx", "-o", "Kopie.wbx"},
             {"export", "Kopie.wbx", "-o", "k.bmp", "--clues", "./Kopie.wbx"},
             {"export", "Kopie.wbx", "-o", "k.txt"},
             {"print", "Kopie.wbx", "-o", "Kopie.wbx"},
         }) {
        const auto result = CliRun::Run(folder_, args);
        EXPECT_EQ(result.Status, 2) << args[3] << " " << result.Err;
        EXPECT_EQ(ReadBytes(copy), puzzle) << args[3];
    }
    EXPECT_FALSE(fs::exists(folder_ / "k.bmp"));
    EXPECT_FALSE(fs::exists(folder_ / "k.txt"));
}
