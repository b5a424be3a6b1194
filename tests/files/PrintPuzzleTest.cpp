#include "files/PrintPuzzle.h"
#include "base/WabolexError.h"
#include "files/OutputDevice.h"
#include "files/PainterCanvas.h"
#include "files/PrintJob.h"
#include "tests/files/RecordingCanvas.h"
#include "tests/files/SamplePuzzles.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Kind = RecordingCanvas::Call::Kind;
using Lines = std::vector<std::pair<QPoint, QPoint>>;

const std::string kCaption = "Wabolex 2026   Tiere";
const CanvasFont kHeading = CanvasFont::Cell(40, true);

// The print of a puzzle whose solution word is word.
RecordingCanvas Record(Puzzle puzzle, const std::string& word = "HASE",
                       PrintPage page = PrintPage{},
                       OutputVariant variant = OutputVariant::Puzzle) {
    RecordingCanvas canvas;
    puzzle.SolutionWord = word;
    PrintPuzzle::Draw(canvas, page, puzzle, kCaption, variant);
    return canvas;
}

// n clue rows of one direction, numbered from first, each clue "c" repeated.
std::vector<ClueRow> Clues(int first, int n, Direction direction, int clueLength) {
    std::vector<ClueRow> rows;
    for (int i = 0; i < n; ++i) {
        rows.push_back(ClueRow::Of(first + i, direction, std::string(clueLength, 'c')));
    }
    return rows;
}

std::string Entry(int number, int clueLength) {
    return std::to_string(number) + ") " + std::string(clueLength, 'c') + " ";
}

// The clue lines of a page (4-point text), with their positions.
std::vector<std::pair<QPoint, std::string>> ClueLines(const RecordingCanvas& canvas, size_t page) {
    std::vector<std::pair<QPoint, std::string>> lines;
    for (const auto& call : canvas.Pages.at(page)) {
        if (call.Type == Kind::Text && call.Font.Kind == CanvasFont::Measure::Character) {
            lines.emplace_back(call.Points[0], call.Text);
        }
    }
    return lines;
}

} // namespace

TEST(PrintPuzzleTest, GridBandsGoRowBandByRowBand) {
    EXPECT_EQ(PrintPuzzle::GridBands(15, 15), (std::vector<GridBand>{{0, 0, 15, 15}}));
    EXPECT_EQ(PrintPuzzle::GridBands(22, 32), (std::vector<GridBand>{{0, 0, 22, 32}}));
    EXPECT_EQ(
        PrintPuzzle::GridBands(23, 33),
        (std::vector<GridBand>{{0, 0, 22, 32}, {22, 0, 1, 32}, {0, 32, 22, 1}, {22, 32, 1, 1}}));
    const auto largest = PrintPuzzle::GridBands(99, 99);
    ASSERT_EQ(largest.size(), 20u);
    EXPECT_EQ(largest[4], (GridBand{88, 0, 11, 32}));
    EXPECT_EQ(largest[19], (GridBand{88, 96, 11, 3}));
}

TEST(PrintPuzzleTest, FifteenByFifteenOnOneGridPage) {
    Puzzle puzzle = SamplePuzzles::Full(15, 15);
    puzzle.ClueRows = Clues(1, 3, Direction::Across, 5);
    const RecordingCanvas canvas = Record(puzzle);
    ASSERT_EQ(canvas.Pages.size(), 2u); // grid page, then one clue page
    const auto* title = canvas.FindText(0, kCaption);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Points[0], QPoint(300, 100));
    EXPECT_EQ(title->Font, CanvasFont::Cell(40, true));

    const Lines thin = canvas.Lines(0, 1);
    ASSERT_EQ(thin.size(), 32u);
    EXPECT_EQ(thin.front(), std::make_pair(QPoint(100, 200), QPoint(100, 1400)));
    EXPECT_EQ(thin[15], std::make_pair(QPoint(1300, 200), QPoint(1300, 1400)));
    EXPECT_EQ(thin.back(), std::make_pair(QPoint(100, 1400), QPoint(1300, 1400)));
    // Thick left and top border, then the bars: right border column and bottom row.
    const Lines thick = canvas.Lines(0, 6);
    ASSERT_EQ(thick.size(), 2u + 15 + 15);
    EXPECT_EQ(thick[0], std::make_pair(QPoint(100, 200), QPoint(100, 1400)));
    EXPECT_EQ(thick[1], std::make_pair(QPoint(100, 200), QPoint(1300, 200)));
    // Cell (0, 14): bar below from x + 2 to x + 78 at y + 80.
    EXPECT_EQ(thick[2], std::make_pair(QPoint(102, 1400), QPoint(178, 1400)));
    // Cell (14, 0): bar right at x + 80 from y + 2 to y + 78.
    EXPECT_EQ(thick[2 + 14], std::make_pair(QPoint(1300, 202), QPoint(1300, 278)));

    const auto* number = canvas.FindText(0, "17"); // cell (1, 1)
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Points[0], QPoint(185, 285));
    EXPECT_EQ(number->Font, CanvasFont::Cell(22, false));
    EXPECT_EQ(canvas.FindText(0, "A"), nullptr); // puzzle print: no letters
}

