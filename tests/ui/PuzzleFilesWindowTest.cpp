// Saving, loading, exporting and printing through the window's dialog flow,
// with scripted file names in temporary folders.
#include "tests/ui/ScriptedServices.h"
#include "tests/ui/SolvingPuzzles.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"
#include "ui/TEOptions.h"
#include "ui/TKatalog.h"
#include "ui/TLHint.h"

#include "files/ExportFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PuzzleFilesWindowTest : public ::testing::Test {
protected:
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<TKatalog> katalog;
    QTemporaryDir dir;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        katalog = std::make_unique<TKatalog>(messages, dialogs, 1);
    }

    void TearDown() override { katalog.reset(); }

    const Puzzle& P() const { return katalog->session().CurrentPuzzle(); }
    const SolvingSession& S() const { return katalog->session().Solving(); }
    const ViewFlags& V() const { return katalog->session().View(); }

    // Shows a puzzle made here, changed from the current one by the test.
    void Change(const std::function<void(Puzzle&)>& change) {
        Puzzle puzzle = P();
        change(puzzle);
        katalog->ShowPuzzle(puzzle, V());
    }
    QString PathOf(const QString& name) { return dir.filePath(name); }

    void Install(void (*make)(Puzzle&)) {
        Change(make);
        katalog->Begriffsumschreibung()->Fill(P().ClueRows);
    }

    void MarkTwoLetters() {
        Change([](Puzzle& p) {
            p.SolutionMarks[0] = {0, 0, 1}; // column 0 counts as a placed word
            p.SolutionMarks[1] = {3, 1, 2};
            p.SolutionWordShown = true;
        });
    }

    void Save(const QString& path) {
        dialogs.SaveAnswers.push_back(path);
        Menu(*katalog).RSpeichern->trigger();
    }

    void Load(const QString& path) {
        dialogs.OpenAnswers.push_back(path);
        Menu(*katalog).RLaden->trigger();
    }
};

TEST_F(PuzzleFilesWindowTest, SaveAndLoadGiveBackThePuzzleAndStartSolving) {
    Install(SolvingPuzzles::MakeSmall);
    MarkTwoLetters();
    const Puzzle saved = P();
    const QString path = PathOf("haus.wbx");
    Save(path);
    ASSERT_TRUE(messages.Log.empty()) << messages.Log.front().Text.toStdString();
    ASSERT_EQ(dialogs.SaveRequests.size(), 1u);
    const auto& request = dialogs.SaveRequests.front();
    EXPECT_EQ(request.Title, QString::fromUtf8("Dein Kreuzworträtsel"));
    EXPECT_EQ(request.DefaultSuffix, "wbx");
    EXPECT_TRUE(request.Filter.contains("*.wbx"));
    EXPECT_TRUE(request.InitialFolder.endsWith(QString::fromUtf8("/RätselDateien")));
    EXPECT_EQ(request.ProposedName, "-5x5-3"); // "NoName" has no "." to cut at
    // Read-only by its write bits (a check by access would be true for root).
    const auto writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    EXPECT_FALSE(QFileInfo(path).permissions() & writeBits);

    // Something else on screen, then load.
    Install(SolvingPuzzles::MakeTall);
    Change([](Puzzle& p) { p.SolutionWordShown = false; });
    Load(path);
    ASSERT_TRUE(messages.Log.empty()) << messages.Log.front().Text.toStdString();
    EXPECT_EQ(dialogs.OpenRequests.front().Title,
              QString::fromUtf8("Wähle eine Kreuzworträtseldatei"));
    EXPECT_EQ(P().Columns, 5);
    EXPECT_EQ(P().Rows, 5);
    EXPECT_EQ(P().Grid, saved.Grid);
    EXPECT_EQ(P().ClueRows, saved.ClueRows);
    EXPECT_EQ(P().SolutionMarks, saved.SolutionMarks);
    EXPECT_TRUE(P().SolutionWordShown);
    EXPECT_EQ(katalog->session().SourceName(), "haus.wbx");
    EXPECT_EQ(katalog->windowTitle(), katalog->TitleText() + "   haus");
    EXPECT_EQ(katalog->Ausgabe()->ColCount(), 5);
    EXPECT_EQ(katalog->Ausgabe()->RowCount(), 5);
    EXPECT_EQ(katalog->Begriffsumschreibung()->RowCount(), 3);
    EXPECT_EQ(katalog->Begriffsumschreibung()->Text(2, 2), saved.ClueRows[2].Clue);
    // Straight into solving, with empty entries.
    EXPECT_TRUE(V().Solving);
    EXPECT_EQ(S().LetterCount, 8);
    EXPECT_EQ(S().SolverGrid.At(0, 0).Letter, ' ');
    EXPECT_TRUE(katalog->LHint()->isVisible());
    EXPECT_TRUE(katalog->Begriffsumschreibung()->isVisible());

    // The next proposal starts with the loaded file's name.
    dialogs.SaveAnswers.push_back(std::nullopt);
    Menu(*katalog).RSpeichern->trigger();
    EXPECT_EQ(dialogs.SaveRequests.back().ProposedName, "haus-5x5-3");
}

