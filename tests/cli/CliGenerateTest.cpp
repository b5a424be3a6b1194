// wabolex-cli generate and stats, run end to end on a small made-up table.
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/PuzzleFile.h"
#include "tests/cli/CliRun.h"
#include "tests/cli/PuzzleCheck.h"
#include "vocabulary/ParadoxWriter.h"

#include "vocabulary/ShippedCommonWords.h"
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <regex>

namespace fs = std::filesystem;
using CliRun::ReadBytes;

namespace {

// Words of common letters, so that the grids get crossings; no Q anywhere.
std::string MakeWord(uint32_t& state, int length) {
    static const std::string letters = "EEEEENNNIIISSSRRRAAATTTTDHHULCGMOBWFKZ";
    std::string word;
    for (int i = 0; i < length; ++i) {
        state = state * 1664525u + 1013904223u;
        word += letters[(state >> 16) % letters.size()];
    }
    return word;
}

class CliGenerateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = CliRun::MakeTempFolder("wabolex-cli-generate");
        ASSERT_FALSE(folder_.empty());
        uint32_t state = 2007;
        std::vector<VocabularyRecord> main;
        std::vector<VocabularyRecord> shortWords;
        for (int i = 0; i < 700; ++i) {
            main.push_back({MakeWord(state, 3 + i % 10), "Hinweis " + std::to_string(i)});
        }
        for (int i = 0; i < 300; ++i) {
            shortWords.push_back({MakeWord(state, 2 + i % 3), "kurz " + std::to_string(i)});
        }
        for (const auto* records : {&main, &shortWords}) {
            for (const VocabularyRecord& record : *records) {
                vocabulary_[record.Word].insert(record.Clue);
            }
        }
        ParadoxWriter::WriteVocabulary(folder_ / "Test.db", main);
        ParadoxWriter::WriteVocabulary(folder_ / "Kurzwörter2004.DB", shortWords);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // Generates into a fresh file name and returns the run's result.
    static CliRun::Result Generate(const std::string& output, std::vector<std::string> options) {
        fs::remove(folder_ / output);
        std::vector<std::string> args = {"generate", "Test.db", "-o", output};
        args.insert(args.end(), options.begin(), options.end());
        return CliRun::Run(folder_, args);
    }

    static void ExpectSound(const std::string& file) {
        const PuzzleFileContents contents = PuzzleFile::Read(folder_ / file);
        for (const std::string& problem : PuzzleCheck::Problems(contents, vocabulary_)) {
            ADD_FAILURE() << file << ": " << problem;
        }
    }

    static inline fs::path folder_;
    static inline PuzzleCheck::Vocabulary vocabulary_;
};

TEST_F(CliGenerateTest, GeneratesSoundPuzzlesFromSmallestToLargest) {
    for (const auto& [size, columns, rows] : {std::tuple{"5x5", 5, 5},
                                              {"6x11", 6, 11},
                                              {"15x15", 15, 15},
                                              {"31x7", 31, 7},
                                              {"99x99", 99, 99}}) {
        SCOPED_TRACE(size);
        const std::string file = std::string("p") + size + ".wbx";
        const auto result = Generate(file, {"--size", size, "--no-solution-word", "--seed", "3"});
        ASSERT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        const PuzzleFileContents contents = PuzzleFile::Read(folder_ / file);
        EXPECT_EQ(contents.Columns, columns);
        EXPECT_EQ(contents.Rows, rows);
        EXPECT_FALSE(contents.SolutionWord.has_value());
        ExpectSound(file);
    }
}

TEST_F(CliGenerateTest, SameSeedSameFileOtherSeedOtherPuzzle) {
    const std::vector<std::string> options = {"--size", "20x12", "--no-solution-word", "--seed"};
    auto with = [&](const char* seed) {
        auto all = options;
        all.push_back(seed);
        return all;
    };
    ASSERT_EQ(Generate("a.wbx", with("7")).Status, 0);
    ASSERT_EQ(Generate("b.wbx", with("7")).Status, 0);
    ASSERT_EQ(Generate("c.wbx", with("8")).Status, 0);
    EXPECT_EQ(ReadBytes(folder_ / "a.wbx"), ReadBytes(folder_ / "b.wbx"));
    EXPECT_NE(ReadBytes(folder_ / "a.wbx"), ReadBytes(folder_ / "c.wbx"));
    // The file is the one "&Speichern" writes: CR LF lines, read-only.
    EXPECT_NE(ReadBytes(folder_ / "a.wbx").find("xMax=20\r\nyMax=12\r\n"), std::string::npos);
    EXPECT_EQ(fs::status(folder_ / "a.wbx").permissions() & fs::perms::owner_write,
              fs::perms::none);
}

