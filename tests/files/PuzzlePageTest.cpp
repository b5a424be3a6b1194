// The words behind the clues, the web page and what ipuz and the clue text
// carry beside the puzzle. The page's behaviour in a browser is tested end to
// end by tests/cli/puzzle_page_browser_test.js.
#include "files/PuzzlePage.h"
#include "base/Cp1252.h"
#include "files/ClueText.h"
#include "files/ExportFormat.h"
#include "files/IpuzFile.h"
#include "files/PuzzleWords.h"
#include "tests/files/SamplePuzzles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <functional>

namespace {

using Cells = std::vector<PuzzleWords::Cell>;

// The data the page's script reads.
QJsonObject PageData(const std::string& page) {
    const std::string open = "<script type=\"application/json\" id=\"puzzle-data\">";
    const size_t from = page.find(open);
    const size_t to = page.find("</script>", from);
    EXPECT_NE(from, std::string::npos);
    const std::string json = page.substr(from + open.size(), to - from - open.size());
    QJsonParseError error;
    const QJsonObject data =
        QJsonDocument::fromJson(QByteArray::fromStdString(json), &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
    return data;
}

// A 6 x 5 grid whose top row holds "ROT-AB" across, as a table of another
// program may spell an answer of two words.
Puzzle Hyphenated() {
    Puzzle puzzle = SamplePuzzles::FromRows({"ROT-AB", "E.....", "......", "......", "......"});
    puzzle.Grid.At(0, 0).AcrossNo = 1;
    puzzle.Grid.At(0, 0).DownNo = 1;
    puzzle.ClueRows = {ClueRow::Of(1, Direction::Across, "Farbe mit Strich"),
                       ClueRow::Of(1, Direction::Down, "Silbe")};
    return puzzle;
}

} // namespace

TEST(PuzzleWordsTest, WordsRunFromTheirNumberToABarABlackCellOrTheEdge) {
    const Puzzle small = SamplePuzzles::Small();
    // HAUS across ends at the black cell, HOSE down at the grid's last letter row.
    EXPECT_EQ(PuzzleWords::Cells(small.Grid, 1, Direction::Across),
              (Cells{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(PuzzleWords::Answer(small.Grid, PuzzleWords::Cells(small.Grid, 1, Direction::Down)),
              "HOSE");
    // SEE across stops at the bar right of (1, 2); ER down at the bar below (2, 2).
    EXPECT_EQ(PuzzleWords::Cells(small.Grid, 3, Direction::Across), (Cells{{0, 2}, {1, 2}}));
    EXPECT_EQ(PuzzleWords::Cells(small.Grid, 4, Direction::Down), (Cells{{2, 2}}));
    // A number of the other direction only, or none, or a row of neither direction.
    EXPECT_TRUE(PuzzleWords::Cells(small.Grid, 2, Direction::Across).empty());
    EXPECT_TRUE(PuzzleWords::Cells(small.Grid, 0, Direction::Across).empty());
    EXPECT_TRUE(PuzzleWords::Cells(small.Grid, ClueRow::FromTexts("1", "Anmerkung", "x")).empty());

    // The word ends where the next one of its direction starts, bar or not.
    Puzzle joined = SamplePuzzles::FromRows({"ABCDE"});
    joined.Grid.At(0, 0).AcrossNo = 1;
    joined.Grid.At(3, 0).AcrossNo = 2;
    EXPECT_EQ(PuzzleWords::Cells(joined.Grid, 1, Direction::Across).size(), 3u);
    EXPECT_EQ(PuzzleWords::Cells(joined.Grid, 2, Direction::Across).size(), 2u);
}

TEST(PuzzleWordsTest, EnumerationOnlyForAnswersOfSeveralWords) {
    EXPECT_EQ(PuzzleWords::Enumeration("HAUS"), "");
    EXPECT_EQ(PuzzleWords::Enumeration("ROTE BETE"), "4,4");
    EXPECT_EQ(PuzzleWords::Enumeration("RHEIN-MAIN"), "5-4");
    EXPECT_EQ(PuzzleWords::Enumeration("A B-CD"), "1,1-2");
    EXPECT_EQ(PuzzleWords::Enumeration(""), "");
}

TEST(PuzzlePageTest, AnswersAreScrambledByTheDocumentedKey) {
    // Letter A..Z of cell i moves (7 i + 3) mod 26 places on.
    EXPECT_EQ(PuzzlePage::Scramble('A', 0), 'D');
    EXPECT_EQ(PuzzlePage::Scramble('Z', 0), 'C');
    EXPECT_EQ(PuzzlePage::Scramble('A', 1), 'K');
    EXPECT_EQ(PuzzlePage::Scramble('A', 9800), 'A' + (7 * 9800 + 3) % 26);
    EXPECT_EQ(PuzzlePage::Scramble('.', 5), '.');
    EXPECT_EQ(PuzzlePage::Scramble('\xc4', 5), '\xc4');

    const Puzzle puzzle = SamplePuzzles::Small();
    const std::string page = PuzzlePage::Text(puzzle, OutputVariant::Puzzle, {});
    EXPECT_EQ(page.find("HAUS"), std::string::npos);
    EXPECT_EQ(page.find("HOSE"), std::string::npos);
    const QString letters = PageData(page)["letters"].toString();
    ASSERT_EQ(letters.size(), 25);
    EXPECT_EQ(letters[0], QChar('H' + 3));
    EXPECT_EQ(letters[4], QChar('.'));

    // The solution page shows them.
    const std::string solution = PuzzlePage::Text(puzzle, OutputVariant::Solution, {});
    EXPECT_NE(solution.find("<span class=\"letter\">H</span>"), std::string::npos);
    EXPECT_NE(solution.find("\"solution\":true"), std::string::npos);
}

TEST(PuzzlePageTest, PageHoldsGridCluesAndWordsAndLoadsNothing) {
    ExportOptions options;
    options.Title = "Tiere <1>";
    options.Author = "Erika \"E.\" Muster";
    options.Copyright = "\xC2\xA9 2026 Verein & Co";
    const std::string page =
        PuzzlePage::Text(SamplePuzzles::Small(), OutputVariant::Puzzle, options);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"de\">", 0), 0u);
    EXPECT_NE(page.find("<title>Tiere &lt;1&gt;</title>"), std::string::npos);
    EXPECT_NE(page.find("<p class=\"author\">Erika &quot;E.&quot; Muster</p>"), std::string::npos);
    EXPECT_NE(page.find("\xC2\xA9 2026 Verein &amp; Co"), std::string::npos);
    EXPECT_NE(page.find(kSolutionWordIntro), std::string::npos);
    // Clues in UTF-8, numbered as in the grid; the across word 3 stops at its bar.
    EXPECT_NE(page.find("<li data-word=\"0\"><b>1</b> Wohngeb\xC3\xA4ude</li>"), std::string::npos);
    EXPECT_NE(page.find("<li data-word=\"2\"><b>1</b> Beinkleid</li>"), std::string::npos);
    const QJsonObject data = PageData(page);
    const QJsonArray words = data["words"].toArray();
    ASSERT_EQ(words.size(), 5);
    EXPECT_EQ(words[1].toObject()["cells"].toArray(), (QJsonArray{10, 11}));
    EXPECT_EQ(data["marks"].toArray(), (QJsonArray{0, 1, 3, 8}));
    EXPECT_EQ(data["id"].toString().size(), 16);
    // A cell with its number, its bar and its circle.
    EXPECT_NE(page.find("<div class=\"cell circle\"><span class=\"num\">1</span>"
                        "<span class=\"pos\">1</span></div>"),
              std::string::npos);
    EXPECT_NE(page.find("<div class=\"cell bar-right\"></div>"), std::string::npos);
    // Self-contained: nothing from elsewhere.
    for (const char* outside : {"http:", "https:", " src=", "<link", "@import", "url("}) {
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    }
}

TEST(PuzzlePageTest, TextsCannotBreakOutOfTheMarkupOrTheScript) {
    Puzzle puzzle = SamplePuzzles::Small();
    puzzle.ClueRows[0].Clue = "</script><script>alert(1)</script>";
    puzzle.ClueRows[1].Clue = W("a & b \"c\" 'd' <e>");
    const std::string page = PuzzlePage::Text(puzzle, OutputVariant::Puzzle, {});
    EXPECT_EQ(page.find("<script>alert"), std::string::npos);
    EXPECT_NE(page.find("&lt;/script&gt;&lt;script&gt;alert(1)"), std::string::npos);
    EXPECT_NE(page.find("a &amp; b &quot;c&quot; &#39;d&#39; &lt;e&gt;"), std::string::npos);
    // The script data still reads back as the clue.
    EXPECT_EQ(PageData(page)["words"].toArray()[0].toObject()["clue"].toString(),
              "</script><script>alert(1)</script>");
}

TEST(PuzzlePageTest, PuzzleIdFollowsThePuzzleNotItsTitle) {
    const Puzzle puzzle = SamplePuzzles::Small();
    const std::string id = PuzzlePage::PuzzleId(puzzle);
    EXPECT_EQ(PuzzlePage::PuzzleId(Puzzle(puzzle)), id);
    for (const auto& change : std::vector<std::function<void(Puzzle&)>>{
             [](Puzzle& p) { p.Grid.At(1, 0).Letter = 'B'; },
             [](Puzzle& p) { p.Grid.At(1, 1).BarBelow = 1; },
             [](Puzzle& p) { p.ClueRows[2].Clue = "Teich"; },
             [](Puzzle& p) {
                 p.SolutionMarks[3] = {2, 2, 4};
             },
         }) {
        Puzzle changed = puzzle;
        change(changed);
        EXPECT_NE(PuzzlePage::PuzzleId(changed), id);
    }
}

TEST(PuzzlePageTest, IpuzAndPageCarryMetadataAndEnumerations) {
    ExportOptions options;
    options.Author = "Erika Muster";
    options.Copyright = "CC BY 4.0";
    const Puzzle puzzle = Hyphenated();
    const std::string text = IpuzFile::Text(puzzle, options);
    const QJsonObject ipuz = QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
    EXPECT_EQ(ipuz["title"].toString(), "NoName");
    EXPECT_EQ(ipuz["author"].toString(), "Erika Muster");
    EXPECT_EQ(ipuz["copyright"].toString(), "CC BY 4.0");
    EXPECT_FALSE(ipuz.contains("intro")); // no solution word shown
    const QJsonObject across = ipuz["clues"].toObject()["Across"].toArray()[0].toObject();
    EXPECT_EQ(across["number"].toInt(), 1);
    EXPECT_EQ(across["enumeration"].toString(), "3-2");
    EXPECT_TRUE(ipuz["clues"].toObject()["Down"].toArray()[0].isArray()); // one word: no object

    const std::string page = PuzzlePage::Text(puzzle, OutputVariant::Puzzle, {});
    EXPECT_NE(page.find("Farbe mit Strich <span class=\"enumeration\">(3-2)</span>"),
              std::string::npos);
    EXPECT_EQ(page.find("class=\"intro\""), std::string::npos);
    EXPECT_EQ(page.find("class=\"solution-row\""), std::string::npos);

    const QJsonObject marked =
        QJsonDocument::fromJson(QByteArray::fromStdString(IpuzFile::Text(
                                    SamplePuzzles::Small(), SamplePuzzles::SmallOptions())))
            .object();
    EXPECT_EQ(marked["intro"].toString().toStdString(), kSolutionWordIntro);
    EXPECT_EQ(marked["title"].toString(), "Tiere");
}

TEST(PuzzlePageTest, ClueTextInUtf8HasLineFeedsOnly) {
    const std::vector<ClueRow> rows = SamplePuzzles::Small().ClueRows;
    EXPECT_EQ(ClueText::Contents(rows, TextEncoding::Utf8), "waagerecht\n"
                                                            "1) Wohngeb\xC3\xA4ude\n"
                                                            "3) Binnengew\xC3\xA4sser\n"
                                                            "senkrecht\n"
                                                            "1) Beinkleid\n"
                                                            "2) Gew\xC3\xA4sser\n"
                                                            "4) Erbse\n");
}

TEST(PuzzlePageTest, FormatsOfTheNewExtensions) {
    EXPECT_EQ(ExportFormats::Of("seite.html"), ExportFormat::Html);
    EXPECT_EQ(ExportFormats::Of("SEITE.HTM"), ExportFormat::Html);
    EXPECT_EQ(ExportFormats::Of("blatt.Pdf"), ExportFormat::Sheet);
    EXPECT_FALSE(ExportFormats::IsPicture(ExportFormat::Html));
    EXPECT_FALSE(ExportFormats::IsPicture(ExportFormat::Sheet));
}
