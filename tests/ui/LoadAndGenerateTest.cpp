// "Ö&ffnen" through its dialog flow and "&Generieren" with scripted answers.
#include "session/Messages.h"
#include "tests/ui/KatalogFixture.h"

#include "base/Cp1252.h"
#include "model/PuzzleStatistics.h"
#include "tests/ui/WindowTestAccess.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"
#include "ui/TEOptions.h"
#include "ui/TStatistikAnzeige.h"
#include "vocabulary/ParadoxWriter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

namespace {

std::vector<VocabularyRecord> MainWords() {
    const char* words[][2] = {
        {"ELEFANT", "Dickhäuter"},   {"GIRAFFE", "Langhals"},       {"KROKODIL", "Panzerechse"},
        {"PINGUIN", "Frackträger"},  {"HAMSTER", "Nager"},          {"EICHHORN", "Baumkletterer"},
        {"FLAMINGO", "rosa Vogel"},  {"NASHORN", "Horntier"},       {"LEOPARD", "Raubkatze"},
        {"ANTILOPE", "Steppentier"}, {"DROSSEL", "Singvogel"},      {"SCHWALBE", "Zugvogel"},
        {"KANINCHEN", "Stallhase"},  {"MURMELTIER", "Alpennager"},  {"SALAMANDER", "Lurch"},
        {"SEEHUND", "Robbe"},        {"TIGER", "gestreifte Katze"}, {"ZEBRA", "gestreiftes Pferd"},
        {"OTTER", "Wassermarder"},   {"DACHS", "Grimbart"},         {"ADLER", "Greifvogel"},
        {"AMSEL", "Schwarzdrossel"}, {"MEISE", "kleiner Vogel"},    {"RABE", "schwarzer Vogel"},
        {"REH", "Waldtier"},         {"LAMA", "Andentier"},         {"HASE", "Langohr"},
        {"STORCH", "Adebar"},        {"ESEL", "Grautier"},          {"TAUBE", "Friedensvogel"},
        {"RATTE", "Nager"},          {"ENTE", "Wasservogel"},       {"GANS", "Martinsbraten"},
        {"HIRSCH", "Geweihträger"},  {"MARDER", "Raubtier"},        {"ELSTER", "diebischer Vogel"},
        {"TAPIR", "Rüsseltier"},     {"OKAPI", "Waldgiraffe"},      {"IGEL", "Stacheltier"},
    };
    std::vector<VocabularyRecord> records;
    for (const auto& w : words)
        records.push_back({W(w[0]), W(w[1])});
    return records;
}

std::vector<VocabularyRecord> ShortWords() {
    const char* words[][2] = {{"AA", "Fluss"}, {"EI", "Frühstück"}, {"OR", "Ohr"},
                              {"TE", "Ton"},   {"RE", "Note"},      {"AN", "ein"},
                              {"IN", "drin"},  {"ER", "Mann"},      {"ES", "Ding"},
                              {"AS", "Karte"}, {"OE", "Insel"},     {"NE", "nein"}};
    std::vector<VocabularyRecord> records;
    for (const auto& w : words)
        records.push_back({W(w[0]), W(w[1])});
    return records;
}

class LoadAndGenerateTest : public KatalogFixture {
protected:
    QTemporaryDir folder;
    QString year = QString::number(QDate::currentDate().year());

    QString Path(const QString& name) const { return folder.path() + '/' + name; }

    void WriteTables() {
        ParadoxWriter::WriteVocabulary(Path("Tiere.db").toStdString(), MainWords());
        ParadoxWriter::WriteVocabulary(Path("Kurzwörter2004.DB").toStdString(), ShortWords());
    }

