// What the grid shows, read back as pixel colours of a grabbed grid, and the
// solution-word commands that change the marks.
#include "tests/ui/KatalogFixture.h"
#include "tests/ui/SolvingPuzzles.h"

#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TEOptions.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Silver = qRgb(0xC0, 0xC0, 0xC0);
const QRgb Lime = qRgb(0, 0xFF, 0);
const QRgb Fuchsia = qRgb(0xFF, 0, 0xFF);
const QRgb Blue = qRgb(0, 0, 0xFF);
const QRgb Red = qRgb(0xFF, 0, 0);
const QRgb Green = qRgb(0, 0x80, 0);

class GridRenderingTest : public KatalogFixture {
protected:
    // 5 x 5:  H A U S .   HAUS across (1), HOF down (1), SEE down (2);
    //         O . . E .   bars after HAUS's S and below HOF's F.
    //         F . . E .
    void MakePuzzle() {
        Change([](Puzzle& p, ViewFlags&) { SolvingPuzzles::MakeSmall(p); });
        // The current cell on a black cell, out of the way.
        katalog->Ausgabe()->SetCurrentCell(4, 4);
    }

    QImage Grab() { return katalog->Ausgabe()->Grab(); }

    static QPoint Corner(int c, int r) { return {c * TAusgabe::Pitch, r * TAusgabe::Pitch}; }

    // Pixels of one colour inside a part of a cell (offsets from its corner).
    static int Count(const QImage& image, int c, int r, QRgb colour,
                     QRect part = QRect(0, 0, 40, 40)) {
        const QPoint o = Corner(c, r) + part.topLeft();
        int n = 0;
        for (int y = o.y(); y < o.y() + part.height(); ++y)
            for (int x = o.x(); x < o.x() + part.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                    ++n;
        return n;
    }

    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000; }

    // Small text is smoothed: count the dark pixels of black writing.
    static int CountDark(const QImage& image, int c, int r, QRect part) {
        const QPoint o = Corner(c, r) + part.topLeft();
        int n = 0;
        for (int y = o.y(); y < o.y() + part.height(); ++y)
            for (int x = o.x(); x < o.x() + part.width(); ++x) {
                const QColor p = image.pixelColor(x, y);
                if (p.red() < 110 && p.green() < 110 && p.blue() < 110)
                    ++n;
            }
        return n;
    }
};

TEST_F(GridRenderingTest, StartUpShowsOnlyBlackCellsEvenTheCurrentOne) {
    const QImage image = Grab();
    for (int c = 0; c < 13; ++c)
        for (int r = 0; r < 12; ++r)
            EXPECT_EQ(Count(image, c, r, Black, QRect(1, 1, 38, 38)), 38 * 38) << c << "," << r;
    // The current cell keeps its dotted frame, visible on black.
    EXPECT_GT(Count(image, 0, 0, White, QRect(0, 0, 40, 40)), 20);
    EXPECT_EQ(Count(image, 1, 0, White, QRect(0, 0, 40, 40)), 0);
    // Thin grey lines between the cells: no bar is set yet.
    EXPECT_EQ(At(image, Corner(3, 3).x() + 40, Corner(3, 3).y() + 20), Silver);
    EXPECT_EQ(At(image, Corner(3, 3).x() + 20, Corner(3, 3).y() + 40), Silver);
}

TEST_F(GridRenderingTest, FocusedLetterCellIsSilverOthersWhite) {
    MakePuzzle();
    katalog->Ausgabe()->SetCurrentCell(1, 0);
    const QImage image = Grab();
    EXPECT_EQ(At(image, Corner(1, 0).x() + 20, Corner(1, 0).y() + 20), Silver);
    EXPECT_EQ(At(image, Corner(2, 0).x() + 20, Corner(2, 0).y() + 20), White);
    EXPECT_EQ(At(image, Corner(1, 1).x() + 20, Corner(1, 1).y() + 20), Black);
    // No view set: the letters stay hidden.
    EXPECT_EQ(Count(image, 2, 0, White, QRect(2, 2, 36, 36)), 36 * 36);
}

TEST_F(GridRenderingTest, GeneratedViewColoursLettersByDirectionWithoutNumbers) {
    MakePuzzle();
    Change([](Puzzle&, ViewFlags& v) { v.ShowGenerated = true; });
    const QImage image = Grab();
    EXPECT_GT(Count(image, 0, 0, Lime), 40) << "crossing";
    EXPECT_GT(Count(image, 1, 0, Fuchsia), 40) << "across only";
    EXPECT_GT(Count(image, 0, 1, Blue), 40) << "down only";
    EXPECT_EQ(Count(image, 1, 0, Lime) + Count(image, 1, 0, Blue), 0);
    // The clue number's corner stays free of black.
    EXPECT_EQ(CountDark(image, 0, 0, QRect(3, 3, 10, 5)), 0);
}

TEST_F(GridRenderingTest, SolutionViewShowsNumbersAndRedLetters) {
    MakePuzzle();
    Change([](Puzzle&, ViewFlags& v) { v.ShowSolution = true; });
    const QImage image = Grab();
    EXPECT_GT(CountDark(image, 0, 0, QRect(2, 3, 10, 12)), 5) << "number 1";
    EXPECT_GT(CountDark(image, 3, 0, QRect(2, 3, 10, 12)), 5) << "number 2 from DownNo";
    EXPECT_EQ(CountDark(image, 1, 0, QRect(2, 3, 10, 12)), 0) << "no word starts here";
    EXPECT_GT(Count(image, 1, 0, Red), 40);
    EXPECT_EQ(Count(image, 1, 0, Fuchsia), 0);
}

