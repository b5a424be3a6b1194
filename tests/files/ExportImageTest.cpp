#include "files/ExportImage.h"
#include "base/WabolexError.h"
#include "files/ClueText.h"
#include "files/PainterCanvas.h"
#include "tests/files/RecordingCanvas.h"
#include "tests/files/SamplePuzzles.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);

int CountPixels(const QImage& image, QRect area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// The image of a puzzle whose solution word is word.
QImage RenderWith(Puzzle puzzle, const std::string& word,
                  OutputVariant variant = OutputVariant::Puzzle) {
    puzzle.SolutionWord = word;
    return ExportImage::Render(puzzle, variant);
}

void DrawWith(Canvas& canvas, Puzzle puzzle, const std::string& word,
              OutputVariant variant = OutputVariant::Puzzle) {
    puzzle.SolutionWord = word;
    ExportImage::Draw(canvas, puzzle, variant);
}

QImage Render(bool solution, const std::string& word = "hase") {
    return RenderWith(SamplePuzzles::Small(), word,
                      solution ? OutputVariant::Solution : OutputVariant::Puzzle);
}

} // namespace

TEST(ExportImageTest, SizeFollowsGridAndSolutionWord) {
    Puzzle small = SamplePuzzles::Small();
    EXPECT_EQ(RenderWith(small, "hase").size(), QSize(240, 340));
    small.SolutionWordShown = false;
    EXPECT_EQ(RenderWith(small, "hase").size(), QSize(240, 240));

    Puzzle standard; // start-up state: 15 x 15 black cells
    EXPECT_EQ(RenderWith(standard, "").size(), QSize(640, 640));
    standard.SolutionWordShown = true;
    // The width does not grow with a long solution word; the row is cut off.
    EXPECT_EQ(RenderWith(standard, "ABCDEFGHIJKLMNOPQRST").size(), QSize(640, 740));

    Puzzle wide;
    wide.ResizeGrid(99, 7);
    EXPECT_EQ(ExportImage::ImageSize(wide), QSize(4000, 320));
}

TEST(ExportImageTest, UsesOnlyBlackWhiteAndRed) {
    const QImage image = Render(true);
    const int all = image.width() * image.height();
    EXPECT_EQ(CountPixels(image, image.rect(), kWhite) + CountPixels(image, image.rect(), kBlack) +
                  CountPixels(image, image.rect(), kRed),
              all);
}

TEST(ExportImageTest, FrameGridLinesAndBlackCells) {
    const QImage image = Render(false);
    // Frame 4 pixels wide centred on the grid's outer edges x = 20 and x = 220.
    for (int x : {18, 19, 20, 21, 218, 219, 220, 221}) {
        EXPECT_EQ(image.pixel(x, 70), kBlack) << x;
    }
    for (int x : {17, 22, 222}) {
        EXPECT_EQ(image.pixel(x, 70), kWhite) << x;
    }
    // Thin line between cells (0, 1) and (1, 1); (1, 1) is black itself.
    EXPECT_EQ(image.pixel(60, 70), kBlack);
    EXPECT_EQ(image.pixel(59, 70), kWhite);
    // Black cells fill their whole square: (1, 1) covers 60..99 x 60..99.
    EXPECT_EQ(CountPixels(image, QRect(60, 60, 40, 40), kBlack), 1600);
    // The bottom row is black, the margin below the frame stays white.
    EXPECT_EQ(CountPixels(image, QRect(20, 180, 200, 40), kBlack), 8000);
    EXPECT_EQ(CountPixels(image, QRect(0, 222, 240, 10), kWhite), 240 * 10);
}

TEST(ExportImageTest, BarsAreThreePixelsWideAndStopShortOfTheCorners) {
    const QImage image = Render(false);
    // Bar right of cell (1, 2): x = 100 from y = 102 to 138.
    for (int x : {99, 100, 101}) {
        EXPECT_EQ(image.pixel(x, 120), kBlack) << x;
    }
    EXPECT_EQ(image.pixel(101, 101), kWhite);
    EXPECT_EQ(image.pixel(101, 139), kWhite);
    // No bar right of cell (0, 2): only the thin line.
    EXPECT_EQ(image.pixel(60, 130), kBlack);
    EXPECT_EQ(image.pixel(61, 130), kWhite);
    // Bar below cell (2, 2): y = 140 from x = 102 to 138.
    for (int y : {139, 140, 141}) {
        EXPECT_EQ(image.pixel(120, y), kBlack) << y;
    }
    EXPECT_EQ(image.pixel(101, 141), kWhite);
    EXPECT_EQ(image.pixel(139, 141), kWhite);
}

