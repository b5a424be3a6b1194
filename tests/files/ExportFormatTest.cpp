// The export formats beside the bitmap: PNG and SVG drawn by the same code, and
// the ipuz crossword, read back with Qt's JSON and SVG readers.
#include "files/ExportFormat.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/ExportFiles.h"
#include "files/ExportImage.h"
#include "files/IpuzFile.h"
#include "files/OutputDevice.h"
#include "io/OutputFile.h"
#include "tests/files/SamplePuzzles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

// The puzzle's ipuz text, with the solution-word field holding word.
QJsonObject Ipuz(Puzzle puzzle, const std::string& word,
                 const ExportOptions& options = SamplePuzzles::SmallOptions()) {
    puzzle.SolutionWord = word;
    const std::string text = IpuzFile::Text(puzzle, options);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << text;
    return doc.object();
}

QJsonValue Cell(const QJsonObject& ipuz, const char* grid, int c, int r) {
    return ipuz[grid].toArray()[r].toArray()[c];
}

QImage RenderSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ExportFormatTest, FormatFollowsTheExtensionInAnyCase) {
    EXPECT_EQ(ExportFormats::Of("a/bild.bmp"), ExportFormat::Bmp);
    EXPECT_EQ(ExportFormats::Of("bild.PNG"), ExportFormat::Png);
    EXPECT_EQ(ExportFormats::Of("bild.Svg"), ExportFormat::Svg);
    EXPECT_EQ(ExportFormats::Of("r.tsel.ipuz"), ExportFormat::Ipuz);
    EXPECT_EQ(ExportFormats::Of("bild.txt"), std::nullopt);
    EXPECT_EQ(ExportFormats::Of("bild"), ExportFormat::Bmp);
    EXPECT_EQ(ExportFormats::Of("ipuz"), ExportFormat::Bmp);
}

TEST(ExportFormatTest, IpuzHoldsGridNumbersBarsAndClues) {
    const QJsonObject ipuz = Ipuz(SamplePuzzles::Small(), "hase");
    EXPECT_EQ(ipuz["kind"].toArray()[0].toString(), "http://ipuz.org/crossword#1");
    EXPECT_EQ(ipuz["title"].toString(), "Tiere");
    EXPECT_EQ(ipuz["dimensions"].toObject()["width"].toInt(), 5);
    // Where an across and a down word start, the cell carries their one number.
    EXPECT_EQ(Cell(ipuz, "puzzle", 0, 0).toObject()["cell"].toInt(), 1);
    EXPECT_EQ(Cell(ipuz, "puzzle", 4, 0).toString(), "#");
    EXPECT_EQ(Cell(ipuz, "solution", 4, 0).toString(), "#");
    EXPECT_EQ(Cell(ipuz, "solution", 3, 1).toString(), "E");
    // Bars inside the grid only; the outer edges are the frame.
    EXPECT_EQ(Cell(ipuz, "puzzle", 0, 1), QJsonValue(0)); // letter without number or bar
    EXPECT_EQ(Cell(ipuz, "puzzle", 1, 2).toObject()["style"].toObject()["barred"].toString(), "R");
    const QJsonObject barred = Cell(ipuz, "puzzle", 2, 2).toObject();
    EXPECT_EQ(barred["cell"].toInt(), 4);
    EXPECT_EQ(barred["style"].toObject()["barred"].toString(), "B");
    // The border bars of the last column and row are the frame, no bars.
    const QJsonObject full = Ipuz(SamplePuzzles::Full(5, 5), "");
    EXPECT_EQ(Cell(full, "puzzle", 4, 4), QJsonValue(25));
    const QJsonArray across = ipuz["clues"].toObject()["Across"].toArray();
    ASSERT_EQ(across.size(), 2);
    EXPECT_EQ(across[0].toArray()[0].toInt(), 1);
    EXPECT_EQ(across[0].toArray()[1].toString(), QString::fromUtf8("Wohngebäude"));
    EXPECT_EQ(ipuz["clues"].toObject()["Down"].toArray().size(), 3);
}

TEST(ExportFormatTest, IpuzCirclesAsManyCellsAsTheWordHasLetters) {
    const QJsonObject full = Ipuz(SamplePuzzles::Small(), "hase");
    const QJsonObject style = Cell(full, "puzzle", 3, 1).toObject()["style"].toObject();
    EXPECT_EQ(style["shapebg"].toString(), "circle");
    EXPECT_EQ(style["mark"].toObject()["BR"].toString(), "4");
    EXPECT_EQ(full["explanation"].toString(), QString::fromUtf8("Lösungswort: HASE"));

    // A shortened solution-word field bounds the marks, as in the picture.
    const QJsonObject two = Ipuz(SamplePuzzles::Small(), "ha");
    EXPECT_TRUE(Cell(two, "puzzle", 1, 0).toObject()["style"].toObject().contains("shapebg"));
    EXPECT_FALSE(Cell(two, "puzzle", 3, 0).isObject());

    Puzzle hidden = SamplePuzzles::Small();
    hidden.SolutionWordShown = false;
    const QJsonObject none = Ipuz(hidden, "hase");
    EXPECT_FALSE(none.contains("explanation"));
    EXPECT_FALSE(Cell(none, "puzzle", 3, 1).isObject());
}