// The vocabulary kept in the cache folder makes the puzzles a fresh load makes;
// a damaged cache file or a folder that cannot be made changes nothing.
TEST_F(CliGenerateTest, TheVocabularyCacheChangesNoPuzzle) {
    const fs::path cache = folder_ / "cache";
    const fs::path blocked = folder_ / "blocked";
    CliRun::WriteBytes(blocked, "kein Ordner");
    auto generate = [&](const std::string& output, const fs::path& cacheHome) {
        fs::remove(folder_ / output);
        CliRun::Conditions conditions;
        conditions.Environment = {{"XDG_CACHE_HOME", cacheHome.string()}};
        const auto result = CliRun::Run(
            folder_, {"generate", "Test.db", "-o", output, "--size", "17x13", "--seed", "4"},
            conditions);
        EXPECT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        return ReadBytes(folder_ / output);
    };
    const std::string uncached = generate("ohne.wbx", blocked / "unter-einer-datei");
    EXPECT_EQ(generate("erst.wbx", cache), uncached);
    ASSERT_EQ(std::distance(fs::directory_iterator(cache / "wabolex"), {}), 1);
    const fs::path file = fs::directory_iterator(cache / "wabolex")->path();
    EXPECT_EQ(generate("dann.wbx", cache), uncached);
    // Cut short by some other program.
    fs::resize_file(file, fs::file_size(file) / 3);
    EXPECT_EQ(generate("kaputt.wbx", cache), uncached);
    EXPECT_GT(fs::file_size(file), fs::file_size(folder_ / "Test.db")) << "written anew";
}

// With the start values the solution word HOCHZEITSTAG is looked for; found or
// not, the file says so consistently.
TEST_F(CliGenerateTest, DefaultsUseTheSettingsStartValues) {
    const auto result = Generate("default.wbx", {"--seed", "11"});
    const PuzzleFileContents contents = PuzzleFile::Read(folder_ / "default.wbx");
    EXPECT_EQ(contents.Columns, 15);
    EXPECT_EQ(contents.Rows, 15);
    EXPECT_EQ(contents.SolutionWord, std::optional<std::string>("HOCHZEITSTAG"));
    ExpectSound("default.wbx");
    const std::string word = "HOCHZEITSTAG";
    if (result.Status == 0) {
        for (size_t k = 0; k < word.size(); ++k) {
            const SolutionMark& mark = contents.Marks[k];
            EXPECT_EQ(mark.Position, static_cast<int32_t>(k) + 1);
            ASSERT_TRUE(contents.Grid.Contains(mark.Column, mark.Row));
            EXPECT_EQ(contents.Grid.At(mark.Column, mark.Row).Letter, word[k]);
        }
    } else {
        EXPECT_EQ(result.Status, 3);
        EXPECT_EQ(result.Err, "Lösungswort HOCHZEITSTAG NICHT gefunden\n");
        EXPECT_EQ(contents.Marks[0].Column, -1);
    }
}

TEST_F(CliGenerateTest, SolutionWordNotFoundStillWritesThePuzzleWithoutMarks) {
    // Typed in small letters with an umlaut: searched in capitals, stored in Windows-1252.
    const auto result = Generate("ohne.wbx", {"--solution-word", "zäh", "--seed", "5"});
    EXPECT_EQ(result.Status, 3) << "written, but without its solution word";
    EXPECT_EQ(result.Err, "Lösungswort ZÄH NICHT gefunden\n");
    const PuzzleFileContents contents = PuzzleFile::Read(folder_ / "ohne.wbx");
    EXPECT_EQ(contents.SolutionWord, std::optional<std::string>(W("ZÄH")));
    for (const SolutionMark& mark : contents.Marks) {
        EXPECT_EQ(mark, SolutionMark{});
    }
    ExpectSound("ohne.wbx");

    // Twenty letters are the most; an umlaut is one letter.
    EXPECT_EQ(
        Generate("lang.wbx", {"--solution-word", "ä" + std::string(19, 'q'), "--seed", "5"}).Status,
        3);
    EXPECT_EQ(PuzzleFile::Read(folder_ / "lang.wbx").SolutionWord,
              std::optional<std::string>(W("Ä") + std::string(19, 'Q')));
}