TEST_F(PuzzleFilesWindowTest, SolutionWordAndItsCheckBoxComeBackFromTheFile) {
    TEOptions* options = katalog->EOptions();
    Install(SolvingPuzzles::MakeSmall);
    SetSolutionWordChecked(options, true);
    SetSolutionWord(options, "HAUS");
    const QString withWord = PathOf("mit.wbx");
    Save(withWord);
    SetSolutionWordChecked(options, false);
    const QString withoutWord = PathOf("ohne.wbx");
    Save(withoutWord);
    EXPECT_TRUE(Contents(withoutWord).endsWith("*\r\n"));

    Load(withWord);
    EXPECT_TRUE(IsSolutionWordChecked(options));
    EXPECT_EQ(SolutionWord(options), "HAUS");
    EXPECT_EQ(P().SolutionWord, "HAUS");
    EXPECT_TRUE(Menu(*katalog).MenuLoesungswort->isEnabled());
    EXPECT_EQ(GridWidth(options), 5);
    EXPECT_EQ(GridHeight(options), 5);

    Load(withoutWord);
    EXPECT_FALSE(IsSolutionWordChecked(options));
    EXPECT_EQ(SolutionWord(options), "");
    EXPECT_EQ(P().SolutionWord, std::nullopt);
    EXPECT_FALSE(Menu(*katalog).MenuLoesungswort->isEnabled());
    EXPECT_TRUE(messages.Log.empty());
}

TEST_F(PuzzleFilesWindowTest, FileWithoutMarksKeepsTheMarkDisplayFlag) {
    Install(SolvingPuzzles::MakeSmall);
    const QString path = PathOf("ohne.wbx");
    Save(path);
    Change([](Puzzle& p) { p.SolutionWordShown = true; });
    Load(path);
    EXPECT_TRUE(messages.Log.empty());
    EXPECT_TRUE(P().SolutionWordShown);
}

TEST_F(PuzzleFilesWindowTest, CancelledDialogsSayNothingWasDone) {
    Install(SolvingPuzzles::MakeSmall);
    const Puzzle before = P();
    Menu(*katalog).RSpeichern->trigger(); // the scripted dialogs cancel
    Menu(*katalog).RLaden->trigger();
    EXPECT_EQ(messages.Texts("Information"),
              (QStringList{"Es wurde keine Kreuzworträtsel gespeichert!",
                           "Es wurde keine Kreuzworträtsel geladen!"}));
    EXPECT_EQ(P().Grid, before.Grid);
    EXPECT_FALSE(V().Solving);
}

TEST_F(PuzzleFilesWindowTest, DamagedFileLeavesPuzzleCaptionAndSolvingAsTheyWere) {
    Install(SolvingPuzzles::MakeSmall);
    const QString good = PathOf("gut.wbx");
    Save(good);
    QByteArray bytes = Contents(good);
    const QString damaged = PathOf("kaputt.wbx");
    {
        // The third grid line loses its last cell.
        QList<QByteArray> lines = bytes.split('\n');
        lines[4].chop(13);
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines.join('\n'));
    }

    Install(SolvingPuzzles::MakeTall);
    Menu(*katalog).RAnzeigen->trigger();
    QTest::keyClicks(katalog->Ausgabe(), "a");
    const Puzzle before = P();
    const SolvingSession sessionBefore = S();
    const std::string sourceBefore = katalog->session().SourceName();
    const QString caption = katalog->windowTitle();
    Load(damaged);
    ASSERT_EQ(messages.Count("Error"), 1);
    EXPECT_TRUE(messages.Texts("Error").front().contains("kaputt.wbx"));
    EXPECT_EQ(P().Columns, 5);
    EXPECT_EQ(P().Rows, 60);
    EXPECT_EQ(P().Grid, before.Grid);
    EXPECT_EQ(S().SolverGrid, sessionBefore.SolverGrid);
    EXPECT_EQ(P().ClueRows, before.ClueRows);
    EXPECT_EQ(katalog->session().SourceName(), sourceBefore);
    EXPECT_EQ(S().Attempts, sessionBefore.Attempts);
    EXPECT_TRUE(V().Solving);
    EXPECT_EQ(katalog->windowTitle(), caption);
    EXPECT_EQ(katalog->Ausgabe()->RowCount(), 60);
    EXPECT_EQ(katalog->Begriffsumschreibung()->RowCount(), 60);
}