TEST(ExportFormatTest, IpuzEscapesTextsAndWritesUtf8) {
    Puzzle puzzle = SamplePuzzles::Small();
    ExportOptions options;
    options.SourceName = W("Rätsel \"1\"");
    puzzle.Grid.At(1, 0).Letter = '\xc4'; // Ä
    puzzle.ClueRows[0].Clue = W("Ein \"Haus\" \\ mit\tTab");
    puzzle.ClueRows.push_back(ClueRow::FromTexts("7", "Anmerkung", "weder noch"));
    const QJsonObject ipuz = Ipuz(puzzle, W("hä"), options);
    EXPECT_EQ(ipuz["title"].toString(), QString::fromUtf8("Rätsel \"1\""));
    EXPECT_EQ(Cell(ipuz, "solution", 1, 0).toString(), QString::fromUtf8("Ä"));
    EXPECT_EQ(ipuz["clues"].toObject()["Across"].toArray()[0].toArray()[1].toString(),
              "Ein \"Haus\" \\ mit\tTab");
    // A row of neither direction goes into neither list.
    EXPECT_EQ(ipuz["clues"].toObject()["Across"].toArray().size(), 2);
    EXPECT_EQ(ipuz["explanation"].toString(), QString::fromUtf8("Lösungswort: HÄ"));
}

TEST(ExportFormatTest, PngHoldsTheBitmapsPixels) {
    const QImage bitmap = ExportImage::Render(SamplePuzzles::Small(), OutputVariant::Solution);
    QImage png;
    ASSERT_TRUE(png.loadFromData(ExportFormats::Png(bitmap), "PNG"));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), bitmap);
}

TEST(ExportFormatTest, SvgIsTheSamePictureWithItsTextsAsText) {
    const Puzzle puzzle = SamplePuzzles::Small();
    for (const bool solution : {false, true}) {
        const OutputVariant variant = solution ? OutputVariant::Solution : OutputVariant::Puzzle;
        const QByteArray svg = ExportFormats::Svg(puzzle, variant, SamplePuzzles::SmallOptions());
        const QImage bitmap = ExportImage::Render(puzzle, variant);
        const QImage drawn = RenderSvg(svg, bitmap.size());
        // Black cells and bars at the same pixels: the middle of every cell,
        // and of every bar (3 pixels wide, so it stays dark when smoothed).
        const auto dark = [](const QImage& image, QPoint p) { return qGray(image.pixel(p)) < 128; };
        for (int c = 0; c < puzzle.Columns; ++c) {
            for (int r = 0; r < puzzle.Rows; ++r) {
                const TGridCell& cell = puzzle.Grid.At(c, r);
                const int left = 20 + 40 * c;
                const int top = 20 + 40 * r;
                const QPoint middle(left + 30, top + 30);
                EXPECT_EQ(dark(drawn, middle), dark(bitmap, middle)) << c << "," << r;
                EXPECT_EQ(dark(bitmap, middle), cell.Letter == '.');
                if (cell.BarRight) {
                    EXPECT_TRUE(dark(drawn, {left + 40, top + 20})) << c << "," << r;
                }
                if (cell.BarBelow) {
                    EXPECT_TRUE(dark(drawn, {left + 20, top + 40})) << c << "," << r;
                }
            }
        }
        // Letters are written as text only in the solution.
        EXPECT_EQ(svg.contains(">E</text>"), solution);
        EXPECT_TRUE(svg.contains(QString::fromUtf8(">Lösungswort</text>").toUtf8()));
        EXPECT_TRUE(svg.contains(">4</text>")); // a clue number
        EXPECT_TRUE(svg.contains("<title>Tiere</title>"));
    }
}

TEST(ExportFormatTest, ExportAndItsClueTextAreWrittenTogetherOrNotAtAll) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ipuz = dir.filePath("r.ipuz");
    OutputFile::WriteWhole(ToPath(ipuz), "alt", W("Die ipuz-Datei"));
    ExportFiles::Save(ExportFormat::Ipuz, SamplePuzzles::Small(), OutputVariant::Puzzle, {},
                      ToPath(ipuz), std::nullopt);
    EXPECT_TRUE(ReadAll(ipuz).startsWith("{\n"));

    // The picture cannot be written: the clue text stays unwritten too.
    try {
        ExportFiles::Save(ExportFormat::Svg, SamplePuzzles::Small(), OutputVariant::Solution, {},
                          ToPath(dir.filePath("fehlt/b.svg")), ToPath(dir.filePath("b.txt")));
        ADD_FAILURE() << "no error for a missing folder";
    } catch (const WabolexError& e) {
        EXPECT_NE(std::string(e.what()).find(W("Das SVG-Bild")), std::string::npos) << e.what();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.ipuz"});
}