TEST_F(CliGenerateTest, StatsShowsTheSevenValuesOfTheGridAndTheScore) {
    ASSERT_EQ(Generate("s.wbx", {"--size", "17x9", "--no-solution-word", "--seed", "4"}).Status, 0);
    const auto result = CliRun::Run(folder_, {"stats", "s.wbx"});
    ASSERT_EQ(result.Status, 0) << result.Err;

    const PuzzleFileContents p = PuzzleFile::Read(folder_ / "s.wbx");
    int crossings = 0, black = 0, across = 0, down = 0, twoLetters = 0, common = 0;
    for (int32_t c = 0; c < p.Columns; ++c) {
        for (int32_t r = 0; r < p.Rows; ++r) {
            const TGridCell& cell = p.Grid.At(c, r);
            crossings += cell.Mark.IsCrossing();
            black += cell.Letter == '.';
            across += cell.AcrossNo > 0;
            down += cell.DownNo > 0;
            for (const bool isAcross : {true, false}) {
                if ((isAcross ? cell.AcrossNo : cell.DownNo) > 0) {
                    const std::string word = PuzzleCheck::WordAt(p, c, r, isAcross);
                    twoLetters += word.size() == 2;
                    common += ShippedCommonWords().Contains(word);
                }
            }
        }
    }
    // The shipped list holds the everyday words of a small table.
    EXPECT_GT(common, 0);
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.2f", crossings * 100.0 / 17 / 9);
    std::string percentText = percent;
    percentText[percentText.find('.')] = ',';
    EXPECT_EQ(result.Out,
              "Zeilenanzahl: 9\nSpaltenanzahl: 17\nÜberschneidungen: " + std::to_string(crossings) +
                  "\nin Prozenten: " + percentText + "\nschwarze Felder: " + std::to_string(black) +
                  "\nwaagerechte Worte: " + std::to_string(across) + "\nsenkrechte Worte: " +
                  std::to_string(down) + "\nBewertung: ohne Lösungswort, " + std::to_string(black) +
                  " schwarze Felder, " + std::to_string(common * 100 / (across + down)) +
                  " % häufige Wörter, " + std::to_string(crossings) + " Überschneidungen, " +
                  std::to_string(twoLetters) + " Antworten mit 2 Buchstaben\n");
    EXPECT_GT(crossings, 0);

    // A file that names its solution word tells whether it was placed.
    ASSERT_EQ(Generate("mit.wbx", {"--seed", "4"}).Status, 0);
    EXPECT_NE(
        CliRun::Run(folder_, {"stats", "mit.wbx"}).Out.find("Bewertung: Lösungswort gefunden"),
        std::string::npos);
    ASSERT_EQ(Generate("zaeh.wbx", {"--solution-word", "zäh", "--seed", "5"}).Status, 3);
    EXPECT_NE(CliRun::Run(folder_, {"stats", "zaeh.wbx"})
                  .Out.find("Bewertung: Lösungswort nicht gefunden"),
              std::string::npos);
}

