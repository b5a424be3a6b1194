// The main window: menu, caption, start-up state, secondary windows, close
// query, resizing, the error boundary, statistics and help windows.
#include "tests/ui/KatalogFixture.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TEOptions.h"
#include "ui/TInfoBox.h"
#include "ui/TLHint.h"
#include "ui/TRegelnBox.h"
#include "ui/TStatistikAnzeige.h"

#include <QAction>
#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <stdexcept>

namespace {

using MainWindowTest = KatalogFixture;

QStringList Items(QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}

TEST_F(MainWindowTest, MenuTreeHasItsCaptionsOrderAndSeparators) {
    const QList<QAction*> bar = katalog->menuBar()->actions();
    QStringList titles;
    for (QAction* a : bar)
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&Datei", "&Einstellungen", "&Rätsel", "Lösungs&wort", "&Lösung",
                                   "&Hilfe"}));

    EXPECT_EQ(Items(bar[0]->menu()), (QStringList{"Ö&ffnen", "&Rätsel exportieren",
                                                  "Lösung exportieren", "-", "&Beenden"}));
    EXPECT_EQ(bar[1]->menu(), nullptr) << "Einstellungen is a command itself";
    EXPECT_EQ(Items(bar[2]->menu()), (QStringList{"&Generieren", "&Lösen", "S&tatistik", "-",
                                                  "&Drucken", "&Laden", "&Speichern"}));
    EXPECT_EQ(Items(bar[3]->menu()), (QStringList{"&löschen", "neue Position"}));
    EXPECT_EQ(Items(bar[4]->menu()), (QStringList{"&Anzeigen", "&Drucken"}));
    EXPECT_EQ(Items(bar[5]->menu()), (QStringList{"&Hinweise", "-", "&Info"}));
    for (QAction* a : bar)
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
}

TEST_F(MainWindowTest, StartsWithCaptionEmptyGridAndHiddenSecondaryWindowsInOrder) {
    EXPECT_EQ(katalog->windowTitle(),
              QStringLiteral("Wabolex %1").arg(QDate::currentDate().year()));
    EXPECT_EQ(katalog->session().SourceName(), "NoName");
    EXPECT_EQ(P().Columns, 15);
    EXPECT_EQ(P().Rows, 15);
    EXPECT_EQ(katalog->Ausgabe()->ColCount(), 15);
    EXPECT_EQ(katalog->Ausgabe()->RowCount(), 15);
    EXPECT_EQ(katalog->session().Words().WordCount(), 0);
    EXPECT_FALSE(V().ShowGenerated || V().ShowSolution || V().Solving || P().SolutionWordShown);
    EXPECT_EQ(katalog->Ausgabe()->pos(), QPoint(10, 10));

    QStringList windows;
    for (QObject* child : katalog->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w->isWindow()) {
            windows << QString::fromLatin1(w->metaObject()->className());
            EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
        }
    }
    EXPECT_EQ(windows, (QStringList{"TEOptions", "TBegriffsumschreibung", "TInfoBox", "TRegelnBox",
                                    "TStatistikAnzeige", "TLHint"}));
    EXPECT_EQ(katalog->EOptions()->windowTitle(), "Einstellungen");
    EXPECT_EQ(katalog->InfoBox()->windowTitle(), "Über das Programm");
    EXPECT_EQ(katalog->RegelnBox()->windowTitle(), "Nutzungshinweise");
    EXPECT_EQ(katalog->StatistikAnzeige()->windowTitle(), "Statistik");
}

TEST_F(MainWindowTest, CloseQueryKeepsTheWindowOnNoAndEndsOnYes) {
    messages.ConfirmAnswers = {false};
    EXPECT_FALSE(katalog->close());
    EXPECT_TRUE(katalog->isVisible());
    EXPECT_EQ(messages.Texts("Confirm"), QStringList{"Rätselgenerator beenden?"});
    EXPECT_EQ(messages.Count("Information"), 0);

    // "&Beenden" asks the same question; open side windows go with the main window.
    katalog->LHint()->show();
    messages.ConfirmAnswers = {true};
    Menu(*katalog).Beenden->trigger();
    EXPECT_FALSE(katalog->isVisible());
    EXPECT_FALSE(katalog->LHint()->isVisible());
    EXPECT_EQ(messages.Count("Confirm"), 2);
    EXPECT_EQ(messages.Texts("Information"), QStringList{"Der Generator hält an!!"});
}