TEST_F(PuzzleFilesWindowTest, SecondSaveOverTheReadOnlyFileFailsAndKeepsIt) {
    Install(SolvingPuzzles::MakeSmall);
    const QString path = PathOf("einmal.wbx");
    Save(path);
    const QByteArray first = Contents(path);
    ASSERT_FALSE(first.isEmpty());
    Change([](Puzzle& p) { p.Grid.At(1, 0).Letter = 'E'; });
    Save(path);
    ASSERT_EQ(messages.Count("Error"), 1);
    EXPECT_TRUE(messages.Texts("Error").front().contains("einmal.wbx"));
    EXPECT_EQ(Contents(path), first);
}

TEST_F(PuzzleFilesWindowTest, ExportWritesBitmapAndClueTextBesideIt) {
    Install(SolvingPuzzles::MakeSmall);
    const QString bitmap = PathOf("bild.bmp");
    dialogs.SaveAnswers.push_back(bitmap);
    Menu(*katalog).LExportieren->trigger();
    ASSERT_TRUE(messages.Log.empty()) << messages.Log.front().Text.toStdString();
    const auto& request = dialogs.SaveRequests.front();
    EXPECT_EQ(request.Title, QString::fromUtf8("Deine KreuzworträtselBitmap"));
    EXPECT_EQ(request.ProposedName, QString::fromUtf8("Lösung -5x5-3"));
    EXPECT_EQ(request.DefaultSuffix, "bmp");
    EXPECT_TRUE(request.InitialFolder.endsWith("/ExportDateien"));
    EXPECT_EQ(QImage(bitmap).size(), QSize(240, 240));
    // The clue text keeps the proposed name, whatever the bitmap was called.
    const QByteArray text = Contents(PathOf(QString::fromUtf8("Lösung -5x5-3.txt")));
    EXPECT_TRUE(text.startsWith("waagerecht\r\n1) Geb\xe4ude\r\nsenkrecht\r\n")) << text.data();

    dialogs.SaveAnswers.push_back(std::nullopt);
    Menu(*katalog).RExportieren->trigger();
    EXPECT_EQ(dialogs.SaveRequests.back().ProposedName, "-5x5-3");
    EXPECT_EQ(messages.Texts("Information"), QStringList{"Es wurde keine Bitmap gespeichert!"});
}

TEST_F(PuzzleFilesWindowTest, AFileNamedOnTheCommandLineLoadsAsLadenWould) {
    Install(SolvingPuzzles::MakeSmall);
    const QString path = PathOf("start.wbx");
    Save(path);
    Install(SolvingPuzzles::MakeTall);
    const TFeld tall = P().Grid;
    // As main runs it: inside the error boundary, without a dialog.
    katalog->OpenPuzzleFile(PathOf("fehlt.wbx"));
    ASSERT_EQ(messages.Texts("Error").size(), 1);
    EXPECT_TRUE(messages.Texts("Error").front().contains("fehlt.wbx"));
    EXPECT_EQ(P().Grid, tall) << "a missing file changes nothing";

    katalog->OpenPuzzleFile(path);
    EXPECT_EQ(messages.Texts("Error").size(), 1);
    EXPECT_EQ(P().Columns, 5);
    EXPECT_EQ(katalog->session().SourceName(), "start.wbx");
    EXPECT_EQ(katalog->windowTitle(), katalog->TitleText() + "   start");
    EXPECT_TRUE(V().Solving);
    EXPECT_TRUE(dialogs.OpenRequests.empty());
}

