// wabolex-cli under faults a user's machine can have: pipes and devices where
// files should be, a full disk (a file-size limit stands in for it), two runs
// at once, signals, output nobody can take, inputs far too large.
#include "files/PuzzleFile.h"
#include "tests/cli/CliRun.h"
#include "tests/files/SamplePuzzles.h"
#include "tests/io/ChildProcess.h"
#include "vocabulary/ParadoxWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>

namespace fs = std::filesystem;
using CliRun::ReadBytes;

namespace {

const std::string kNotRegular = "das ist keine gewöhnliche Datei";

class CliFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = CliRun::MakeTempFolder("wabolex-cli-fault");
        ASSERT_FALSE(folder_.empty());
        Puzzle tiere = SamplePuzzles::Small();
        tiere.SolutionWord = "hase";
        PuzzleFile::Save(folder_ / "Tiere.wbx", tiere);
        Puzzle large = SamplePuzzles::Full(23, 33);
        large.SolutionWord = std::nullopt;
        PuzzleFile::Save(folder_ / "Gross.wbx", large);
        std::vector<VocabularyRecord> words;
        for (const char* word :
             {"ELEFANT", "GIRAFFE", "PINGUIN", "HAMSTER", "LEOPARD", "TIGER", "ZEBRA",
              "OTTER",   "DACHS",   "ADLER",   "AMSEL",   "RABE",    "LAMA",  "HASE",
              "ESEL",    "ENTE",    "GANS",    "IGEL",    "REH",     "AAL",   "UHU"}) {
            words.push_back({word, "Tier"});
        }
        ParadoxWriter::WriteVocabulary(folder_ / "Test.db", words);
        ParadoxWriter::WriteVocabulary(folder_ / "Kurzwörter2004.DB", {{"AA", "Fluss"}});
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // A word list of `count` lines, each word made from the number.
    void WriteList(const std::string& name, int count, char first) const {
        std::string text;
        for (int i = 0; i < count; ++i) {
            std::string word(1, first);
            for (int n = i; n > 0; n /= 26) {
                word += static_cast<char>('A' + n % 26);
            }
            text += word + ";Eintrag " + std::to_string(i) + "\n";
        }
        CliRun::WriteBytes(folder_ / name, text);
    }

    fs::path folder_;
};

} // namespace

TEST_F(CliFaultTest, OutputsThatAreNoFilesAreRefusedAndLinksFollowed) {
    ASSERT_EQ(::mkfifo((folder_ / "pipe").c_str(), 0600), 0);
    std::vector<std::string> nodes = {"pipe"};
    if (::geteuid() == 0 &&
        ::mknod((folder_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        nodes.push_back("null");
    }
    CliRun::WriteBytes(folder_ / "liste.txt", "UHU;Eule\n");
    for (const std::string& node : nodes) {
        // Puzzle files and PDF files need their extension: links name the node.
        fs::create_symlink(node, folder_ / (node + ".wbx"));
        fs::create_symlink(node, folder_ / (node + ".pdf"));
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"generate", "Test.db", "-o", node + ".wbx", "--no-solution-word"},
                 {"import", "liste.txt", "-o", node},
                 {"export", "Tiere.wbx", "-o", node},
                 {"print", "Tiere.wbx", "-o", node + ".pdf"}}) {
            const auto result = CliRun::Run(folder_, args);
            EXPECT_EQ(result.Status, 1) << args[0] << " " << node;
            EXPECT_NE(result.Err.find(kNotRegular), std::string::npos) << result.Err;
        }
    }
    EXPECT_TRUE(fs::is_fifo(folder_ / "pipe"));
    EXPECT_TRUE(nodes.size() == 1 || fs::is_character_file(folder_ / "null"));

    fs::create_directory(folder_ / "Ziel");
    fs::create_symlink("Ziel/raetsel.wbx", folder_ / "link.wbx");
    fs::create_symlink("Ziel/tabelle.db", folder_ / "link.db");
    auto result = CliRun::Run(
        folder_, {"generate", "Test.db", "-o", "link.wbx", "--no-solution-word", "--seed", "1"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    result = CliRun::Run(folder_, {"import", "liste.txt", "-o", "link.db"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.wbx"));
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.db"));
    EXPECT_NO_THROW(PuzzleFile::Read(folder_ / "Ziel/raetsel.wbx"));
    EXPECT_TRUE(fs::is_regular_file(folder_ / "Ziel/tabelle.db"));
}

// A pipe never makes a command wait; each input names its real fault.
TEST_F(CliFaultTest, InputsThatAreNoFilesAreRefusedAtOnce) {
    ASSERT_EQ(::mkfifo((folder_ / "pipe.wbx").c_str(), 0600), 0);
    fs::create_directory(folder_ / "Ordner.wbx");
    CliRun::Conditions quick;
    quick.Seconds = 20;
    for (const std::string input : {"pipe.wbx", "Ordner.wbx", "/dev/zero"}) {
        const std::string reason = input == "Ordner.wbx" ? "das ist ein Ordner" : kNotRegular;
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"stats", input},
                 {"export", input, "-o", "x.bmp"},
                 {"print", input, "-o", "x.pdf"},
                 {"generate", input, "-o", "x.wbx"},
                 {"import", input, "-o", "x.db"},
                 {"check-table", input},
                 {"check-table", "Test.db", "--thesaurus", input}}) {
            const auto result = CliRun::Run(folder_, args, quick);
            EXPECT_EQ(result.Status, 1) << args[0] << " " << input;
            EXPECT_NE(result.Err.find("kann nicht gelesen werden: " + reason), std::string::npos)
                << result.Err;
        }
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"Gross.wbx", "Kurzwörter2004.DB", "Ordner.wbx",
                                                 "Test.db", "Tiere.wbx", "pipe.wbx"}));
}

