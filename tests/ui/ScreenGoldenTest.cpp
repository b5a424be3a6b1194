// The grid as the screen draws it, for the seeded puzzles of the output golden
// test, in every view a session passes through: the reset grid, a proposal of
// the generator, the generated letters, solving with typed letters and the
// solution with its marks. Each picture is compared by its SHA-256 with the one
// recorded, so a change of the drawing code must leave the screen as it was.
#include "files/PuzzleFile.h"
#include "tests/files/GoldenSupport.h"
#include "tests/ui/Screenshots.h"
#include "tests/ui/ScriptedServices.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TEOptions.h"
#include "ui/TKatalog.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

class ScreenGoldenTest : public ::testing::TestWithParam<golden::Case> {
protected:
    ScriptedMessages messages;
    ScriptedFileDialogs files;
    std::unique_ptr<TKatalog> katalog;
    std::ostringstream hashes;

    void SetUp() override {
        katalog = std::make_unique<TKatalog>(messages, files, GetParam().Seed);
        katalog->SetModalHook([](QWidget*) {});
        // Large enough for the whole grid, so that nothing scrolls.
        katalog->resize(1000, 700);
        katalog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(katalog.get()));
    }

    void TearDown() override {
        katalog->hide();
        katalog.reset();
    }

    // Every cell of the grid, painted as the widget paints them.
    void Keep(const char* view) {
        TAusgabe* grid = katalog->Ausgabe();
        QImage image(grid->ColCount() * TAusgabe::Pitch, grid->RowCount() * TAusgabe::Pitch,
                     QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        grid->PaintCells(painter, image.rect());
        painter.end();
        hashes << view << " " << golden::ImageHash(image) << "\n";
        Screenshots::Keep(image, QString("%1-%2.png").arg(GetParam().Name, view));
    }

    // A key carrying an ASCII character, as the keyboard sends it.
    void Type(char key) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(key)));
        QApplication::sendEvent(katalog->Ausgabe(), &press);
    }
};

TEST_P(ScreenGoldenTest, EveryViewLooksAsRecorded) {
    const golden::Case& screen = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path table = golden::WriteAnimalTables(folder.path().toStdString());
    files.OpenAnswers = {QString::fromStdString(table.string())};
    Menu(*katalog).DBLaden->trigger();
    SetGridSize(katalog->EOptions(), screen.Columns, screen.Rows);
    messages.WarningAnswers = {true};
    Menu(*katalog).Einstellungen->trigger();
    Keep("reset");

    // Every question answered Yes: the same puzzle as a run without questions.
    SetSolutionWord(katalog->EOptions(), "TIERPARK");
    messages.DefaultYesNo = true;
    bool proposalKept = false;
    messages.OnSatisfied = [&] {
        if (!proposalKept) {
            Keep("proposal");
            proposalKept = true;
        }
    };
    Menu(*katalog).RGenerieren->trigger();
    ASSERT_TRUE(messages.Texts("Error").isEmpty());
    std::string puzzleFile;
    for (const std::string& line : PuzzleFile::Lines(katalog->session().CurrentPuzzle())) {
        puzzleFile += line + "\r\n";
    }
    ASSERT_EQ(puzzleFile, golden::ReadFile(golden::Folder / (std::string(screen.Name) + ".wbx")));
    Keep("generated");

    // Solving: the first clue's word typed from its first cell, one letter wrong.
    Menu(*katalog).RAnzeigen->trigger();
    const Puzzle& puzzle = katalog->session().CurrentPuzzle();
    int32_t column = 0;
    int32_t row = 0;
    while (puzzle.Grid.At(column, row).AcrossNo != 1 && puzzle.Grid.At(column, row).DownNo != 1) {
        row = (row + 1) % puzzle.Rows;
        column += row == 0 ? 1 : 0;
    }
    const QRect cell = katalog->Ausgabe()->CellRect(column, row);
    katalog->Ausgabe()->SetCurrentCell(column, row);
    QTest::mousePress(katalog->Ausgabe()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(katalog->Ausgabe()->viewport(), Qt::LeftButton, {}, cell.center());
    Type(static_cast<char>(puzzle.Grid.At(column, row).Letter + ('a' - 'A')));
    Type(puzzle.Grid.At(column, row).Letter == 'Q' ? 'X' : 'Q');
    Keep("solving");

    // The solution with its marks; one more mark of a two-digit position.
    Menu(*katalog).LAnzeigen->trigger();
    SetSolutionWord(katalog->EOptions(), "TIERPARKTIER");
    Puzzle marked = puzzle;
    marked.SolutionMarks[10] = {column, row, 11};
    katalog->ShowPuzzle(marked, katalog->session().View());
    Keep("solution");

    const std::string name = std::string(screen.Name) + ".screen.sha256";
    EXPECT_EQ(hashes.str(), golden::Recorded(name, hashes.str()));
}

INSTANTIATE_TEST_SUITE_P(TwoSeeds, ScreenGoldenTest, ::testing::ValuesIn(golden::Cases),
                         [](const auto& info) { return std::to_string(info.param.Seed); });

} // namespace