TEST_F(GridRenderingTest, SolvingViewShowsTheSolversLettersInGreen) {
    MakePuzzle();
    Menu(*katalog).RAnzeigen->trigger();
    katalog->Ausgabe()->SetCurrentCell(2, 0);
    TypeText(katalog->Ausgabe(), "Q"); // wrong letters look like right ones
    katalog->Ausgabe()->SetCurrentCell(4, 4);
    ASSERT_EQ(S().SolverGrid.At(2, 0).Letter, 'Q');
    const QImage image = Grab();
    EXPECT_GT(Count(image, 2, 0, Green), 40);
    EXPECT_EQ(Count(image, 1, 0, Green), 0) << "an empty entry leaves no trace";
    EXPECT_EQ(Count(image, 1, 0, Red), 0);
    EXPECT_GT(CountDark(image, 0, 0, QRect(2, 3, 10, 12)), 5) << "numbers while solving";
}

TEST_F(GridRenderingTest, BarsAreDrawnWhereTheModelHasThem) {
    MakePuzzle();
    Change([](Puzzle&, ViewFlags& v) { v.ShowGenerated = true; });
    const QImage image = Grab();
    const QPoint s = Corner(3, 0);
    EXPECT_EQ(At(image, s.x() + 40, s.y() + 20), Black) << "bar right of S";
    EXPECT_EQ(At(image, s.x() + 39, s.y() + 20), Black) << "two pixels wide";
    const QPoint u = Corner(2, 0);
    EXPECT_EQ(At(image, u.x() + 40, u.y() + 20), Silver) << "no bar between U and S";
    const QPoint f = Corner(0, 2);
    EXPECT_EQ(At(image, f.x() + 20, f.y() + 40), Black) << "bar below F";
    const QPoint o = Corner(0, 1);
    EXPECT_EQ(At(image, o.x() + 20, o.y() + 40), Silver) << "no bar below O";
    // The outer left and top edges.
    EXPECT_EQ(At(image, 0, o.y() + 20), Black);
    EXPECT_EQ(At(image, Corner(1, 0).x() + 20, 0), Black);
}

TEST_F(GridRenderingTest, SolutionMarksFollowTheWordInTheSettings) {
    MakePuzzle();
    SetSolutionWord(katalog->EOptions(), "HS");
    Change([](Puzzle& p, ViewFlags& v) {
        v.ShowGenerated = true;
        p.SolutionWordShown = true;
        p.SolutionMarks[0] = {0, 0, 1};
        p.SolutionMarks[1] = {3, 0, 2};
    });
    QImage image = Grab();
    EXPECT_GT(Count(image, 0, 0, Green), 40);
    EXPECT_GT(Count(image, 3, 0, Green), 40);
    EXPECT_EQ(Count(image, 1, 0, Green), 0);
    // The number stands in the gap of the circle at the lower right.
    EXPECT_GT(CountDark(image, 0, 0, QRect(33, 24, 7, 10)), 3);

    // Only the first L entries count, L the length of the word now in the field.
    SetSolutionWord(katalog->EOptions(), "H");
    image = Grab();
    EXPECT_GT(Count(image, 0, 0, Green), 40);
    EXPECT_EQ(Count(image, 3, 0, Green), 0);
    SetSolutionWord(katalog->EOptions(), "");
    image = Grab();
    EXPECT_EQ(Count(image, 0, 0, Green), 0);
}

TEST_F(GridRenderingTest, DeletingMarksAsksFirstAndKeepsTheFlag) {
    MakePuzzle();
    SetSolutionWord(katalog->EOptions(), "HS");
    Change([](Puzzle& p, ViewFlags&) {
        p.SolutionWordShown = true;
        p.SolutionMarks[0] = {0, 0, 1};
        p.SolutionMarks[1] = {3, 0, 2};
    });

    messages.ConfirmAnswers = {false};
    Menu(*katalog).LWDelete->trigger();
    EXPECT_EQ(messages.Texts("Confirm"),
              QStringList{"Soll die aktuelle Markierung gelöscht werden?"});
    EXPECT_EQ(P().SolutionMarks[0].Column, 0);

    messages.ConfirmAnswers = {true};
    Menu(*katalog).LWDelete->trigger();
    EXPECT_EQ(P().SolutionMarks[0], SolutionMark{});
    EXPECT_TRUE(P().SolutionWordShown);
    EXPECT_EQ(Count(Grab(), 0, 0, Green), 0);
}

TEST_F(GridRenderingTest, NewPositionPlacesTheWordWhateverTheAnswer) {
    MakePuzzle();
    SetSolutionWord(katalog->EOptions(), "HAUS");
    messages.ConfirmAnswers = {false};
    Menu(*katalog).neuePosition->trigger();
    EXPECT_EQ(messages.Count("Confirm"), 1);
    EXPECT_TRUE(P().SolutionWordShown);
    for (int i = 0; i < 4; ++i) {
        const SolutionMark& m = P().SolutionMarks[static_cast<size_t>(i)];
        EXPECT_EQ(m.Position, i + 1);
        EXPECT_EQ(P().Grid.At(m.Column, m.Row).Letter, "HAUS"[i]);
    }
    EXPECT_GT(Count(Grab(), 2, 0, Green), 40) << "the only U is marked";

    SetSolutionWord(katalog->EOptions(), "XY");
    messages.ConfirmAnswers = {true};
    Menu(*katalog).neuePosition->trigger();
    EXPECT_EQ(messages.Texts("RetryError"), QStringList{"Lösungswort XY NICHT gefunden"});
}

} // namespace