TEST_F(CliGenerateTest, WrongUsageExitsWithTwoAndWritesNothing) {
    const std::vector<std::vector<std::string>> calls = {
        {"generate"},
        {"generate", "Test.db"},
        {"generate", "-o", "x.wbx"},
        {"generate", "Test.db", "-o"},
        {"generate", "Test.db", "Test2.db", "-o", "x.wbx"},
        {"generate", "Test.db", "-o", "x.wbx", "--size", "4x15"},
        {"generate", "Test.db", "-o", "x.wbx", "--size", "15x100"},
        {"generate", "Test.db", "-o", "x.wbx", "--size", "15"},
        {"generate", "Test.db", "-o", "x.wbx", "--size", "-5x5"},
        {"generate", "Test.db", "-o", "x.wbx", "--passes", "1"},
        {"generate", "Test.db", "-o", "x.wbx", "--passes", "21"},
        {"generate", "Test.db", "-o", "x.wbx", "--passes", "vier"},
        {"generate", "Test.db", "-o", "x.wbx", "--seed", "-1"},
        {"generate", "Test.db", "-o", "x.wbx", "--solution-word", ""},
        {"generate", "Test.db", "-o", "x.wbx", "--solution-word", "A", "--no-solution-word"},
        {"generate", "Test.db", "-o", "x.wbx", "--farbig"},
        {"generate", "Test.db", "-o", "Test.db"},
        {"generate", "Test.db", "-o", "./Kurzwörter2004.DB"},
        {"stats"},
        {"stats", "a.wbx", "b.wbx"},
    };
    const std::string table = ReadBytes(folder_ / "Test.db");
    for (const auto& call : calls) {
        SCOPED_TRACE(call.size() > 3 ? call[call.size() - 2] + " " + call.back() : call.back());
        const auto result = CliRun::Run(folder_, call);
        EXPECT_EQ(result.Status, 2);
        EXPECT_NE(result.Err.find(" --help"), std::string::npos) << result.Err;
        EXPECT_FALSE(fs::exists(folder_ / "x.wbx"));
    }
    EXPECT_EQ(ReadBytes(folder_ / "Test.db"), table);
}

