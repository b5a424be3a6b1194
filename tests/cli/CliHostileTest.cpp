// wabolex-cli as a hostile user meets it: links and names where files should
// be, odd bytes in names, killed and stopped batches, folders that keep
// everything, arguments that cannot be meant. Nothing the user did not name
// may change, and every refusal says why.
#include "files/PuzzleFile.h"
#include "tests/cli/CliRun.h"
#include "tests/files/SamplePuzzles.h"
#include "tests/io/AppendOnlyFolder.h"
#include "tests/io/ChildProcess.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/VocabularyTable.h"

#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <thread>

namespace fs = std::filesystem;
using CliRun::ReadBytes;

namespace {

class CliHostileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path tables = fs::path(WABOLEX_ROOT) / "WortDateien2007";
        if (!fs::exists(tables / "Tiere.db")) {
            GTEST_SKIP() << "no shipped table in " << tables;
        }
        folder_ = CliRun::MakeTempFolder("wabolex-cli-hostile");
        ASSERT_FALSE(folder_.empty());
        // Copies the user may write to: a table replaced by mistake would be lost.
        for (const char* name : {"Tiere.db", "Kurzwörter2004.DB"}) {
            fs::copy_file(tables / name, folder_ / name);
            fs::permissions(folder_ / name, fs::perms::owner_write, fs::perm_options::add);
        }
        table_ = ReadBytes(folder_ / "Tiere.db");
        Puzzle puzzle = SamplePuzzles::Small();
        puzzle.SolutionWord = "hase";
        PuzzleFile::Save(folder_ / "p.wbx", puzzle);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // The names in a folder (bytes as they are), sorted.
    std::vector<std::string> Names(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> Names() const { return Names(folder_); }

    static bool Hidden(const std::string& name) { return !name.empty() && name[0] == '.'; }
    std::vector<std::string> Temporaries(const fs::path& folder) const {
        std::vector<std::string> names = Names(folder);
        std::erase_if(names, [](const std::string& name) { return !Hidden(name); });
        return names;
    }

    CliRun::Result Run(const std::vector<std::string>& args,
                       const CliRun::Conditions& conditions = {}) const {
        return CliRun::Run(folder_, args, conditions);
    }

    static std::string FirstLine(const std::string& text) {
        return text.substr(0, text.find('\n'));
    }

    fs::path folder_;
    std::string table_;
};

} // namespace