TEST_F(MainWindowTest, ResizingKeepsTheGridCornerAndScrollsToTheCurrentCell) {
    const int menu = katalog->menuBar()->height();
    katalog->resize(400, 300 + menu);
    TAusgabe* grid = katalog->Ausgabe();
    EXPECT_EQ(grid->pos(), QPoint(10, 10));
    // Outer width minus 30 and outer height minus 80, the frame counted in.
    EXPECT_EQ(grid->width(), 400 + 8 - 30);
    EXPECT_EQ(grid->height(), 300 + 50 - 80);

    grid->SetCurrentCell(14, 14);
    EXPECT_GT(grid->LeftCol(), 0);
    EXPECT_GT(grid->TopRow(), 0);
    int32_t col = -1;
    int32_t row = -1;
    const QRect cell = grid->CellRect(14, 14);
    ASSERT_TRUE(grid->MouseToCell(cell.left() + 5, cell.top() + 5, col, row));
    EXPECT_EQ(col, 14);
    EXPECT_EQ(row, 14);
    EXPECT_LE(cell.right(), grid->viewport()->width());
}

TEST_F(MainWindowTest, ArrowKeysAndClicksMoveTheCurrentCellWithinTheGrid) {
    TAusgabe* grid = katalog->Ausgabe();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(grid->Col(), 0) << "never left of column 0";
    EXPECT_EQ(grid->Row(), 1);

    const QRect cell = grid->CellRect(3, 4);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    const QRect other = grid->CellRect(5, 5);
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, other.center());
    EXPECT_EQ(grid->Col(), 3) << "a right press does not move the current cell";
}

TEST_F(MainWindowTest, ErrorBoundaryShowsTheMessageAndGoesOn) {
    katalog->RunCommand([] { throw WabolexError(W("Index außerhalb des Rätsels")); });
    katalog->RunCommand([] { throw std::runtime_error("kaputt"); });
    katalog->RunCommand([] {});
    EXPECT_EQ(messages.Texts("Error"), (QStringList{"Index außerhalb des Rätsels", "kaputt"}));
    EXPECT_TRUE(katalog->isVisible());
}

TEST_F(MainWindowTest, StatisticsOfTheEmptyGridShowAllBlackAndZeroPercent) {
    Menu(*katalog).RStatistik->trigger();
    EXPECT_EQ(modalShown, QStringList{"StatistikAnzeige"});
    TStatistikAnzeige* s = katalog->StatistikAnzeige();
    EXPECT_EQ(Values(s).Rows->text(), "15");
    EXPECT_EQ(Values(s).Columns->text(), "15");
    EXPECT_EQ(Values(s).Crossings->text(), "0");
    EXPECT_EQ(Values(s).CrossingsPercent->text(), "0,00");
    EXPECT_EQ(Values(s).BlackCells->text(), "225");
    EXPECT_EQ(Values(s).AcrossWords->text(), "0");
    EXPECT_EQ(Values(s).DownWords->text(), "0");
}

TEST_F(MainWindowTest, StatisticsCountRowsAndColumnsTheRightWayRound) {
    Change([](Puzzle& p, ViewFlags&) {
        p.ResizeGrid(20, 10);
        p.ResetGrid();
        p.Grid.At(3, 4).Mark = CellMark::Crossing();
        p.Grid.At(3, 4).Letter = 'A';
        p.Grid.At(0, 0).AcrossNo = 1;
        p.Grid.At(1, 0).DownNo = 2;
    });
    Menu(*katalog).RStatistik->trigger();
    TStatistikAnzeige* s = katalog->StatistikAnzeige();
    EXPECT_EQ(Values(s).Rows->text(), "10");
    EXPECT_EQ(Values(s).Columns->text(), "20");
    EXPECT_EQ(Values(s).Crossings->text(), "1");
    EXPECT_EQ(Values(s).CrossingsPercent->text(), "0,50");
    EXPECT_EQ(Values(s).BlackCells->text(), "199");
    EXPECT_EQ(Values(s).AcrossWords->text(), "1");
    EXPECT_EQ(Values(s).DownWords->text(), "1");
}

TEST_F(MainWindowTest, HelpWindowsAreShownModallyAndTheNotesCannotBeEdited) {
    Menu(*katalog).Hinweise->trigger();
    Menu(*katalog).Info->trigger();
    EXPECT_EQ(modalShown, (QStringList{"RegelnBox", "InfoBox"}));

    QPlainTextEdit* memo = MemoRegeln(katalog->RegelnBox());
    EXPECT_EQ(TRegelnBox::Lines().size(), 36);
    EXPECT_TRUE(memo->toPlainText().startsWith("Schritt1: Einstellungen vornehmen:"));
    EXPECT_TRUE(memo->toPlainText().endsWith("Viel Spaß"));
    const QString before = memo->toPlainText();
    katalog->RegelnBox()->show();
    memo->setFocus();
    QTest::keyClicks(memo, "xyz");
    EXPECT_EQ(memo->toPlainText(), before);
    katalog->RegelnBox()->hide();
    EXPECT_EQ(InfoTitle(katalog->InfoBox())->text(), "Wabolex");
}

} // namespace