TEST(PrintPuzzleTest, LargeGridPagesInOrderWithBordersAndRowOnFirstOnly) {
    Puzzle puzzle = SamplePuzzles::Full(23, 33);
    puzzle.SolutionWordShown = true;
    puzzle.SolutionMarks[0] = {22, 32, 1};
    const RecordingCanvas canvas = Record(puzzle, "A");
    ASSERT_EQ(canvas.Pages.size(), 5u);

    const std::vector<std::string> firstNumbers = {"1", "23", "737", "759"};
    const std::vector<size_t> verticalLines = {23, 2, 23, 2};
    const std::vector<size_t> horizontalLines = {33, 33, 2, 2};
    for (size_t page = 0; page < 4; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(canvas.Texts(page).at(0), kCaption);
        // The page's first cell number is that of its top left cell.
        const auto* first = canvas.FindText(page, firstNumbers[page]);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->Points[0], QPoint(105, 205));
        const Lines thin = canvas.Lines(page, 1);
        EXPECT_EQ(thin.size(), verticalLines[page] + horizontalLines[page]);
        const Lines thick = canvas.Lines(page, 6);
        const bool leftBorder = std::find_if(thick.begin(), thick.end(), [](const auto& line) {
                                    return line.first == QPoint(100, 200) && line.second.x() == 100;
                                }) != thick.end();
        EXPECT_EQ(leftBorder, page == 0 || page == 2);
        const bool topBorder = std::find_if(thick.begin(), thick.end(), [](const auto& line) {
                                   return line.first == QPoint(100, 200) && line.second.y() == 200;
                               }) != thick.end();
        EXPECT_EQ(topBorder, page == 0 || page == 1);
        EXPECT_EQ(canvas.FindText(page, W("Lösungswort")) != nullptr, page == 0);
    }
    // The row under the first page's 32 rows reaches y = 2920.
    const auto* label = canvas.FindText(0, W("Lösungswort"));
    EXPECT_EQ(label->Points[0], QPoint(100, 2780));
    // The mark of cell (22, 32) lands on the last grid page, top left cell.
    EXPECT_EQ(canvas.Count(3, Kind::Arc), 1u);
    EXPECT_EQ(canvas.Count(0, Kind::Arc), 0u);
    EXPECT_EQ(canvas.Texts(4).at(1), "waagerecht:");
}

TEST(PrintPuzzleTest, MarksAndSolutionRow) {
    Puzzle puzzle = SamplePuzzles::Small();
    puzzle.SolutionMarks[4] = {2, 3, 12};
    const RecordingCanvas canvas = Record(puzzle, W("häsex"), PrintPage{}, OutputVariant::Solution);
    const auto& calls = canvas.Pages.at(0);
    std::vector<const RecordingCanvas::Call*> arcs;
    for (const auto& call : calls) {
        if (call.Type == Kind::Arc) {
            arcs.push_back(&call);
        }
    }
    ASSERT_EQ(arcs.size(), 5u);
    // Cell (1, 0): square from (180, 200).
    EXPECT_EQ(arcs[1]->Points,
              (std::vector<QPoint>{{181, 201}, {259, 279}, {256, 240}, {256, 264}}));
    EXPECT_EQ(arcs[1]->PenWidth, 2);
    EXPECT_EQ(arcs[1]->Color, QColor(Qt::black));
    const CanvasFont small = CanvasFont::Cell(16, true);
    EXPECT_EQ(canvas.FindText(0, "2", small)->Points[0], QPoint(180 + 68, 240));
    EXPECT_EQ(canvas.FindText(0, "12", small)->Points[0], QPoint(260 + 64, 440 + 40));

    // Row under the grid (Y1 = 600), word upper-cased, letters in black.
    EXPECT_EQ(canvas.FindText(0, W("Lösungswort"))->Points[0], QPoint(100, 620));
    const auto outline = std::find_if(
        calls.begin(), calls.end(), [](const auto& call) { return call.Type == Kind::ClosedLine; });
    ASSERT_NE(outline, calls.end());
    EXPECT_EQ(outline->Points,
              (std::vector<QPoint>{{100, 680}, {100, 760}, {500, 760}, {500, 680}}));
    EXPECT_EQ(canvas.FindText(0, "5", small)->Points[0], QPoint(422, 682));
    const auto* umlaut = canvas.FindText(0, W("Ä"));
    ASSERT_NE(umlaut, nullptr);
    EXPECT_EQ(umlaut->Points[0], QPoint(200, 688));
    EXPECT_EQ(umlaut->Font, CanvasFont::Cell(60, true));
    for (const auto& call : calls) {
        EXPECT_EQ(call.Color, QColor(Qt::black));
    }
}