// Every command reads its arguments through one parser: "--opt=value" is
// "--opt value", a single-valued option comes once, help and version answer.
TEST_F(CliGenerateTest, OneParserForEveryCommand) {
    ASSERT_EQ(Generate("spaced.wbx", {"--size", "9x7", "--seed", "5"}).Status, 0);
    fs::remove(folder_ / "joined.wbx");
    ASSERT_EQ(
        CliRun::Run(folder_, {"generate", "Test.db", "-o", "joined.wbx", "--size=9x7", "--seed=5"})
            .Status,
        0);
    EXPECT_EQ(ReadBytes(folder_ / "joined.wbx"), ReadBytes(folder_ / "spaced.wbx"));

    struct Refused {
        std::vector<std::string> Args;
        std::string Reason;
    };
    for (const Refused& call : std::vector<Refused>{
             {{"generate", "Test.db", "-o", "x.wbx", "--seed", "1", "--seed=2"},
              "Die Angabe --seed darf nur einmal vorkommen."},
             {{"generate", "Test.db", "-o", "x.wbx", "-o", "y.wbx"},
              "Die Angabe -o darf nur einmal vorkommen."},
             {{"generate", "Test.db", "-o", "x.wbx", "--vary=ja"},
              "Die Angabe --vary nimmt keinen Wert: --vary=ja"},
             {{"generate", "Test.db", "-o", "x.wbx", "--size="},
              "Zur Angabe --size fehlt der Wert."},
             {{"stats", "--", "-x.wbx", "b.wbx"}, "Nur eine Rätseldatei ist erlaubt: b.wbx"},
             {{"export", "a.wbx", "-o", "a.png", "--clues", "a.txt", "--clues=b.txt"},
              "Die Angabe --clues darf nur einmal vorkommen."},
             {{"print", "a.wbx", "-o", "a.pdf", "--paper=A3"},
              "Das Papierformat (--paper) ist A4 oder Letter: A3"},
             {{"check-table", "Test.db", "--examples", "3", "--examples", "4"},
              "Die Angabe --examples darf nur einmal vorkommen."},
             {{"import", "a.txt", "-o", "A.db", "--lengths", "2-3", "--short-words"},
              "--short-words und --lengths gehen nur einmal."},
         }) {
        SCOPED_TRACE(call.Reason);
        const auto result = CliRun::Run(folder_, call.Args);
        EXPECT_EQ(result.Status, 2);
        EXPECT_EQ(result.Err.substr(0, result.Err.find('\n')), call.Reason);
        EXPECT_NE(result.Err.find("Aufruf: wabolex-cli " + call.Args[0]), std::string::npos);
        EXPECT_NE(result.Err.find("Hilfe: wabolex-cli " + call.Args[0] + " --help"),
                  std::string::npos);
        EXPECT_FALSE(fs::exists(folder_ / "x.wbx"));
    }

    // A value may look like an option; the option before it takes it (and
    // then finds no letter in it).
    const auto dash = Generate("dash.wbx", {"--solution-word", "-", "--seed", "5"});
    EXPECT_EQ(dash.Status, 2);
    EXPECT_EQ(dash.Err.substr(0, dash.Err.find('\n')),
              "Das Lösungswort darf nur Buchstaben enthalten, nicht „-“.");

    // Help for one command, from anywhere in its arguments, whatever else is wrong.
    for (const std::vector<std::string>& call : std::vector<std::vector<std::string>>{
             {"generate", "--farbig", "--help"}, {"generate", "-h"}, {"help", "generate"}}) {
        const auto help = CliRun::Run(folder_, call);
        EXPECT_EQ(help.Status, 0);
        EXPECT_EQ(help.Out.rfind("  wabolex-cli generate TABELLE.db -o RAETSEL.wbx", 0), 0u)
            << help.Out;
        EXPECT_EQ(help.Out.find("wabolex-cli import"), std::string::npos);
        EXPECT_NE(help.Out.find("Rückgabewert: 0"), std::string::npos);
    }
    const auto all = CliRun::Run(folder_, {"--help"});
    for (const char* command : {"import", "generate", "check-table", "stats", "export", "print"}) {
        EXPECT_NE(all.Out.find(std::string("  wabolex-cli ") + command + " "), std::string::npos)
            << command;
    }
    const auto version = CliRun::Run(folder_, {"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_TRUE(std::regex_match(version.Out, std::regex("wabolex-cli [0-9]+\\.[0-9]+\n")))
        << version.Out;
}

TEST_F(CliGenerateTest, FailuresExitWithOneAndAMessage) {
    auto result = Generate("x.wbx", {});
    ASSERT_TRUE(fs::exists(folder_ / "x.wbx"));

    // The earlier file is read-only: it is neither replaced nor touched.
    const std::string before = ReadBytes(folder_ / "x.wbx");
    result = CliRun::Run(folder_, {"generate", "Test.db", "-o", "x.wbx", "--seed", "99"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("schreibgeschützt"), std::string::npos) << result.Err;
    EXPECT_EQ(ReadBytes(folder_ / "x.wbx"), before);

    result = CliRun::Run(folder_, {"generate", "Fehlt.db", "-o", "y.wbx"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("Fehlt.db"), std::string::npos) << result.Err;
    EXPECT_FALSE(fs::exists(folder_ / "y.wbx"));

    // A table without the short-word table beside it: fine only without short words.
    const fs::path alone = folder_ / "allein";
    fs::create_directories(alone);
    fs::copy_file(folder_ / "Test.db", alone / "Test.db", fs::copy_options::overwrite_existing);
    result = CliRun::Run(alone, {"generate", "Test.db", "-o", "y.wbx"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("Kurzwörter2004.DB"), std::string::npos) << result.Err;
    EXPECT_FALSE(fs::exists(alone / "y.wbx"));
    result = CliRun::Run(
        alone, {"generate", "Test.db", "-o", "y.wbx", "--no-short-words", "--no-solution-word"});
    EXPECT_EQ(result.Status, 0) << result.Err;

    // A table without any record, and no short words to help: named, nothing written.
    ParadoxWriter::WriteVocabulary(alone / "Leer.db", {});
    result = CliRun::Run(alone, {"generate", "Leer.db", "-o", "z.wbx", "--no-short-words"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("Leer.db enthält keine Begriffe"), std::string::npos) << result.Err;
    EXPECT_FALSE(fs::exists(alone / "z.wbx"));

    // A damaged puzzle file: refused with file and line, nothing written.
    std::string damaged = ReadBytes(folder_ / "x.wbx");
    damaged.replace(damaged.find("yMax=15"), 7, "yMax=1x");
    CliRun::WriteBytes(folder_ / "kaputt.wbx", damaged);
    const auto filesBefore =
        std::distance(fs::directory_iterator(folder_), fs::directory_iterator());
    result = CliRun::Run(folder_, {"stats", "kaputt.wbx"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find("kaputt.wbx"), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("Zeile 2"), std::string::npos) << result.Err;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()),
              filesBefore);
}

} // namespace