// A write that fails part-way leaves the old files as they were, and a print
// that could not be written whole never reports success.
TEST_F(CliFaultTest, AFullDiskKeepsTheOldBitmapAndPdf) {
    ASSERT_EQ(CliRun::Run(folder_, {"export", "Gross.wbx", "-o", "bild.bmp"}).Status, 0);
    ASSERT_EQ(CliRun::Run(folder_, {"print", "Gross.wbx", "-o", "druck.pdf"}).Status, 0);
    const std::string bitmap = ReadBytes(folder_ / "bild.bmp");
    const std::string clues = ReadBytes(folder_ / "bild.txt");
    const std::string pdf = ReadBytes(folder_ / "druck.pdf");
    const std::vector<std::string> before = Names();

    CliRun::Conditions full;
    full.FileSizeLimit = 64 * 1024;
    auto result =
        CliRun::Run(folder_, {"export", "Gross.wbx", "--solution", "-o", "bild.bmp"}, full);
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("Die Bitmap \"bild.bmp\" kann nicht geschrieben werden: die Datei "
                              "würde größer als erlaubt."),
              std::string::npos)
        << result.Err;
    CliRun::Conditions fiveBlocks; // "ulimit -f 5"
    fiveBlocks.FileSizeLimit = 5 * 512;
    for (const std::string target : {"druck.pdf", "neu.pdf"}) {
        result =
            CliRun::Run(folder_, {"print", "Gross.wbx", "--solution", "-o", target}, fiveBlocks);
        EXPECT_EQ(result.Status, 1) << target;
        EXPECT_NE(result.Err.find("Die PDF-Datei \"" + target + "\" kann nicht geschrieben werden"),
                  std::string::npos)
            << result.Err;
    }
    EXPECT_EQ(ReadBytes(folder_ / "bild.bmp"), bitmap);
    EXPECT_EQ(ReadBytes(folder_ / "bild.txt"), clues);
    EXPECT_EQ(ReadBytes(folder_ / "druck.pdf"), pdf);
    EXPECT_EQ(Names(), before);
}