TEST(PrintPuzzleTest, SolutionDiffersOnlyByLetters) {
    Puzzle puzzle = SamplePuzzles::Small();
    const RecordingCanvas plain = Record(puzzle);
    const RecordingCanvas solved = Record(puzzle, "HASE", PrintPage{}, OutputVariant::Solution);
    ASSERT_EQ(plain.Pages.size(), solved.Pages.size());
    for (size_t page = 0; page < plain.Pages.size(); ++page) {
        std::vector<RecordingCanvas::Call> withoutLetters;
        for (const auto& call : solved.Pages[page]) {
            if (call.Font != CanvasFont::Cell(60, true)) {
                withoutLetters.push_back(call);
            }
        }
        ASSERT_EQ(withoutLetters.size(), plain.Pages[page].size());
        for (size_t i = 0; i < withoutLetters.size(); ++i) {
            EXPECT_EQ(withoutLetters[i].Points, plain.Pages[page][i].Points);
            EXPECT_EQ(withoutLetters[i].Text, plain.Pages[page][i].Text);
        }
    }
    // 11 grid letters and 4 row letters, the grid letter at (x + 20, y + 20).
    EXPECT_EQ(solved.Pages[0].size() - plain.Pages[0].size(), 15u);
    EXPECT_EQ(solved.FindText(0, "U")->Points[0], QPoint(280, 220));
}

TEST(PrintPuzzleTest, CluesFillLinesByTheNumberTest) {
    Puzzle puzzle = SamplePuzzles::Small();
    // Entries of 24 characters: (72 + 1 + 4) * 24 fits 2100, (96 + 1 + 4) * 24 does not,
    // so four entries go on a line, the fourth running over the assumed width.
    puzzle.ClueRows = Clues(1, 9, Direction::Across, 20);
    const auto down = Clues(1, 2, Direction::Down, 3);
    puzzle.ClueRows.insert(puzzle.ClueRows.begin() + 2, down.begin(), down.end());
    const RecordingCanvas canvas = Record(puzzle);
    ASSERT_EQ(canvas.Pages.size(), 2u);
    const size_t cluePage = 1;
    EXPECT_EQ(canvas.Texts(cluePage).at(0), kCaption);
    EXPECT_EQ(canvas.FindText(cluePage, "waagerecht:")->Points[0], QPoint(100, 200));
    EXPECT_EQ(canvas.FindText(cluePage, "waagerecht:")->Font, kHeading);

    const auto lines = ClueLines(canvas, cluePage);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].first, QPoint(100, 250));
    EXPECT_EQ(lines[0].second, Entry(1, 20) + Entry(2, 20) + Entry(3, 20) + Entry(4, 20));
    EXPECT_EQ(lines[1].first, QPoint(100, 290));
    EXPECT_EQ(lines[1].second, Entry(5, 20) + Entry(6, 20) + Entry(7, 20) + Entry(8, 20));
    EXPECT_EQ(lines[2].first, QPoint(100, 330));
    EXPECT_EQ(lines[2].second, Entry(9, 20));
    // "senkrecht:" 40 below the last across line, its lines 50 below it.
    EXPECT_EQ(canvas.FindText(cluePage, "senkrecht:")->Points[0], QPoint(100, 370));
    EXPECT_EQ(lines[3].first, QPoint(100, 420));
    EXPECT_EQ(lines[3].second, Entry(1, 3) + Entry(2, 3));
}

TEST(PrintPuzzleTest, ClueFontIsFourPointsAtThePrinterResolution) {
    Puzzle puzzle = SamplePuzzles::Small();
    for (const auto& [dpi, height] : {std::pair{600, 33}, {300, 17}, {1200, 67}}) {
        const RecordingCanvas canvas = Record(puzzle, "HASE", PrintPage{2100, 2970, dpi});
        const auto lines = ClueLines(canvas, 1);
        ASSERT_FALSE(lines.empty());
        const auto* call = canvas.FindText(1, lines[0].second);
        EXPECT_EQ(call->Font, CanvasFont::Character(height, false)) << dpi;
    }
}

