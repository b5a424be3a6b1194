// The settings dialog and the resize question of "&Einstellungen".
#include "tests/ui/KatalogFixture.h"

#include "base/Cp1252.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TEOptions.h"
#include "ui/TSpinEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>

namespace {

using SettingsTest = KatalogFixture;

TEST_F(SettingsTest, StartValuesAreInPlace) {
    TEOptions* o = katalog->EOptions();
    EXPECT_EQ(GridWidth(o), 15);
    EXPECT_EQ(GridHeight(o), 15);
    EXPECT_EQ(Passes(o), 4);
    EXPECT_TRUE(UseShortWords(o));
    EXPECT_TRUE(ShowInsertions(o));
    EXPECT_TRUE(IsSolutionWordChecked(o));
    EXPECT_EQ(SolutionWord(o), "HOCHZEITSTAG");
    EXPECT_EQ(o->height(),
              TEOptions::kHeightWithWord + TEOptions::kMixRowHeight - TEOptions::kFrameHeight);
    EXPECT_TRUE(Menu(*katalog).MenuLoesungswort->isEnabled());
    // "Wörter mischen" under the others, unchecked, inside the window.
    const auto* mix = o->findChild<QCheckBox*>("CheckBoxWM");
    ASSERT_NE(mix, nullptr);
    EXPECT_FALSE(MixWords(o));
    EXPECT_EQ(mix->text(), QString::fromUtf8("Wörter mischen"));
    EXPECT_EQ(mix->toolTip(), QString::fromUtf8("andere Wörter in jedem Rätsel"));
    EXPECT_GT(mix->y(), Controls(o).SolutionWord->y());
    EXPECT_LE(mix->geometry().bottom(), o->height());
}

TEST_F(SettingsTest, PassesMinimumFollowsTheLongerSideWithoutChangingTheValueAtOnce) {
    TEOptions* o = katalog->EOptions();
    o->show();
    // The arrows are the only way to change the size.
    QTest::keyClick(Controls(o).Columns, Qt::Key_Up);
    EXPECT_EQ(GridWidth(o), 16);
    EXPECT_EQ(Controls(o).Passes->MinValue(), 4);

    Controls(o).Rows->setValue(5);
    SetGridSize(o, 99, 5);
    EXPECT_EQ(Controls(o).Passes->MinValue(), 20);
    EXPECT_EQ(Passes(o), 4) << "a raised minimum leaves the value until the next step";
    Controls(o).Passes->stepBy(1);
    EXPECT_EQ(Passes(o), 20);
    Controls(o).Passes->stepBy(1);
    EXPECT_EQ(Passes(o), 20) << "20 is also the maximum";

    // The smaller side does not move the minimum.
    Controls(o).Rows->setValue(50);
    EXPECT_EQ(Controls(o).Passes->MinValue(), 20);
    SetGridSize(o, 10, 50);
    EXPECT_EQ(Controls(o).Passes->MinValue(), 20) << "width below height leaves it";
    Controls(o).Rows->setValue(12);
    EXPECT_EQ(Controls(o).Passes->MinValue(), 3) << "12 >= 10: 12 div 5 + 1";

    // The spin edits cannot be typed into.
    Controls(o).Columns->setFocus();
    QTest::keyClicks(Controls(o).Columns, "7");
    EXPECT_EQ(GridWidth(o), 10);
    o->hide();
}

TEST_F(SettingsTest, SolutionWordBoxSetsHeightMenuAndEmptiesTheField) {
    TEOptions* o = katalog->EOptions();
    o->show();
    QTest::mouseClick(Controls(o).UseSolutionWord, Qt::LeftButton, {},
                      QPoint(8, Controls(o).UseSolutionWord->height() / 2));
    EXPECT_FALSE(IsSolutionWordChecked(o));
    EXPECT_EQ(o->height(),
              TEOptions::kHeightWithoutWord + TEOptions::kMixRowHeight - TEOptions::kFrameHeight);
    EXPECT_FALSE(Controls(o).SolutionWord->isVisible()) << "the field leaves the window";
    const auto* mix = o->findChild<QCheckBox*>("CheckBoxWM");
    EXPECT_LE(mix->geometry().bottom(), o->height()) << "the last row moves up";
    EXPECT_TRUE(SolutionWord(o).isEmpty());
    EXPECT_FALSE(Menu(*katalog).MenuLoesungswort->isEnabled());

    // Unchecked, the dialog closes with an empty field.
    o->close();
    EXPECT_FALSE(o->isVisible());
    EXPECT_EQ(messages.Count("RetryError"), 0);

    o->show();
    SetSolutionWordChecked(o, true);
    EXPECT_EQ(o->height(),
              TEOptions::kHeightWithWord + TEOptions::kMixRowHeight - TEOptions::kFrameHeight);
    EXPECT_TRUE(Menu(*katalog).MenuLoesungswort->isEnabled());
    EXPECT_TRUE(SolutionWord(o).isEmpty()) << "checking again does not bring the word back";

    // Checked with an empty field: the dialog refuses to close, by any way.
    o->close();
    EXPECT_TRUE(o->isVisible());
    QTest::keyClick(o, Qt::Key_Escape);
    EXPECT_TRUE(o->isVisible());
    EXPECT_EQ(messages.Texts("RetryError"),
              (QStringList{"Das Lösungswort fehlt!!!", "Das Lösungswort fehlt!!!"}));

    // Typed small letters become capitals; Enter closes.
    Controls(o).SolutionWord->setFocus();
    TypeText(Controls(o).SolutionWord, "brötchen");
    EXPECT_EQ(SolutionWord(o), "BRÖTCHEN");
    EXPECT_EQ(katalog->session().Settings().SolutionWord, W("BRÖTCHEN"))
        << "the settings follow the field as it is typed";
    EXPECT_EQ(P().SolutionWord, W("BRÖTCHEN")) << "and the puzzle carries the word";
    QTest::keyClick(Controls(o).SolutionWord, Qt::Key_Return);
    EXPECT_FALSE(o->isVisible());
}

TEST_F(SettingsTest, SolutionFieldTakesAtMostTwentyCharacters) {
    TEOptions* o = katalog->EOptions();
    o->show();
    Controls(o).SolutionWord->clear();
    Controls(o).SolutionWord->setFocus();
    QTest::keyClicks(Controls(o).SolutionWord, "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(SolutionWord(o), "ABCDEFGHIJKLMNOPQRST");
    // A character the puzzle's character set cannot hold is refused, not mangled.
    Controls(o).SolutionWord->clear();
    TypeText(Controls(o).SolutionWord, QString::fromUtf8("a\u0436ß"));
    EXPECT_EQ(SolutionWord(o), "Aß");
    // Pasted text too, and characters outside the basic plane; a letter whose
    // capital Windows-1252 lacks stays as it is.
    for (const char* pasted : {"日本", "\xF0\x9F\x98\x80", "x\u0416"})
        Controls(o).SolutionWord->insert(QString::fromUtf8(pasted));
    EXPECT_EQ(SolutionWord(o), "Aß");
    Controls(o).SolutionWord->insert(QString::fromUtf8("µÿ"));
    EXPECT_EQ(SolutionWord(o), QString::fromUtf8("AßµŸ"));
    o->hide();
}

TEST_F(SettingsTest, ClosingWithoutASizeChangeAsksNothing) {
    Change([](Puzzle& p, ViewFlags& v) {
        v.ShowGenerated = true;
        p.Grid.At(2, 2).Letter = 'X';
    });
    onModal = [this](QWidget*) {
        TEOptions* o = katalog->EOptions();
        Controls(o).UseShortWords->setChecked(false);
        SetGridSize(o, 16, 15);
        SetGridSize(o, 15, 15);
    };
    Menu(*katalog).Einstellungen->trigger();
    EXPECT_EQ(modalShown, QStringList{"EOptions"});
    EXPECT_EQ(messages.Count("Warning"), 0);
    EXPECT_EQ(P().Grid.At(2, 2).Letter, 'X');
    EXPECT_FALSE(UseShortWords(katalog->EOptions()));
}

TEST_F(SettingsTest, ResizeQuestionNoKeepsThePuzzleAndAsksAgainYesResetsIt) {
    Change([](Puzzle& p, ViewFlags& v) {
        v.ShowGenerated = true;
        v.Solving = true;
        p.SolutionWordShown = true;
        p.Grid.At(2, 2).Letter = 'X';
    });
    onModal = [this](QWidget*) { SetGridSize(katalog->EOptions(), 20, 12); };
    messages.WarningAnswers = {false};
    Menu(*katalog).Einstellungen->trigger();
    EXPECT_EQ(messages.Texts("Warning"), QStringList{"Soll das aktuelle Rätsel gelöscht werden?"});
    EXPECT_EQ(P().Columns, 15);
    EXPECT_EQ(katalog->Ausgabe()->ColCount(), 15);
    EXPECT_EQ(P().Grid.At(2, 2).Letter, 'X');
    EXPECT_TRUE(V().Solving);

    // The spin edits kept 20 x 12: closing again asks again.
    onModal = nullptr;
    messages.WarningAnswers = {true};
    Menu(*katalog).Einstellungen->trigger();
    EXPECT_EQ(messages.Count("Warning"), 2);
    EXPECT_EQ(P().Columns, 20);
    EXPECT_EQ(P().Rows, 12);
    EXPECT_EQ(katalog->Ausgabe()->ColCount(), 20);
    EXPECT_EQ(katalog->Ausgabe()->RowCount(), 12);
    EXPECT_EQ(P().Grid.At(2, 2).Letter, '.');
    EXPECT_TRUE(P().Grid.At(19, 5).BarRight);
    EXPECT_TRUE(P().Grid.At(5, 11).BarBelow);
    EXPECT_FALSE(P().Grid.At(18, 5).BarRight);
    EXPECT_FALSE(V().Solving);
    EXPECT_FALSE(P().SolutionWordShown);
    EXPECT_FALSE(V().ShowSolution);
    EXPECT_TRUE(V().ShowGenerated) << "the generated view flag is left alone";
}

TEST_F(SettingsTest, SpinArrowsStandOutFromTheirButtons) {
    // The arrows are the only way to change the values, so they must be seen:
    // in the button part of each spin edit some pixels are far darker than the rest.
    TEOptions* o = katalog->EOptions();
    o->show();
    for (TSpinEdit* spin : {Controls(o).Columns, Controls(o).Rows, Controls(o).Passes}) {
        const QImage image = spin->grab().toImage();
        // Inside the button column, clear of the frame around the control.
        const QRect buttons(image.width() - 12, 4, 8, image.height() - 8);
        int lightest = 0;
        int darkest = 255;
        for (int y = buttons.top(); y <= buttons.bottom(); ++y)
            for (int x = buttons.left(); x <= buttons.right(); ++x) {
                const int grey = qGray(image.pixel(x, y));
                lightest = std::max(lightest, grey);
                darkest = std::min(darkest, grey);
            }
        EXPECT_GT(lightest - darkest, 120) << spin->objectName().toStdString();
    }
    o->hide();
}

} // namespace