TEST_F(CliFaultTest, ExportChecksBothTargetsBeforeWritingEither) {
    const auto result =
        CliRun::Run(folder_, {"export", "Tiere.wbx", "-o", "bild.bmp", "--clues", "weg/text.txt"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Textdatei \"weg/text.txt\" kann nicht geschrieben werden: der "
                          "Ordner \"weg\" existiert nicht.\n");
    EXPECT_FALSE(fs::exists(folder_ / "bild.bmp"));
}

// Two imports into one table at the same time: the table is one of the two
// whole tables, never a mix, and no temporary is left.
TEST_F(CliFaultTest, TwoImportsAtOnceLeaveOneWholeTable) {
    WriteList("a.txt", 60000, 'A');
    WriteList("b.txt", 60000, 'B');
    fs::create_directory(folder_ / "a");
    fs::create_directory(folder_ / "b");
    ASSERT_EQ(CliRun::Run(folder_, {"import", "a.txt", "-o", "a/Tabelle.db"}).Status, 0);
    ASSERT_EQ(CliRun::Run(folder_, {"import", "b.txt", "-o", "b/Tabelle.db"}).Status, 0);
    const std::string a = ReadBytes(folder_ / "a/Tabelle.db");
    const std::string b = ReadBytes(folder_ / "b/Tabelle.db");
    for (int round = 0; round < 3; ++round) {
        const auto first = CliRun::Start(folder_, {"import", "a.txt", "-o", "Tabelle.db"});
        const auto second = CliRun::Start(folder_, {"import", "b.txt", "-o", "Tabelle.db"});
        EXPECT_EQ(CliRun::Finish(first).Status, 0);
        EXPECT_EQ(CliRun::Finish(second).Status, 0);
        const std::string table = ReadBytes(folder_ / "Tabelle.db");
        EXPECT_TRUE(table == a || table == b) << "round " << round;
    }
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"Gross.wbx", "Kurzwörter2004.DB", "Tabelle.db", "Test.db",
                                        "Tiere.wbx", "a", "a.txt", "b", "b.txt"}));

    // Stopped by a signal while it reads, sorts or writes: no temporary either.
    for (const int delay : {5, 40, 120, 250}) {
        const auto run = CliRun::Start(folder_, {"import", "a.txt", "-o", "Neu.db"});
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        ::kill(run.Pid, delay % 2 == 0 ? SIGINT : SIGTERM);
        CliRun::Finish(run);
        for (const std::string& name : Names()) {
            EXPECT_NE(name[0], '.') << name << " after " << delay << " ms";
        }
    }
}

TEST_F(CliFaultTest, OutputThatCannotBeWrittenIsAFailure) {
    CliRun::Conditions full;
    full.Stdout = "/dev/full";
    const auto result = CliRun::Run(folder_, {"stats", "Tiere.wbx"}, full);
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Ausgabe kann nicht geschrieben werden: kein Platz mehr auf dem "
                          "Datenträger.\n");
}

TEST_F(CliFaultTest, SolutionWordsNeedWindows1252) {
    for (const auto& [word, named] : std::vector<std::pair<std::string, std::string>>{
             {"日本", "„日“ (U+65E5)"}, {"ЖУК", "„Ж“ (U+0416)"}, {"HAUS😀", "„😀“ (U+1F600)"}}) {
        const auto result =
            CliRun::Run(folder_, {"generate", "Test.db", "-o", "x.wbx", "--solution-word", word});
        EXPECT_EQ(result.Status, 2) << word;
        EXPECT_NE(result.Err.find("Das Lösungswort enthält das Zeichen " + named +
                                  ", das es in Windows-1252 nicht gibt."),
                  std::string::npos)
            << result.Err;
        EXPECT_FALSE(fs::exists(folder_ / "x.wbx"));
    }
}