TEST(PrintPuzzleTest, ContinuationPagesRepeatTitleAndHeading) {
    Puzzle puzzle = SamplePuzzles::Small();
    // One entry per line; a page of height 800 takes lines down to y = 500.
    puzzle.ClueRows = Clues(10, 10, Direction::Across, 80);
    const auto down = Clues(50, 8, Direction::Down, 80);
    puzzle.ClueRows.insert(puzzle.ClueRows.end(), down.begin(), down.end());
    const RecordingCanvas canvas = Record(puzzle, "HASE", PrintPage{2100, 800, 600});
    ASSERT_EQ(canvas.Pages.size(), 1u + 3);

    // Page 1: lines at 250 .. 490 (entries 10..16); the line at 490 pushes y past 500.
    auto lines = ClueLines(canvas, 1);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].second, Entry(10, 80));
    EXPECT_EQ(lines[6].first, QPoint(100, 490));
    // Page 2 continues at y 240 under the title and the heading.
    EXPECT_EQ(canvas.Texts(2).at(0), kCaption);
    EXPECT_EQ(canvas.FindText(2, "waagerecht:")->Points[0], QPoint(100, 200));
    lines = ClueLines(canvas, 2);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], std::make_pair(QPoint(100, 240), Entry(17, 80)));
    EXPECT_EQ(lines[2], std::make_pair(QPoint(100, 320), Entry(19, 80)));
    // Down section: heading at 360, lines at 410, 450, 490; the line at 490
    // pushes y past 500 and the rest goes to a page of its own.
    EXPECT_EQ(canvas.FindText(2, "senkrecht:")->Points[0], QPoint(100, 360));
    EXPECT_EQ(lines[3], std::make_pair(QPoint(100, 410), Entry(50, 80)));
    EXPECT_EQ(lines[5], std::make_pair(QPoint(100, 490), Entry(52, 80)));
    EXPECT_EQ(canvas.Texts(3).at(0), kCaption);
    EXPECT_EQ(canvas.FindText(3, "senkrecht:")->Points[0], QPoint(100, 200));
    EXPECT_EQ(canvas.FindText(3, "waagerecht:"), nullptr);
    lines = ClueLines(canvas, 3);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], std::make_pair(QPoint(100, 240), Entry(53, 80)));
    EXPECT_EQ(lines[4], std::make_pair(QPoint(100, 400), Entry(57, 80)));
}

TEST(PrintPuzzleTest, DownHeadingOpensANewPageWhenTheAcrossLinesEndLow) {
    Puzzle puzzle = SamplePuzzles::Small();
    puzzle.ClueRows = Clues(10, 7, Direction::Across, 80);
    const RecordingCanvas canvas = Record(puzzle, "HASE", PrintPage{2100, 800, 600});
    // Six lines move to the next by the width test, the seventh is flushed
    // at 490 and leaves y at 530 > 500: "senkrecht:" on a page of its own.
    ASSERT_EQ(canvas.Pages.size(), 3u);
    EXPECT_EQ(canvas.FindText(1, "senkrecht:"), nullptr);
    EXPECT_EQ(canvas.Texts(2), (std::vector<std::string>{kCaption, "senkrecht:"}));
    EXPECT_EQ(canvas.FindText(2, "senkrecht:")->Points[0], QPoint(100, 200));
}

TEST(PrintPuzzleTest, EmptyClueListGivesOneCluePageWithBothHeadings) {
    Puzzle startUp; // 15 x 15 black cells, one empty clue row
    const RecordingCanvas canvas = Record(startUp, "");
    ASSERT_EQ(canvas.Pages.size(), 2u);
    EXPECT_EQ(canvas.Count(0, Kind::Fill), 225u);
    EXPECT_EQ(canvas.Texts(1),
              (std::vector<std::string>{"Wabolex 2026   Tiere", "waagerecht:", "senkrecht:"}));
    EXPECT_EQ(canvas.FindText(1, "senkrecht:")->Points[0], QPoint(100, 250));
}

