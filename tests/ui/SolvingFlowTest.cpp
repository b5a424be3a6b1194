// A generated puzzle taken through the whole solving road: the clue list
// leads to every word, typing solves it, saving and loading bring it back.
#include "tests/ui/KatalogFixture.h"

#include "base/Cp1252.h"
#include "tests/ui/Screenshots.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"
#include "ui/TEOptions.h"
#include "ui/TLHint.h"
#include "vocabulary/ParadoxWriter.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

std::vector<VocabularyRecord>
Records(const std::vector<std::pair<const char*, const char*>>& words) {
    std::vector<VocabularyRecord> records;
    for (const auto& [word, clue] : words) {
        records.push_back({W(word), W(clue)});
    }
    return records;
}

class SolvingFlowTest : public KatalogFixture {
protected:
    QTemporaryDir folder;

    QString Path(const QString& name) const { return folder.filePath(name); }

    void Generate() {
        ParadoxWriter::WriteVocabulary(
            Path("Tiere.db").toStdString(),
            Records({{"ELEFANT", "Dickhäuter"},     {"GIRAFFE", "Langhals"},
                     {"KROKODIL", "Panzerechse"},   {"PINGUIN", "Frackträger"},
                     {"HAMSTER", "Nager"},          {"EICHHORN", "Baumkletterer"},
                     {"FLAMINGO", "rosa Vogel"},    {"NASHORN", "Horntier"},
                     {"LEOPARD", "Raubkatze"},      {"ANTILOPE", "Steppentier"},
                     {"DROSSEL", "Singvogel"},      {"SEEHUND", "Robbe"},
                     {"TIGER", "gestreifte Katze"}, {"ZEBRA", "gestreiftes Pferd"},
                     {"OTTER", "Wassermarder"},     {"DACHS", "Grimbart"},
                     {"ADLER", "Greifvogel"},       {"AMSEL", "Schwarzdrossel"},
                     {"MEISE", "kleiner Vogel"},    {"RABE", "Krächzer"},
                     {"REH", "Waldtier"},           {"LAMA", "Andentier"},
                     {"HASE", "Langohr"},           {"STORCH", "Adebar"},
                     {"ESEL", "Grautier"},          {"TAUBE", "Friedensvogel"},
                     {"ENTE", "Wasservogel"},       {"GANS", "Martinsbraten"},
                     {"IGEL", "Stacheltier"}}));
        ParadoxWriter::WriteVocabulary(Path("Kurzwörter2004.DB").toStdString(),
                                       Records({{"AA", "Fluss"},
                                                {"EI", "Frühstück"},
                                                {"OR", "Ohr"},
                                                {"TE", "Ton"},
                                                {"RE", "Note"},
                                                {"AN", "ein"},
                                                {"IN", "drin"},
                                                {"ER", "Mann"},
                                                {"ES", "Ding"},
                                                {"AS", "Karte"},
                                                {"OE", "Insel"},
                                                {"NE", "nein"}}));
        files.OpenAnswers = {Path("Tiere.db")};
        Menu(*katalog).DBLaden->trigger();
        SetGridSize(katalog->EOptions(), 10, 10);
        messages.WarningAnswers = {true};
        Menu(*katalog).Einstellungen->trigger();
        Controls(katalog->EOptions()).ShowInsertions->setChecked(false);
        SetSolutionWord(katalog->EOptions(), "RABE");
        Menu(*katalog).RGenerieren->trigger();
        ASSERT_EQ(messages.Count("Error"), 0);
        ASSERT_GT(P().ClueRows.size(), 3u);
    }

    void ClickListRow(int row) {
        QTableWidget* list = UListe(katalog->Begriffsumschreibung());
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
};

TEST_F(SolvingFlowTest, ClueListLeadsToEveryWordAndTypingSolvesThePuzzle) {
    Generate();
    Menu(*katalog).RAnzeigen->trigger();
    TAusgabe* grid = katalog->Ausgabe();
    const auto& rows = P().ClueRows;
    for (size_t i = 0; i < rows.size(); ++i) {
        ClickListRow(static_cast<int>(i));
        const TGridCell& start = P().Grid.At(grid->Col(), grid->Row());
        const int number = std::stoi(rows[i].NumberText());
        const bool across = rows[i].DirectionText() == "waagerecht";
        EXPECT_EQ(across ? start.AcrossNo : start.DownNo, number) << "row " << i;
        EXPECT_EQ(S().TypingDirection, across ? Direction::Across : Direction::Down);
    }

    // Type the first across word along its direction: the cell moves on.
    ClickListRow(0);
    const int column = grid->Col();
    const int row = grid->Row();
    int length = 0;
    while (column + length < P().Columns && P().Grid.At(column + length, row).Letter != '.' &&
           (length == 0 || P().Grid.At(column + length - 1, row).BarRight == 0)) {
        ++length;
    }
    for (int k = 0; k < length; ++k) {
        const char letter = P().Grid.At(column + k, row).Letter;
        TypeText(grid, QString(QChar(letter).toLower()));
    }
    EXPECT_EQ(S().CorrectCount, length);

    // Then every other letter cell directly.
    for (int c = 0; c < P().Columns; ++c) {
        for (int r = 0; r < P().Rows; ++r) {
            const char letter = P().Grid.At(c, r).Letter;
            if (letter != '.' && S().SolverGrid.At(c, r).Letter != letter) {
                grid->SetCurrentCell(c, r);
                TypeText(grid, QString::fromUtf8(Cp1252::ToUtf8(std::string(1, letter))));
            }
        }
    }
    EXPECT_EQ(messages.Texts("Error"), QStringList{});
    const QString done =
        QString::fromUtf8("Du hast das Rätsel in %1 Versuchen gelöst!").arg(S().LetterCount);
    EXPECT_EQ(messages.Texts("Information"), QStringList{done});
    EXPECT_FALSE(V().Solving);
}

TEST_F(SolvingFlowTest, SavedGeneratedPuzzleLoadsBackIntoSolving) {
    Generate();
    const Puzzle generated = P();
    files.SaveAnswers = {Path("tiere.wbx")};
    Menu(*katalog).RSpeichern->trigger();
    EXPECT_EQ(files.SaveRequests.back().ProposedName,
              QString("Tiere-10x10-%1").arg(generated.ClueRows.size()));
    files.OpenAnswers = {Path("tiere.wbx")};
    Menu(*katalog).RLaden->trigger();
    ASSERT_EQ(messages.Count("Error"), 0) << messages.Texts("Error").join("").toStdString();
    EXPECT_EQ(P().Grid, generated.Grid);
    EXPECT_EQ(P().ClueRows, generated.ClueRows);
    EXPECT_EQ(P().SolutionMarks, generated.SolutionMarks);
    EXPECT_EQ(P().SolutionWordShown, generated.SolutionWordShown);
    EXPECT_TRUE(V().Solving);
    EXPECT_FALSE(V().ShowGenerated);
    EXPECT_EQ(SolutionWord(katalog->EOptions()), "RABE");

    // A picture of the loaded puzzle while solving, for a look by eye.
    TypeText(katalog->Ausgabe(), "X");
    Screenshots::Keep(Screenshots::Desk(*katalog), "loaded-solving.png");
}

} // namespace
