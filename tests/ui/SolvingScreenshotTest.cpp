// Pictures of the solving view with the clue list and of the solution view with
// marks, with a check of the colours that matter.
#include "tests/ui/Screenshots.h"
#include "tests/ui/ScriptedServices.h"
#include "tests/ui/SolvingPuzzles.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"
#include "ui/TEOptions.h"
#include "ui/TKatalog.h"
#include "ui/TLHint.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

int CountColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

class SolvingScreenshotTest : public ::testing::Test {
protected:
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<TKatalog> katalog;

    void SetUp() override {
        katalog = std::make_unique<TKatalog>(messages, dialogs, 1);
        SetSolutionWordChecked(katalog->EOptions(), true);
        SetSolutionWord(katalog->EOptions(), "HUSE");
        Puzzle p;
        SolvingPuzzles::MakeSmall(p);
        p.SolutionMarks[0] = {0, 0, 1};
        p.SolutionMarks[1] = {2, 0, 2};
        p.SolutionMarks[2] = {3, 0, 3};
        p.SolutionMarks[3] = {3, 2, 4};
        p.SolutionWordShown = true;
        katalog->ShowPuzzle(p, ViewFlags{});
        katalog->Begriffsumschreibung()->Fill(p.ClueRows);
        katalog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(katalog.get()));
    }

    void TearDown() override {
        katalog->hide();
        katalog.reset();
    }
};

TEST_F(SolvingScreenshotTest, SolvingWithTheClueList) {
    Menu(*katalog).RAnzeigen->trigger();
    katalog->Ausgabe()->SetCurrentCell(4, 4);
    QTableWidget* list = UListe(katalog->Begriffsumschreibung());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 1)).center());
    QTest::keyClicks(katalog->Ausgabe(), "hxu");
    const QImage grid = katalog->Ausgabe()->Grab();
    Screenshots::Keep(Screenshots::Desk(*katalog), "solving.png");
    // The typed letters stand in green in their cells.
    const QRect secondCell = katalog->Ausgabe()->CellRect(1, 0);
    EXPECT_GT(CountColour(grid, secondCell, qRgb(0, 0x80, 0)), 20);
    EXPECT_EQ(Labels(katalog->LHint()).Attempts->text(), "Versuche 3");
}

TEST_F(SolvingScreenshotTest, SolutionWithMarks) {
    Menu(*katalog).LAnzeigen->trigger();
    const QImage grid = katalog->Ausgabe()->Grab();
    Screenshots::Keep(Screenshots::Desk(*katalog), "solution.png");
    const QRect firstCell = katalog->Ausgabe()->CellRect(1, 0);
    EXPECT_GT(CountColour(grid, firstCell, qRgb(0xFF, 0, 0)), 20);
}

} // namespace