TEST(PrintPuzzleTest, DrawnPageHasTheLinesWhereTheUnitsSay) {
    // 254 dots per inch: one pixel is one unit of 0.1 mm.
    QImage sheet(1000, 1000, QImage::Format_RGB32);
    sheet.setDotsPerMeterX(10000);
    sheet.setDotsPerMeterY(10000);
    sheet.fill(Qt::white);
    std::vector<QImage> pages;
    QPainter painter(&sheet);
    PainterCanvas canvas(painter, [&] {
        pages.push_back(sheet.copy());
        sheet.fill(Qt::white);
    });
    PrintPuzzle::Draw(canvas, PrintPage{}, SamplePuzzles::Small(), kCaption, OutputVariant::Puzzle);
    painter.end();
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages[0];
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    // Thick left border around x = 100 next to cell (0, 1) "O", six units wide.
    EXPECT_EQ(page.pixel(97, 330), black);
    EXPECT_EQ(page.pixel(102, 330), black);
    EXPECT_EQ(page.pixel(95, 330), white);
    EXPECT_EQ(page.pixel(104, 330), white);
    // Thin line between cells (0, 2) and (1, 2); the bar right of (1, 2) at x = 260.
    EXPECT_EQ(page.pixel(180, 420), black);
    EXPECT_EQ(page.pixel(182, 420), white);
    EXPECT_EQ(page.pixel(258, 420), black);
    EXPECT_EQ(page.pixel(262, 420), black);
    EXPECT_EQ(page.pixel(262, 361), white); // stops 2 units short of the corner
    // A black cell: (1, 1) covers 180..259 x 280..359.
    EXPECT_EQ(page.pixel(185, 285), black);
    EXPECT_EQ(page.pixel(255, 355), black);
}

TEST(PrintPuzzleTest, PdfPagesAndPageMeasures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("druck.pdf");
    PrintJob::PrintToPdf(ToPath(path), QPageSize(QPageSize::A4), SamplePuzzles::Full(23, 33),
                         kCaption, OutputVariant::Puzzle);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              5);

    QPdfWriter a4(dir.filePath("a4.pdf"));
    a4.setResolution(PrintJob::PdfResolution);
    a4.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const PrintPage page = PrintJob::PageOf(a4);
    EXPECT_EQ(page.Width, 2100);
    EXPECT_EQ(page.Height, 2970);
    EXPECT_EQ(page.DpiY, 600);

    try {
        PrintJob::PrintToPdf(ToPath(dir.filePath("fehlt/druck.pdf")), QPageSize(QPageSize::A4),
                             SamplePuzzles::Small(), kCaption, OutputVariant::Puzzle);
        FAIL() << "no error for a missing folder";
    } catch (const WabolexError& e) {
        EXPECT_NE(std::string(e.what()).find("druck.pdf"), std::string::npos);
    }
}

// The PDF rendered back at 254 dpi, one pixel per 0.1 mm: the thick borders and
// the bars must sit where the units put them, measured from the page's corner.
TEST(PrintPuzzleTest, PdfRenderedBackMatchesTheUnits) {
    if (!QFile::exists("/usr/bin/pdftoppm")) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PrintJob::PrintToPdf(ToPath(dir.filePath("druck.pdf")), QPageSize(QPageSize::A4),
                         SamplePuzzles::Full(15, 15), kCaption, OutputVariant::Puzzle);
    const QString command =
        QString("/usr/bin/pdftoppm -r 254 -f 1 -l 1 -gray -singlefile '%1' '%2'")
            .arg(dir.filePath("druck.pdf"), dir.filePath("seite"));
    ASSERT_EQ(std::system(command.toLocal8Bit().constData()), 0);
    const QImage page(dir.filePath("seite.pgm"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 2100, 1);
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    for (int x = 97; x <= 102; ++x) {
        EXPECT_TRUE(dark(x, 700)) << x; // left border, 6 units around x = 100
    }
    EXPECT_FALSE(dark(95, 700));
    EXPECT_FALSE(dark(104, 700));
    for (int y = 197; y <= 202; ++y) {
        EXPECT_TRUE(dark(700, y)) << y; // top border around y = 200
    }
    EXPECT_TRUE(dark(1300, 700));  // bar of the last column
    EXPECT_FALSE(dark(1306, 700)); // nothing right of it
    EXPECT_TRUE(dark(700, 1400));  // bar of the last row
    EXPECT_FALSE(dark(700, 1406));
}

TEST(PrintPuzzleTest, MissingDefaultPrinterIsReported) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "a default printer is set up here; nothing is sent to it";
    }
    try {
        PrintJob::PrintOnDefaultPrinter(SamplePuzzles::Small(), kCaption, OutputVariant::Puzzle);
        FAIL() << "printing without a printer reported no error";
    } catch (const WabolexError& e) {
        EXPECT_NE(std::string(e.what()).find("Standarddrucker"), std::string::npos);
    }
}