TEST_F(PuzzleFilesWindowTest, EveryTypeIsWrittenAsTheCommandLineWritesIt) {
    Install(SolvingPuzzles::MakeSmall);
    MarkTwoLetters();
    SetSolutionWord(katalog->EOptions(), "HS");
    const QString puzzle = PathOf("haus.wbx");
    Save(puzzle);
    Load(puzzle);
    // The dialog offers every type, the bitmap first as before.
    dialogs.SaveAnswers.push_back(std::nullopt);
    Menu(*katalog).RExportieren->trigger();
    const QStringList types = dialogs.SaveRequests.back().Filter.split(";;");
    ASSERT_EQ(types.size(), 6);
    EXPECT_EQ(types[0], QString::fromUtf8("Kreuzworträtseldateien (*.bmp)"));
    EXPECT_EQ(dialogs.SaveRequests.back().DefaultSuffix, "bmp");

    // The creation date is the one byte a sheet may differ in.
    const auto withoutDate = [](QByteArray bytes) {
        return QString::fromLatin1(bytes).remove(QRegularExpression("/CreationDate \\([^)]*\\)"));
    };
    for (const ExportType& type : ExportFormats::Types()) {
        for (const bool solution : {false, true}) {
            const QString ending = (solution ? "-l." : ".") + QString(type.Extension);
            messages.Log.clear();
            dialogs.SaveAnswers.push_back(PathOf("fenster" + ending));
            (solution ? Menu(*katalog).LExportieren : Menu(*katalog).RExportieren)->trigger();
            ASSERT_TRUE(messages.Log.empty()) << messages.Log.front().Text.toStdString();
            QStringList args = {"export", puzzle, "-o", PathOf("cli" + ending)};
            if (solution)
                args << "--solution";
            QProcess cli;
            cli.start(WABOLEX_CLI, args);
            ASSERT_TRUE(cli.waitForFinished(60000));
            ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
            const QByteArray window = Contents(PathOf("fenster" + ending));
            const QByteArray line = Contents(PathOf("cli" + ending));
            ASSERT_FALSE(window.isEmpty()) << type.Extension;
            if (type.Format == ExportFormat::Sheet)
                EXPECT_EQ(withoutDate(window), withoutDate(line)) << type.Extension;
            else
                EXPECT_EQ(window, line) << type.Extension << " " << solution;
            // A picture's clue text beside it, as the command line writes it.
            const QString clues =
                PathOf((solution ? QString::fromUtf8("Lösung ") : QString()) + "haus-5x5-3.txt");
            EXPECT_EQ(QFile::exists(clues), ExportFormats::IsPicture(type.Format));
            if (QFile::exists(clues)) {
                EXPECT_EQ(Contents(clues),
                          Contents(PathOf("cli" + QString(solution ? "-l" : "") + ".txt")));
                QFile::remove(clues);
            }
        }
    }
}

TEST_F(PuzzleFilesWindowTest, PrintWithoutDefaultPrinterReportsIt) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "a default printer is set up here";
    }
    Menu(*katalog).LDrucken->trigger();
    Menu(*katalog).RDrucken->trigger();
    ASSERT_EQ(messages.Count("Error"), 2);
    EXPECT_TRUE(messages.Texts("Error").front().contains("Standarddrucker"));
    // Each error box is followed by the offer of a PDF file; "Nein" ends it.
    EXPECT_EQ(messages.Count("Confirm"), 2);
    EXPECT_TRUE(dialogs.SaveRequests.empty());
}

TEST_F(PuzzleFilesWindowTest, WithoutPrinterTheSamePagesGoIntoAPdfFile) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "a default printer is set up here";
    }
    Install(SolvingPuzzles::MakeSmall);
    const QString pdf = PathOf("loesung.pdf");
    messages.ConfirmAnswers = {true, true};
    dialogs.SaveAnswers = {pdf, std::nullopt};
    Menu(*katalog).LDrucken->trigger();
    ASSERT_EQ(messages.Log.size(), 2u);
    EXPECT_EQ(messages.Log[0].Kind, "Error");
    EXPECT_EQ(messages.Log[1].Kind, "Confirm");
    EXPECT_EQ(messages.Log[1].Text,
              QString::fromUtf8("Soll das Rätsel stattdessen als PDF gespeichert werden?"));
    const auto& request = dialogs.SaveRequests.front();
    EXPECT_EQ(request.ProposedName, QString::fromUtf8("Lösung -5x5-3"));
    EXPECT_EQ(request.DefaultSuffix, "pdf");
    EXPECT_TRUE(request.InitialFolder.endsWith("/ExportDateien"));
    const QByteArray bytes = Contents(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF")) << bytes.left(20).data();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 2); // grid and clues

    // Cancelled in the save dialog: said so, nothing written.
    Menu(*katalog).RDrucken->trigger();
    EXPECT_EQ(dialogs.SaveRequests.back().ProposedName, "-5x5-3");
    EXPECT_EQ(messages.Texts("Information"),
              QStringList{QString::fromUtf8("Es wurde keine PDF-Datei gespeichert!")});
    EXPECT_FALSE(QFileInfo::exists(PathOf("-5x5-3.pdf")));
}

} // namespace