    void Load(const QString& name) {
        files.OpenAnswers = {Path(name)};
        Menu(*katalog).DBLaden->trigger();
    }
};

TEST_F(LoadAndGenerateTest, CancelledDialogLoadsNothing) {
    Menu(*katalog).DBLaden->trigger();
    ASSERT_EQ(files.OpenRequests.size(), 1u);
    EXPECT_EQ(files.OpenRequests[0].Title, "Wähle eine Wortschatzdatei!");
    EXPECT_EQ(files.OpenRequests[0].Filter, "Paradoxtabellen (*.db)");
    EXPECT_EQ(files.OpenRequests[0].DefaultSuffix, "db");
    EXPECT_EQ(messages.Texts("Information"), QStringList{"Es wurde KEINE Datei geladen!"});
    EXPECT_EQ(katalog->session().Words().WordCount(), 0);
    EXPECT_EQ(katalog->windowTitle(), "Wabolex " + year);
}

TEST_F(LoadAndGenerateTest, MissingFileIsNamedWithoutItsFolder) {
    Load("Fehlt.db");
    EXPECT_EQ(messages.Texts("Error"), QStringList{"Die Datei Fehlt.db existiert NICHT!"});
    EXPECT_EQ(katalog->session().Words().WordCount(), 0);
    EXPECT_EQ(katalog->windowTitle(), "Wabolex " + year);
}

TEST_F(LoadAndGenerateTest, LoadedTableGivesWordsAndCaptionAndTheNextDialogStartsThere) {
    WriteTables();
    Load("Tiere.db");
    EXPECT_TRUE(messages.Log.empty());
    const Vocabulary& words = katalog->session().Words();
    EXPECT_EQ(words.ShortWordStart(), static_cast<int32_t>(MainWords().size()) + 1);
    EXPECT_EQ(words.WordCount(), static_cast<int32_t>(MainWords().size() + ShortWords().size()));
    EXPECT_EQ(words.Entry(1).Word, "MURMELTIER") << "longest words first";
    EXPECT_EQ(katalog->windowTitle(), "Wabolex " + year + "   Tiere");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    Menu(*katalog).DBLaden->trigger();
    EXPECT_EQ(files.OpenRequests.back().InitialFolder, folder.path());
}

TEST_F(LoadAndGenerateTest, MissingShortWordTableKeepsTheMainWordsAndShowsTheirName) {
    ParadoxWriter::WriteVocabulary(Path("Haupt.db").toStdString(), MainWords());
    Load("Haupt.db");
    EXPECT_EQ(messages.Count("Error"), 1);
    const Vocabulary& words = katalog->session().Words();
    EXPECT_EQ(words.WordCount(), static_cast<int32_t>(MainWords().size()));
    EXPECT_EQ(words.ShortWordStart(), words.WordCount() + 1);
    EXPECT_EQ(katalog->windowTitle(), "Wabolex " + year + "   Haupt");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(LoadAndGenerateTest, DamagedTableChangesNothing) {
    WriteTables();
    Load("Tiere.db");
    QFile bad(Path("Kaputt.db"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("das ist keine Paradoxtabelle, nur Text");
    bad.close();
    Load("Kaputt.db");
    EXPECT_EQ(messages.Count("Error"), 1);
    EXPECT_EQ(katalog->session().Words().Entry(1).Word, "MURMELTIER");
    EXPECT_EQ(katalog->windowTitle(), "Wabolex " + year + "   Tiere");
}

TEST_F(LoadAndGenerateTest, GeneratingWithoutVocabularyIsRefused) {
    Menu(*katalog).RGenerieren->trigger();
    EXPECT_EQ(messages.Texts("Error"), QStringList{"Es wurde keine Wortschatzdatei gewählt!"});
    EXPECT_FALSE(V().ShowGenerated);
    EXPECT_TRUE(modalShown.isEmpty());
}

// Records what the grid showed while a placement was proposed.
struct Proposal {
    QString Text;
    int Col;
    int Row;
    std::string RowLetters;
    std::string ColumnLetters;
};

TEST_F(LoadAndGenerateTest, GenerationAsksStartWordAndProposalsUntilCancel) {
    WriteTables();
    Load("Tiere.db");
    messages.StartWordAnswers = {false, true};
    messages.SatisfiedAnswers = {MessageService::Answer::No, MessageService::Answer::Cancel};

    std::vector<Proposal> proposals;
    QWidget* statistics = nullptr;
    onModal = [&](QWidget* w) { statistics = w; };
    // Capture the grid at the moment of each "Zufrieden" box.
    const auto capture = [&] {
        const QString text = messages.Log.back().Text;
        Proposal p{text, katalog->Ausgabe()->Col(), katalog->Ausgabe()->Row(), {}, {}};
        for (int c = 0; c < P().Columns; ++c)
            p.RowLetters += P().Grid.At(c, p.Row).Letter;
        for (int r = 0; r < P().Rows; ++r)
            p.ColumnLetters += P().Grid.At(p.Col, r).Letter;
        proposals.push_back(p);
    };
    messages.OnSatisfied = capture;

    Menu(*katalog).RGenerieren->trigger();

    EXPECT_EQ(messages.Count("StartWord"), 2) << "No draws another start word";
    for (const QString& t : messages.Texts("StartWord"))
        EXPECT_TRUE(t.startsWith("waagerecht - ") || t.startsWith("senkrecht - "))
            << t.toStdString();
    ASSERT_EQ(proposals.size(), 2u) << "after Cancel nothing more is proposed";
    for (const Proposal& p : proposals) {
        // The proposed word stands in the grid, ending just before the selected cell
        // (or on it at the grid's edge).
        const bool across = p.Text.startsWith("waagerecht - ");
        const std::string word =
            Cp1252::FromUtf8(p.Text.mid(p.Text.indexOf(" - ") + 3).toStdString());
        const std::string& line = across ? p.RowLetters : p.ColumnLetters;
        const int at = across ? p.Col : p.Row;
        const std::string before = line.substr(0, static_cast<size_t>(at));
        const std::string upTo = line.substr(0, static_cast<size_t>(at) + 1);
        EXPECT_TRUE(before.ends_with(word) || upTo.ends_with(word))
            << p.Text.toStdString() << " at " << p.Col << "," << p.Row << ": " << line;
    }

    EXPECT_EQ(statistics, katalog->StatistikAnzeige());
    EXPECT_TRUE(V().ShowGenerated);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const PuzzleStatistics counted = PuzzleStatistics::Count(P());
    TStatistikAnzeige* s = katalog->StatistikAnzeige();
    EXPECT_EQ(Values(s).Crossings->text(), QString::number(counted.Crossings));
    EXPECT_EQ(Values(s).BlackCells->text(), QString::number(counted.BlackCells));
    EXPECT_EQ(Values(s).AcrossWords->text(), QString::number(counted.AcrossWords));
    EXPECT_EQ(Values(s).DownWords->text(), QString::number(counted.DownWords));
    EXPECT_EQ(Values(s).CrossingsPercent->text(),
              QString::fromStdString(Messages::Percent(counted)));
    EXPECT_GT(counted.AcrossWords + counted.DownWords, 2);

    // The clue list window holds the new rows.
    ASSERT_FALSE(P().ClueRows.empty());
    EXPECT_EQ(katalog->Begriffsumschreibung()->RowCount(),
              static_cast<int32_t>(P().ClueRows.size()));
    EXPECT_EQ(katalog->Begriffsumschreibung()->Text(0, 0), P().ClueRows[0].NumberText());
}

TEST_F(LoadAndGenerateTest, WithoutInsertionsShownOnlyTheStatisticsAppear) {
    WriteTables();
    Load("Tiere.db");
    Controls(katalog->EOptions()).ShowInsertions->setChecked(false);
    SetSolutionWord(katalog->EOptions(), "RABE");
    Menu(*katalog).RGenerieren->trigger();
    EXPECT_EQ(messages.Count("StartWord"), 0);
    EXPECT_EQ(messages.Count("Satisfied"), 0);
    EXPECT_EQ(modalShown, QStringList{"StatistikAnzeige"});
    EXPECT_TRUE(V().ShowGenerated);
    // The solution word was placed, or reported as not found.
    EXPECT_TRUE(P().SolutionWordShown || messages.Count("RetryError") == 1);
}

TEST_F(LoadAndGenerateTest, NewCluesAreListedBeforeTheSolutionWordIsSearched) {
    WriteTables();
    Load("Tiere.db");
    Controls(katalog->EOptions()).ShowInsertions->setChecked(false);
    SetSolutionWord(katalog->EOptions(), "QQQ"); // no animal holds a Q
    std::string listedFirst;
    messages.OnRetryError = [&] { listedFirst = katalog->Begriffsumschreibung()->Text(0, 2); };
    Menu(*katalog).RGenerieren->trigger();

    ASSERT_EQ(messages.Texts("RetryError"), QStringList{"Lösungswort QQQ NICHT gefunden"});
    ASSERT_FALSE(P().ClueRows.empty());
    EXPECT_EQ(listedFirst, P().ClueRows[0].Clue)
        << "the clue list shows the new puzzle while the retry box is open";
    EXPECT_FALSE(P().SolutionWordShown);
}

// A run that stops because no word fits has reset the model's clue rows; the
// clue list window must not go on listing the clues of the puzzle before.
TEST_F(LoadAndGenerateTest, ARunThatStopsEarlyEmptiesTheClueListWindowToo) {
    WriteTables();
    Load("Tiere.db");
    Controls(katalog->EOptions()).ShowInsertions->setChecked(false);
    Controls(katalog->EOptions()).UseSolutionWord->setChecked(false);
    Menu(*katalog).RGenerieren->trigger();
    ASSERT_GT(katalog->Begriffsumschreibung()->RowCount(), 1);

    // Every main word is as long as the 15 x 15 grid is wide and high.
    ParadoxWriter::WriteVocabulary(
        Path("Lang.db").toStdString(),
        {{"DONAUDAMPFSCHIF", "Flussschiff"}, {"SCHMETTERLINGEN", "Faltern"}});
    Load("Lang.db");
    Menu(*katalog).RGenerieren->trigger();
    ASSERT_TRUE(messages.Texts("Error").back().startsWith("Kein Begriff des Wortschatzes"));
    EXPECT_EQ(katalog->Begriffsumschreibung()->RowCount(), 1);
    EXPECT_EQ(katalog->Begriffsumschreibung()->Text(0, 2), "");
}

} // namespace

TEST_F(LoadAndGenerateTest, MixedWordsGiveAnotherPuzzleAndTheTableKeepsItsOrder) {
    WriteTables();
    const auto words = [this] {
        std::vector<std::string> list;
        const Vocabulary& vocabulary = katalog->session().Words();
        for (int32_t i = 0; i <= vocabulary.WordCount(); ++i)
            list.emplace_back(vocabulary.Entry(i).Word);
        return list;
    };
    const auto generate = [this](bool mix) {
        Controls(katalog->EOptions()).ShowInsertions->setChecked(false);
        SetSolutionWordChecked(katalog->EOptions(), false);
        SetMixWords(katalog->EOptions(), mix);
        Menu(*katalog).RGenerieren->trigger();
        return P().Grid;
    };
    Load("Tiere.db");
    const std::vector<std::string> table = words();
    const TFeld plain = generate(false);
    EXPECT_EQ(words(), table) << "unchecked, the table's order stays";

    // A new window with the same seed, mixing: other words in other places.
    // The mixed order is the run's own; the loaded table keeps its order.
    TearDown();
    SetUp();
    Load("Tiere.db");
    const TFeld mixed = generate(true);
    EXPECT_NE(mixed, plain);
    EXPECT_EQ(words(), table);
    for (const ClueRow& row : P().ClueRows)
        EXPECT_FALSE(row.Clue.empty());
    generate(false);
    EXPECT_EQ(words(), table);
}