// Sizes a file claims, or really has as holes, cost no memory before the refusal.
TEST_F(CliFaultTest, HugeInputsAreRefusedWithBoundedMemory) {
    constexpr long kMostKilobytes = 256 * 1024;
    CliRun::WriteBytes(folder_ / "riesig.txt", "");
    fs::resize_file(folder_ / "riesig.txt", 2ull << 30);
    auto result = CliRun::Run(folder_, {"import", "riesig.txt", "-o", "x.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("riesig.txt ist zu groß"), std::string::npos) << result.Err;
    EXPECT_LT(result.PeakKilobytes, kMostKilobytes);

    EXPECT_FALSE(fs::exists(folder_ / "x.db"));

    // A table header claiming 65535 blocks of 32 KB, in a file that long: only
    // the one block of its chain is read, and the table is used.
    std::string table = ReadBytes(folder_ / "Test.db");
    table[0x05] = 32;
    table[0x0C] = table[0x0D] = static_cast<char>(0xFF);
    CliRun::WriteBytes(folder_ / "Riesig.db", table);
    fs::resize_file(folder_ / "Riesig.db", 65536ull * 32 * 1024);
    result = CliRun::Run(folder_, {"generate", "Riesig.db", "-o", "x.wbx", "--no-solution-word"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_LT(result.PeakKilobytes, kMostKilobytes);
}

// Inputs of many megabytes cost memory by what they can hold, not by their
// size: a puzzle file by the lines its grid allows, an import by one line at
// a time and a bounded number of warnings, word lists by the words kept.
TEST_F(CliFaultTest, BigInputsCostBoundedMemory) {
    if (ChildProcess::UnderAddressSanitizer) {
        GTEST_SKIP() << "ASan läuft nicht unter einer Grenze des Adressraums.";
    }

    constexpr long kMostKilobytes = 256 * 1024;
    CliRun::WriteBytes(folder_ / "leer.wbx", std::string(16 * 1024 * 1024, '\n'));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"stats", "leer.wbx"}, {"export", "leer.wbx", "-o", "l.png"}}) {
        const auto result = CliRun::Run(folder_, args);
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Err, "Die Datei leer.wbx ist zu groß (höchstens 2 MB).\n");
        EXPECT_LT(result.PeakKilobytes, 64 * 1024) << args[0];
    }
    // One clue of a megabyte: longer than a clue can be.
    std::string puzzle = ReadBytes(folder_ / "Tiere.wbx");
    const size_t clue = puzzle.find("*waagerecht*") + 12;
    puzzle.insert(clue, std::string(1024 * 1024, 'x'));
    CliRun::WriteBytes(folder_ / "lang.wbx", puzzle);
    auto result = CliRun::Run(folder_, {"print", "lang.wbx", "-o", "lang.pdf"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("die Umschreibung hat 1048"), std::string::npos) << result.Err;
    EXPECT_LT(result.PeakKilobytes, 64 * 1024);

    std::string bad;
    for (int i = 0; i < 4 * 1024 * 1024; ++i) {
        bad += "ohne Trenner\n";
    }
    CliRun::WriteBytes(folder_ / "schlecht.txt", bad);
    result = CliRun::Run(folder_, {"import", "schlecht.txt", "-o", "s.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1002);
    EXPECT_NE(result.Err.find("schlecht.txt: 4193304 weitere Warnungen nicht gezeigt."),
              std::string::npos);
    EXPECT_LT(result.PeakKilobytes, kMostKilobytes);

    // Word lists of 16 MB (their limit) of different words, and one larger.
    CliRun::WriteBytes(folder_ / "thesaurus.txt", "Haus;Gebäude;Heim\nAuto;Wagen\n");
    std::string words;
    for (size_t n = 0; words.size() < 16 * 1000 * 1000; ++n) {
        std::string word;
        for (size_t i = 0, k = n; i < 7; ++i, k /= 26) {
            word += static_cast<char>('a' + k % 26);
        }
        words += word + "\n";
    }
    CliRun::WriteBytes(folder_ / "woerter.txt", words);
    result = CliRun::Run(folder_, {"import", "thesaurus.txt", "--thesaurus", "--known-words",
                                   "woerter.txt", "-o", "t.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Wortliste woerter.txt: mehr als 1000000 verschiedene Wörter in "
                          "allen Listen zusammen.\n");
    EXPECT_LT(result.PeakKilobytes, kMostKilobytes);
    CliRun::WriteBytes(folder_ / "woerter.txt", words + words);
    result = CliRun::Run(folder_, {"import", "thesaurus.txt", "--thesaurus", "--ranking",
                                   "woerter.txt", "-o", "t.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Datei woerter.txt ist zu groß (höchstens 16 MB).\n");
    EXPECT_FALSE(fs::exists(folder_ / "t.db"));
}