TEST(ExportImageTest, LettersAreRedOnlyInTheSolution) {
    const QImage solution = Render(true);
    const QImage puzzle = Render(false);
    const QRect cellR(101, 142, 38, 37); // cell (2, 3) with "R", no mark, below a bar
    EXPECT_GT(CountPixels(solution, cellR, kRed), 40);
    EXPECT_EQ(CountPixels(puzzle, cellR, kRed), 0);
    EXPECT_EQ(CountPixels(puzzle, cellR, kBlack), 0);
    // The letter starts at (L + 10, T + 8): nothing of it left of or above that.
    EXPECT_EQ(CountPixels(solution, QRect(101, 142, 9, 37), kRed), 0);
    EXPECT_EQ(CountPixels(solution, QRect(101, 142, 38, 6), kRed), 0);
}

TEST(ExportImageTest, NumbersAndMarks) {
    const QImage image = Render(false);
    // Number 4 of cell (2, 2) at (102, 102), 12 pixels high.
    EXPECT_GT(CountPixels(image, QRect(102, 102, 10, 12), kBlack), 5);
    EXPECT_EQ(CountPixels(image, QRect(102, 115, 36, 23), kBlack), 0);
    // Mark of cell (1, 0): a red circle around (80, 40), radius 19, open at
    // the lower right; its position 2 black at (94, 44).
    EXPECT_EQ(image.pixel(80, 59), kRed);
    EXPECT_EQ(image.pixel(61, 40), kRed);
    EXPECT_EQ(image.pixel(98, 40), kRed);
    EXPECT_EQ(CountPixels(image, QRect(92, 47, 6, 6), kRed), 0); // inside the opening
    EXPECT_GT(CountPixels(image, QRect(94, 44, 6, 9), kBlack), 3);
    // A cell without a mark has no red.
    EXPECT_EQ(CountPixels(image, QRect(21, 101, 38, 38), kRed), 0);
}

TEST(ExportImageTest, SolutionRowBelowTheGrid) {
    const QImage solution = Render(true);
    const QImage puzzle = Render(false);
    // GB = 220: label at (20, 234), boxes from y = 260 to 300, 4 boxes of 40.
    EXPECT_GT(CountPixels(puzzle, QRect(20, 234, 120, 24), kBlack), 100);
    for (int x : {20, 60, 100, 140, 180}) {
        EXPECT_EQ(puzzle.pixel(x, 290), kBlack) << x;
    }
    EXPECT_EQ(puzzle.pixel(185, 290), kWhite);
    EXPECT_EQ(puzzle.pixel(100, 260), kBlack);
    EXPECT_EQ(puzzle.pixel(100, 300), kBlack);
    // The letters of the upper-cased word in black, only in the solution.
    const QRect box2(70, 264, 28, 34);
    EXPECT_GT(CountPixels(solution, box2, kBlack), 40);
    EXPECT_EQ(CountPixels(puzzle, box2, kBlack), 0);
    EXPECT_EQ(CountPixels(solution, QRect(20, 260, 200, 41), kRed), 0);
}

TEST(ExportImageTest, RecordsTextsWherePlaced) {
    Puzzle puzzle = SamplePuzzles::Small();
    puzzle.SolutionMarks[4] = {2, 3, 15};
    RecordingCanvas canvas;
    DrawWith(canvas, puzzle, W("häse") + "x", OutputVariant::Solution);
    const RecordingCanvas::Page& calls = canvas.Pages.at(0);

    // Cell (0, 0) starts across 1 and down 1: one number, the across one.
    const auto* one = canvas.FindText(0, "1");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->Points[0], QPoint(22, 22));
    EXPECT_EQ(one->Font, CanvasFont::Cell(12, false));
    // Marks: position 3 at L + 34, position 15 four pixels further left.
    const auto* three = canvas.FindText(0, "3", CanvasFont::Character(8, true));
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->Points[0], QPoint(140 + 34, 20 + 24));
    const auto* fifteen = canvas.FindText(0, "15", CanvasFont::Character(8, true));
    ASSERT_NE(fifteen, nullptr);
    EXPECT_EQ(fifteen->Points[0], QPoint(100 + 30, 140 + 24));
    // Upper-cased word in the row, umlaut included.
    const auto* umlaut = canvas.FindText(0, W("Ä"));
    ASSERT_NE(umlaut, nullptr);
    EXPECT_EQ(umlaut->Points[0], QPoint(60 + 10, 220 + 44));
    EXPECT_EQ(canvas.FindText(0, W("Lösungswort"))->Points[0], QPoint(20, 234));
    // Arc of the mark in cell (3, 0).
    const auto arc = std::find_if(calls.begin(), calls.end(), [](const auto& call) {
        return call.Type == RecordingCanvas::Call::Kind::Arc && call.Points[0] == QPoint(141, 21);
    });
    ASSERT_NE(arc, calls.end());
    EXPECT_EQ(arc->Points, (std::vector<QPoint>{{141, 21}, {179, 59}, {176, 44}, {176, 56}}));
    EXPECT_EQ(arc->PenWidth, 2);
}