// A link to the table in a batch folder: refused as a single generate is,
// before anything is written; the table stays.
TEST_F(CliHostileTest, ABatchNeverReplacesATableThroughALinkInItsFolder) {
    fs::create_directory(folder_ / "serie");
    fs::create_symlink("../Tiere.db", folder_ / "serie" / "Tiere-1.wbx");
    fs::create_symlink("../Kurzwörter2004.DB", folder_ / "serie" / "Tiere-3.wbx");
    for (const std::string seed : {"1", "2"}) {
        const auto result = Run({"generate", "Tiere.db", "-o", "serie", "--count", "2", "--seed",
                                 seed, "--no-solution-word"});
        EXPECT_EQ(result.Status, 2);
        const std::string file = seed == "1" ? "serie/Tiere-1.wbx" : "serie/Tiere-3.wbx";
        EXPECT_EQ(result.Err, "Die Rätseldatei \"" + file +
                                  "\" darf keine der Wortschatztabellen überschreiben.\n");
        EXPECT_EQ(Names(folder_ / "serie"),
                  (std::vector<std::string>{"Tiere-1.wbx", "Tiere-3.wbx"}));
    }
    EXPECT_EQ(ReadBytes(folder_ / "Tiere.db"), table_);
    // Names outside the batch's seeds are none of its business.
    const auto result = Run({"generate", "Tiere.db", "-o", "serie", "--count", "1", "--seed", "2",
                             "--no-solution-word"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_TRUE(fs::is_regular_file(folder_ / "serie" / "Tiere-2.wbx"));
}

// A refused batch leaves nothing behind, not even the folders it made; every
// refusal names its reason.
TEST_F(CliHostileTest, ARefusedBatchLeavesNoFolderAndSaysWhy) {
    const std::string longName(250, 'T');
    fs::copy_file(folder_ / "Tiere.db", folder_ / (longName + ".db"));
    auto result = Run({"generate", longName + ".db", "-o", "neu/serie", "--count", "2"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("kann nicht geschrieben werden: der Name ist zu lang."),
              std::string::npos)
        << result.Err;
    EXPECT_FALSE(fs::exists(folder_ / "neu"));

    CliRun::WriteBytes(folder_ / "datei", "x");
    result = Run({"generate", "Tiere.db", "-o", "datei/serie", "--count", "2"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Der Ordner \"datei/serie\" kann nicht angelegt werden: ein Teil des "
                          "Pfades ist kein Ordner.\n");

    // A million puzzles, one of whose files is in the way: the folder is
    // looked at once, not a million times, and nothing is made.
    fs::create_directories(folder_ / "gross" / "Tiere-1000000.wbx");
    result = Run({"generate", "Tiere.db", "-o", "gross", "--count", "1000000", "--seed", "1"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Rätseldatei \"gross/Tiere-1000000.wbx\" kann nicht geschrieben "
                          "werden: das ist ein Ordner.\n");
    EXPECT_EQ(Names(folder_ / "gross"), std::vector<std::string>{"Tiere-1000000.wbx"});
}

// A file name that is no UTF-8 is the user's file name all the same: every
// command writes and reads exactly that name, and no other file is touched.
TEST_F(CliHostileTest, NamesAreUsedByteForByte) {
    const std::string odd = "Notiz\xe4";
    const std::string replacement = "Notiz\xef\xbf\xbd";
    CliRun::WriteBytes(folder_ / (replacement + ".txt"), "fremd");
    CliRun::WriteBytes(folder_ / (odd + "-liste.txt"), "UHU;Eule\nREH;Waldtier\n");
    fs::copy_file(folder_ / "p.wbx", folder_ / (odd + ".wbx"));

    EXPECT_EQ(Run({"export", odd + ".wbx", "-o", odd + ".png"}).Status, 0);
    EXPECT_EQ(Run({"export", "p.wbx", "-o", odd + ".svg", "--clues", odd + "-u.txt"}).Status, 0);
    EXPECT_EQ(Run({"print", odd + ".wbx", "-o", odd + ".pdf"}).Status, 0);
    EXPECT_EQ(Run({"import", odd + "-liste.txt", "-o", odd + ".db"}).Status, 0);
    EXPECT_EQ(Run({"stats", odd + ".wbx"}).Status, 0);
    fs::copy_file(folder_ / "Tiere.db", folder_ / (odd + "-T.db"));
    EXPECT_EQ(Run({"generate", odd + "-T.db", "-o", odd + "-serie", "--count", "1", "--seed", "4",
                   "--no-solution-word"})
                  .Status,
              0);

    for (const std::string& name :
         {odd + ".png", odd + ".txt", odd + ".svg", odd + "-u.txt", odd + ".pdf", odd + ".db"}) {
        EXPECT_TRUE(fs::is_regular_file(folder_ / name)) << name;
    }
    EXPECT_TRUE(fs::is_regular_file(folder_ / (odd + "-serie") / (odd + "-T-4.wbx")));
    EXPECT_EQ(ReadBytes(folder_ / (replacement + ".txt")), "fremd");
    for (const std::string& name : Names()) {
        EXPECT_TRUE(name == replacement + ".txt" || name.find("\xef\xbf\xbd") == std::string::npos)
            << name;
    }
}

// An output that is one of the inputs, also through a link that names a file
// not there yet, is refused before anything is written.
TEST_F(CliHostileTest, AnOutputThatIsAnInputIsRefused) {
    CliRun::WriteBytes(folder_ / "th.txt", "Haus;Gebäude;Heim\n");
    CliRun::WriteBytes(folder_ / "known.txt", "Haus\nGebäude\n");
    CliRun::WriteBytes(folder_ / "rang.txt", "Haus\n");
    for (const std::string option : {"--known-words", "--ranking"}) {
        const std::string list = option == "--known-words" ? "known.txt" : "rang.txt";
        const std::string before = ReadBytes(folder_ / list);
        const auto result =
            Run({"import", "th.txt", "--thesaurus", option, list, "-o", "./" + list});
        EXPECT_EQ(result.Status, 2);
        EXPECT_EQ(FirstLine(result.Err), "Die Zieltabelle darf keine der Wortlisten sein: " + list);
        EXPECT_EQ(ReadBytes(folder_ / list), before);
    }

    // The picture's name is a dangling link to the clue text's name.
    fs::create_symlink("b.txt", folder_ / "b.png");
    auto result = Run({"export", "p.wbx", "-o", "b.png"});
    EXPECT_EQ(result.Status, 2);
    EXPECT_EQ(FirstLine(result.Err), "Bild und Umschreibungen brauchen zwei verschiedene Dateien.");
    EXPECT_FALSE(fs::exists(folder_ / "b.txt"));
    fs::create_symlink("p.wbx", folder_ / "druck.pdf");
    result = Run({"print", "p.wbx", "-o", "druck.pdf"});
    EXPECT_EQ(result.Status, 2);
    EXPECT_EQ(FirstLine(result.Err), "Die PDF-Datei darf die Rätseldatei nicht überschreiben.");
}

// The clue text of a picture replaces a file of its name: the user is told
// which file that was, and --clues names another.
TEST_F(CliHostileTest, TheExportSaysWhichClueTextItWrote) {
    CliRun::WriteBytes(folder_ / "X.txt", "meine Notizen");
    auto result = Run({"export", "p.wbx", "-o", "X.png"});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Err, "Die Umschreibungen stehen in \"X.txt\" (eine andere Datei nennt "
                          "--clues).\n");
    CliRun::WriteBytes(folder_ / "X.txt", "meine Notizen");
    result = Run({"export", "p.wbx", "-o", "X.png", "--clues", "X-Umschreibungen.txt"});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(ReadBytes(folder_ / "X.txt"), "meine Notizen");
    EXPECT_TRUE(fs::is_regular_file(folder_ / "X-Umschreibungen.txt"));
}

// Killed outright while it writes (nothing can clean up then): the next write
// into the folder removes what the killed run left, and only that.
TEST_F(CliHostileTest, WhatAKilledBatchLeftIsRemovedByTheNextWrite) {
    fs::create_directory(folder_ / "serie");
    CliRun::WriteBytes(folder_ / "serie" / "fremd.txt", "bleibt");
    CliRun::WriteBytes(folder_ / "serie" / ".versteckt", "bleibt");
    std::mt19937 random(7);
    int leftovers = 0;
    for (int round = 0; round < 12; ++round) {
        CliRun::Conditions named; // every file gets a temporary name
        named.HideProc = true;
        const auto run =
            CliRun::Start(folder_,
                          {"generate", "Tiere.db", "-o", "serie", "--count", "100000", "--seed",
                           std::to_string(round * 100000), "--no-solution-word", "--jobs", "8"},
                          named);
        std::this_thread::sleep_for(std::chrono::milliseconds(100 + random() % 400));
        ::kill(run.Pid, SIGKILL);
        const auto result = CliRun::Finish(run);
        if (result.Status == CliRun::CannotHideProc) {
            GTEST_SKIP() << "no mount namespace to hide /proc here";
        }
        leftovers += static_cast<int>(Temporaries(folder_ / "serie").size()) - 1;
        // The next write of any command into the folder.
        const auto next =
            Run({"export", "p.wbx", "-o", "serie/bild.png", "--clues", "serie/bild.txt"});
        ASSERT_EQ(next.Status, 0) << next.Err;
        EXPECT_EQ(Temporaries(folder_ / "serie"), std::vector<std::string>{".versteckt"})
            << "round " << round;
        EXPECT_EQ(ReadBytes(folder_ / "serie" / "fremd.txt"), "bleibt");
    }
    // The rounds are meant to catch a run in the middle of a write now and then.
    RecordProperty("LeftoversRemoved", leftovers);
}

// SIGTERM with many more jobs than the signal handler once had room for, where
// files cannot be made unnamed: no temporary is left, whatever the moment.
TEST_F(CliHostileTest, ASignalLeavesNoTemporaryWhateverTheNumberOfJobs) {
    std::mt19937 random(11);
    for (int round = 0; round < 8; ++round) {
        const fs::path serie = folder_ / ("serie" + std::to_string(round));
        CliRun::Conditions named;
        named.HideProc = true;
        const auto run =
            CliRun::Start(folder_,
                          {"generate", "Tiere.db", "-o", serie.string(), "--count", "100000",
                           "--seed", "1", "--jobs", "64", "--no-solution-word"},
                          named);
        std::this_thread::sleep_for(std::chrono::milliseconds(150 + random() % 500));
        ::kill(run.Pid, SIGTERM);
        const auto result = CliRun::Finish(run);
        if (result.Status == CliRun::CannotHideProc) {
            GTEST_SKIP() << "no mount namespace to hide /proc here";
        }
        EXPECT_EQ(result.Status, -SIGTERM);
        if (fs::exists(serie)) {
            EXPECT_EQ(Temporaries(serie), std::vector<std::string>{}) << "round " << round;
        }
    }
}

// A folder that only allows adding files (chattr +a): nothing in it could be
// replaced or removed again, so nothing is begun.
TEST_F(CliHostileTest, AnAppendOnlyFolderGetsNoTemporary) {
    const fs::path folder = folder_ / "ap";
    fs::create_directory(folder);
    AppendOnlyFolder appendOnly(folder);
    if (!appendOnly.Active()) {
        GTEST_SKIP() << AppendOnlyFolder::NotPermitted;
    }
    std::vector<CliRun::Result> results;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"export", "p.wbx", "-o", "ap/y.png"},
             {"print", "p.wbx", "-o", "ap/y.pdf"},
             {"generate", "Tiere.db", "-o", "ap/y.wbx"},
             {"generate", "Tiere.db", "-o", "ap", "--count", "3"}}) {
        results.push_back(Run(args));
    }
    const std::vector<std::string> names = Names(folder);
    for (const CliRun::Result& result : results) {
        EXPECT_EQ(result.Status, 1);
        EXPECT_NE(result.Err.find("im Ordner können Dateien nur hinzugefügt, aber nicht ersetzt "
                                  "werden (Attribut „a“)."),
                  std::string::npos)
            << result.Err;
    }
    EXPECT_EQ(names, std::vector<std::string>{});
}

// Texts in an SVG are XML text, whatever the puzzle's name and clues hold.
TEST_F(CliHostileTest, SvgTextsAreEscaped) {
    Puzzle puzzle = SamplePuzzles::Small();
    puzzle.SolutionWord = std::nullopt;
    std::vector<std::string> lines = PuzzleFile::Lines(puzzle);
    lines[7] = "1*waagerecht*<Haus> & \"Hof\"";
    CliRun::WriteBytes(folder_ / "Tom & <Jerry>.wbx", [&] {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        return text;
    }());
    const auto result = Run({"export", "Tom & <Jerry>.wbx", "-o", "tj.svg", "--solution"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    QFile file(QString::fromStdString((folder_ / "tj.svg").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString title;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"title") {
            title = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title.toStdString(), "Tom & <Jerry>");
    if (fs::exists("/usr/bin/xmllint")) {
        const std::string command =
            "/usr/bin/xmllint --noout '" + (folder_ / "tj.svg").string() + "' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
}

// A word with '.' would put black cells inside itself: the loader refuses
// its table and check-table breaks a hard rule.
TEST_F(CliHostileTest, AWordWithABlackCellIsATableFault) {
    ParadoxWriter::WriteVocabulary(
        folder_ / "Punkt.db",
        {{"ELEFANT", "Tier"}, {"ZEB.RA", "Tier"}, {"GIRAFFE", "Tier"}, {"OTTER", "Tier"}});
    auto result = Run({"generate", "Punkt.db", "-o", "x.wbx", "--no-short-words"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("Die Tabelle Punkt.db enthält 1 Wort mit einem Punkt, etwa "
                              "„ZEB.RA“; im Gitter steht ein Punkt für ein schwarzes Feld."),
              std::string::npos)
        << result.Err;
    EXPECT_FALSE(fs::exists(folder_ / "x.wbx"));
    result = Run({"check-table", "Punkt.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Out.find("  Wörter mit einem Punkt (im Gitter ein schwarzes Feld): 1\n"
                              "    ZEB.RA: Tier\n"),
              std::string::npos)
        << result.Out;
}

// Line ends of any kind, control characters and Windows-1252 texts in an
// import: every line is read as the user sees it, and what cannot become an
// entry is named once per line or once per file.
TEST_F(CliHostileTest, ImportReadsEveryKindOfTextAndRefusesControlCharacters) {
    CliRun::WriteBytes(folder_ / "mac.txt", "HUND;Bellt\rKATZE;Miaut\rMAUS;Piepst\r");
    auto result = Run({"import", "mac.txt", "-o", "mac.db"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(VocabularyTable::Read(folder_ / "mac.db").size(), 3u);

    CliRun::WriteBytes(folder_ / "steuer.txt", std::string("HUND;Bellt\nKATZE;Mi\x1b[31maut\n") +
                                                   "MAUS;Pie" + std::string(1, '\0') +
                                                   "pst\nEULE;Ruft\tnachts\nREH\x07;Wild\n");
    result = Run({"import", "steuer.txt", "-o", "steuer.db"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err,
              "steuer.txt, Zeile 2: Die Umschreibung enthält das Steuerzeichen U+001B. Die Zeile "
              "wird übergangen.\n"
              "steuer.txt, Zeile 3: Die Umschreibung enthält das Steuerzeichen U+0000. Die Zeile "
              "wird übergangen.\n"
              "steuer.txt, Zeile 4: Die Umschreibung enthält das Steuerzeichen U+0009. Die Zeile "
              "wird übergangen.\n"
              "steuer.txt, Zeile 5: Der Begriff enthält das Steuerzeichen U+0007. Die Zeile wird "
              "übergangen.\n");
    EXPECT_EQ(VocabularyTable::Read(folder_ / "steuer.db").size(), 1u);

    // Windows-1252, as an older editor saves it: one note, the umlauts kept.
    CliRun::WriteBytes(folder_ / "alt.txt", "HUND;Bellt\r\nB\xc4R;Brummt\r\nL\xd6WE;K\xf6nig\r\n");
    result = Run({"import", "alt.txt", "-o", "alt.db"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, "alt.txt, Zeile 2: die Datei ist kein UTF-8; 2 Zeilen wurden als "
                          "Windows-1252 gelesen.\n");
    const auto entries = VocabularyTable::Read(folder_ / "alt.db");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const TWordEntry& entry) {
        return entry.Word == "L\xd6WE" && entry.Clue == "K\xf6nig";
    }));

    // check-table shows a control character a table holds instead of sending it.
    ParadoxWriter::WriteVocabulary(folder_ / "Roh.db",
                                   {{"HUND", "Bellt\x1b[2J"}, {"HUND", "Bellt\x1b[2J"}});
    result = Run({"check-table", "Roh.db", "--examples", "1000000"});
    EXPECT_NE(result.Status, 2) << "any number of examples: " << result.Err;
    EXPECT_EQ(result.Out.find('\x1b'), std::string::npos);
    EXPECT_NE(result.Out.find("Bellt[U+001B][2J"), std::string::npos) << result.Out;
}

// Arguments that cannot be meant are refused with exit status 2 and their
// reason, before anything is written.
TEST_F(CliHostileTest, ArgumentsThatCannotBeMeantAreRefused) {
    struct Call {
        std::vector<std::string> Args;
        std::string Reason;
    };
    const std::vector<Call> calls = {
        {{"generate", "Tiere.db", "-o", "x.wbx", "--solution-word", "*"},
         "Das Lösungswort darf nur Buchstaben enthalten, nicht „*“."},
        {{"generate", "Tiere.db", "-o", "x.wbx", "--solution-word", "A\tB"},
         "Das Lösungswort enthält das Steuerzeichen U+0009."},
        {{"generate", "Tiere.db", "-o", "x.wbx", "--solution-word", "   "},
         "Das Lösungswort besteht nur aus Leerzeichen."},
        {{"generate", "Tiere.db", "-o", "x.wbx", "--solution-word", "HOCH ZEIT"},
         "Das Lösungswort darf nur Buchstaben enthalten, nicht „ “."},
        {{"generate", "Tiere.db", "-o", "x.wbx", "--solution-word", std::string(30, 'A')},
         "Das Lösungswort hat 30 Buchstaben, höchstens 20 sind möglich."},
        {{"generate", "Tiere.db", "-o", "a.wbx", "-o", "b.wbx"},
         "Die Angabe -o darf nur einmal vorkommen."},
        {{"generate", "Tiere.db", "-o", "a.wbx", "--seed", "1", "--seed=2"},
         "Die Angabe --seed darf nur einmal vorkommen."},
        {{"generate", "Tiere.db", "-o", "x.txt"},
         "Die Rätseldatei braucht einen Namen mit der Endung .wbx: x.txt"},
        {{"generate", "Tiere.db", "-o", ".wbx"},
         "Der Name „.wbx“ ist nur eine Endung; die Datei braucht einen Namen davor."},
        {{"print", "p.wbx", "-o", "x.png"},
         "Die PDF-Datei braucht einen Namen mit der Endung .pdf: x.png"},
        {{"export", "p.wbx", "-o", ".png"},
         "Der Name „.png“ ist nur eine Endung; die Datei braucht einen Namen davor."},
        {{"export", "p.wbx", "-o", "b.png", "--clues", "texte/.txt"},
         "Der Name „.txt“ ist nur eine Endung; die Datei braucht einen Namen davor."},
    };
    const std::vector<std::string> before = Names();
    for (const Call& call : calls) {
        const auto result = Run(call.Args);
        EXPECT_EQ(result.Status, 2) << call.Reason;
        EXPECT_EQ(FirstLine(result.Err), call.Reason);
    }
    EXPECT_EQ(Names(), before);
}

// A generate says what happened: a drawn seed is printed, so the puzzle can
// be made again; a solution word without a place is exit status 3.
TEST_F(CliHostileTest, AGenerateSaysItsSeedAndWhetherTheWordWasPlaced) {
    auto result = Run({"generate", "Tiere.db", "-o", "a.wbx", "--no-solution-word"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    ASSERT_TRUE(result.Err.starts_with("Startwert: ")) << result.Err;
    const std::string seed = result.Err.substr(11, result.Err.find('\n') - 11);
    ASSERT_EQ(
        Run({"generate", "Tiere.db", "-o", "b.wbx", "--no-solution-word", "--seed", seed}).Status,
        0);
    EXPECT_EQ(ReadBytes(folder_ / "a.wbx"), ReadBytes(folder_ / "b.wbx"));

    result = Run({"generate", "Tiere.db", "-o", "c.wbx", "--solution-word", "QQQQ", "--seed", "1"});
    EXPECT_EQ(result.Status, 3);
    EXPECT_EQ(result.Err, "Lösungswort QQQQ NICHT gefunden\n");
    EXPECT_TRUE(fs::is_regular_file(folder_ / "c.wbx"));
    result = Run({"generate", "Tiere.db", "-o", "serie", "--solution-word", "QQQQ", "--seed", "1",
                  "--count", "3"});
    EXPECT_EQ(result.Status, 3);
    EXPECT_NE(result.Out.find(", davon 3 ohne Lösungswort\n"), std::string::npos) << result.Out;
}

// Fonts that cannot be loaded (no file handle left for them, or no font
// configuration at all) would draw every number as an empty box: an error,
// never a wrong picture.
TEST_F(CliHostileTest, FontsThatCannotBeLoadedAreAnError) {
    ASSERT_EQ(Run({"export", "p.wbx", "-o", "gut.png", "--clues", "gut.txt"}).Status, 0);
    const std::string good = ReadBytes(folder_ / "gut.png");
    // A font configuration that names no font at all.
    CliRun::WriteBytes(folder_ / "fonts.conf",
                       "<?xml version=\"1.0\"?><fontconfig></fontconfig>\n");
    CliRun::Conditions noFonts;
    noFonts.Environment = {{"FONTCONFIG_FILE", (folder_ / "fonts.conf").string()}};
    auto result = Run({"export", "p.wbx", "-o", "leer.png", "--clues", "leer.txt"}, noFonts);
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("Die Schrift \"Arial\" kann nicht geladen werden"), std::string::npos)
        << result.Err;
    result = Run({"print", "p.wbx", "-o", "leer.pdf"}, noFonts);
    EXPECT_EQ(result.Status, 1);
    EXPECT_FALSE(fs::exists(folder_ / "leer.png"));
    EXPECT_FALSE(fs::exists(folder_ / "leer.pdf"));

    // As "ulimit -n N" (from 4: with 3 the program's libraries cannot be
    // loaded): whatever the limit, a picture is the right one or none.
    for (long handles = 4; handles <= 12; ++handles) {
        CliRun::Conditions few;
        few.OpenFiles = handles;
        const std::string name = "f" + std::to_string(handles);
        result = Run({"export", "p.wbx", "-o", name + ".png", "--clues", name + ".txt"}, few);
        if (result.Status == 0) {
            EXPECT_EQ(ReadBytes(folder_ / (name + ".png")), good) << handles << " handles";
        } else {
            EXPECT_EQ(result.Status, 1) << handles << " handles";
            EXPECT_FALSE(fs::exists(folder_ / (name + ".png")));
        }
    }
}

// Messages name the real reason and, in a file, the real line.
TEST_F(CliHostileTest, MessagesNameTheRealReason) {
    CliRun::Conditions closed;
    closed.StdoutClosed = true;
    auto result = Run({"stats", "p.wbx"}, closed);
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Ausgabe kann nicht geschrieben werden: die Standardausgabe ist "
                          "geschlossen.\n");

    // A line end too many at the end of a puzzle file; a file of CR line ends.
    std::string text = ReadBytes(folder_ / "p.wbx");
    CliRun::WriteBytes(folder_ / "leer.wbx", text + "\r\n");
    result = Run({"stats", "leer.wbx"});
    EXPECT_EQ(result.Status, 1);
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(result.Err, "Die Rätseldatei \"leer.wbx\" ist fehlerhaft, Zeile " +
                              std::to_string(lines + 1) +
                              ": eine leere Zeile zu viel am Ende der Datei.\n");
    std::erase(text, '\n');
    CliRun::WriteBytes(folder_ / "mac.wbx", text);
    result = Run({"stats", "mac.wbx"});
    EXPECT_EQ(result.Status, 0) << result.Err;

    // Out of memory: named as such, and no table is written.
    if (ChildProcess::UnderAddressSanitizer) {
        return;
    }
    std::string list;
    for (int i = 0; i < 400000; ++i) {
        std::string word = "W";
        for (int n = i; n > 0; n /= 26) {
            word += static_cast<char>('A' + n % 26);
        }
        list += word + ";Umschreibung Nummer " + std::to_string(i) + "\n";
    }
    CliRun::WriteBytes(folder_ / "viel.txt", list);
    CliRun::Conditions little;
    little.AddressSpace = 128L * 1024 * 1024;
    result = Run({"import", "viel.txt", "-o", "viel.db"}, little);
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Es ist zu wenig Arbeitsspeicher frei; der Befehl wurde abgebrochen.\n");
    EXPECT_FALSE(fs::exists(folder_ / "viel.db"));
}

// Arguments cost memory too: the most jobs on the largest grid run in fewer
// threads than asked, so that the batch stays within 256 MB.
TEST_F(CliHostileTest, ManyJobsOnTheLargestGridStayWithinTheMemory) {
    if (ChildProcess::UnderAddressSanitizer) {
        GTEST_SKIP() << "ASan läuft nicht unter einer Grenze des Adressraums.";
    }

    const auto result =
        Run({"generate", "Tiere.db", "-o", "gross", "--size", "99x99", "--count", "40", "--jobs",
             "256", "--tries", "2", "--seed", "1", "--no-solution-word"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(Names(folder_ / "gross").size(), 40u);
    EXPECT_LT(result.PeakKilobytes, 256 * 1024);

    // The largest table a batch may get, each job with an order of its own.
    std::string list;
    for (uint64_t i = 0; i < 500000; ++i) {
        std::string word;
        for (uint64_t n = i * 2654435761u % 8031810176u; word.size() < 7; n /= 26) {
            word += static_cast<char>('A' + n % 26);
        }
        list +=
            word + ";Umschreibung mit einigen Wörtern darin, Nummer " + std::to_string(i) + "\n";
    }
    CliRun::WriteBytes(folder_ / "viel.txt", list);
    ASSERT_EQ(Run({"import", "viel.txt", "-o", "Viel.db"}).Status, 0);
    const auto varied = Run({"generate", "Viel.db", "-o", "bunt", "--count", "16", "--jobs", "64",
                             "--vary", "--seed", "1", "--no-solution-word"});
    EXPECT_EQ(varied.Status, 0) << varied.Err;
    EXPECT_LT(varied.PeakKilobytes, 256 * 1024);
}