TEST(ExportImageTest, MarksFollowTheSolutionWordLength) {
    Puzzle puzzle = SamplePuzzles::Small();
    RecordingCanvas shortWord;
    DrawWith(shortWord, puzzle, "HA"); // only the first two marks
    EXPECT_EQ(shortWord.Count(0, RecordingCanvas::Call::Kind::Arc), 2u);

    RecordingCanvas empty;
    DrawWith(empty, puzzle, "");
    EXPECT_EQ(empty.Count(0, RecordingCanvas::Call::Kind::Arc), 0u);
    EXPECT_NE(empty.FindText(0, W("Lösungswort")), nullptr);

    // More letters than there are mark entries: no read beyond them.
    for (auto& mark : puzzle.SolutionMarks) {
        mark = {0, 0, 1};
    }
    RecordingCanvas tooLong;
    DrawWith(tooLong, puzzle, std::string(25, 'A'));
    EXPECT_EQ(tooLong.Count(0, RecordingCanvas::Call::Kind::Arc), 20u);

    puzzle.SolutionWordShown = false;
    RecordingCanvas hidden;
    DrawWith(hidden, puzzle, "HASE");
    EXPECT_EQ(hidden.Count(0, RecordingCanvas::Call::Kind::Arc), 0u);
    EXPECT_EQ(hidden.FindText(0, W("Lösungswort")), nullptr);
}

TEST(ExportImageTest, FontHeightsAreCharacterCells) {
    for (int height : {12, 24, 32}) {
        const QImage image(10, 10, QImage::Format_RGB32);
        const QFont font =
            PainterCanvas::FontFor(CanvasFont::Cell(height, true), image.logicalDpiY());
        const QFontMetricsF metrics(font, &image);
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), height, 0.8) << height;
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    }
}

TEST(ExportImageTest, ProposedName) {
    Puzzle puzzle = SamplePuzzles::Small();
    EXPECT_EQ(ExportImage::ProposedName(puzzle, "Tiere.db", OutputVariant::Puzzle), "Tiere-5x5-5");
    EXPECT_EQ(ExportImage::ProposedName(puzzle, "Tiere.db", OutputVariant::Solution),
              W("Lösung Tiere-5x5-5"));
    EXPECT_EQ(ExportImage::ProposedName(puzzle, "Tiere-15x15-42.wbx.bak", OutputVariant::Puzzle),
              "Tiere-15x15-42-5x5-5");
    const Puzzle startUp; // "NoName" has no dot: empty base; one empty clue row
    EXPECT_EQ(ExportImage::ProposedName(startUp, "NoName", OutputVariant::Puzzle), "-15x15-1");
    EXPECT_EQ(ExportImage::ClueTextPath("/data/out/Mein Bild.bmp", W("Lösung -5x5-3")),
              QString::fromUtf8("/data/out/Lösung -5x5-3.txt"));
}

TEST(ExportImageTest, SavesBmpAndReportsFailure) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage image = Render(true);
    const QString path = dir.filePath("bild.bmp");
    ExportImage::Save(image, path);
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage back = reader.read().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(back, image);

    try {
        ExportImage::Save(image, dir.filePath("fehlt/bild.bmp"));
        FAIL() << "no error for a missing folder";
    } catch (const WabolexError& e) {
        EXPECT_NE(std::string(e.what()).find("kann nicht geschrieben werden"), std::string::npos);
    }
}

// The writers' own reasons are English; the user reads why in German.
TEST(ExportImageTest, WriteFailuresGiveGermanReasons) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage image = Render(false);
    auto messageOf = [](auto write) {
        try {
            write();
        } catch (const WabolexError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    const std::string missingFolder =
        messageOf([&] { ExportImage::Save(image, dir.filePath("fehlt/bild.bmp")); });
    EXPECT_NE(missingFolder.find("existiert nicht"), std::string::npos) << missingFolder;
    EXPECT_EQ(missingFolder.find("Cannot"), std::string::npos) << missingFolder;

    ASSERT_TRUE(QDir(dir.path()).mkdir("ordner.bmp"));
    const std::string folder =
        messageOf([&] { ExportImage::Save(image, dir.filePath("ordner.bmp")); });
    EXPECT_NE(folder.find("das ist ein Ordner"), std::string::npos) << folder;

    const std::string clues =
        messageOf([&] { ClueText::Write(dir.filePath("fehlt/text.txt"), {}); });
    EXPECT_NE(clues.find("existiert nicht"), std::string::npos) << clues;
    EXPECT_EQ(clues.find("No such"), std::string::npos) << clues;
}
