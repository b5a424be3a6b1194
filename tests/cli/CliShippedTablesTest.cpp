// wabolex-cli generate on the tables shipped in Wabolex/WortDateien2007.
#include "files/PuzzleFile.h"
#include "tests/cli/CliRun.h"
#include "tests/cli/PuzzleCheck.h"
#include "vocabulary/VocabularyRules.h"
#include "vocabulary/VocabularyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

const char* const ShortWordTable = "Kurzwörter2004.DB";

fs::path TableFolder() {
    return fs::path(WABOLEX_ROOT) / "WortDateien2007";
}

std::vector<fs::path> ShippedTables() {
    std::vector<fs::path> tables;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(TableFolder(), ec)) {
        const std::string name = entry.path().filename().string();
        const std::string ext = entry.path().extension().string();
        if ((ext == ".db" || ext == ".DB") && name != ShortWordTable) {
            tables.push_back(entry.path());
        }
    }
    std::sort(tables.begin(), tables.end());
    return tables;
}

void AddWords(const fs::path& table, PuzzleCheck::Vocabulary& words) {
    for (const TWordEntry& entry : VocabularyTable::Read(table)) {
        words[entry.Word].insert(entry.Clue);
    }
}

// The answers that stand more than once in the puzzle.
std::string RepeatedAnswers(const PuzzleFileContents& p) {
    std::set<std::string> seen;
    std::string repeated;
    for (int32_t row = 0; row < p.Rows; ++row) {
        for (int32_t column = 0; column < p.Columns; ++column) {
            const TGridCell& cell = p.Grid.At(column, row);
            for (const bool across : {true, false}) {
                if ((across ? cell.AcrossNo : cell.DownNo) != 0) {
                    const std::string word = PuzzleCheck::WordAt(p, column, row, across);
                    if (!seen.insert(word).second) {
                        repeated += word + " ";
                    }
                }
            }
        }
    }
    return repeated;
}

TEST(CliShippedTablesTest, EveryTableGivesSoundPuzzlesFromSmallToLargest) {
    const std::vector<fs::path> tables = ShippedTables();
    if (tables.empty() || !fs::exists(TableFolder() / ShortWordTable)) {
        GTEST_SKIP() << "no shipped tables in " << TableFolder();
    }
    const fs::path folder = CliRun::MakeTempFolder("wabolex-cli-shipped");
    ASSERT_FALSE(folder.empty());
    for (const fs::path& table : tables) {
        PuzzleCheck::Vocabulary words;
        AddWords(table, words);
        AddWords(TableFolder() / ShortWordTable, words);
        // The main tables hold words of five letters and more: a grid must have
        // room for one beside its border.
        for (const char* size : {"6x6", "15x15", "40x9", "99x99"}) {
            SCOPED_TRACE(table.filename().string() + " " + size);
            const fs::path output = folder / (std::string(size) + ".wbx");
            const auto result =
                CliRun::Run(folder, {"generate", table.string(), "-o", output.string(), "--size",
                                     size, "--no-solution-word", "--seed", "2026"});
            ASSERT_EQ(result.Status, 0) << result.Err;
            const PuzzleFileContents contents = PuzzleFile::Read(output);
            for (const std::string& problem : PuzzleCheck::Problems(contents, words)) {
                ADD_FAILURE() << problem;
            }
            EXPECT_EQ(RepeatedAnswers(contents), "");
            fs::remove(output);
        }
    }
    fs::remove_all(folder);
}

// The search through the word index and the scan of every position make the
// same puzzle file from the same seed. The scan is slow; the largest grids are
// left to scripts/compare-reference-scan.sh.
TEST(CliShippedTablesTest, ReferenceScanWritesTheSameFile) {
    std::vector<fs::path> tables = ShippedTables();
    if (tables.empty() || !fs::exists(TableFolder() / ShortWordTable)) {
        GTEST_SKIP() << "no shipped tables in " << TableFolder();
    }
    tables.push_back(TableFolder() / ShortWordTable);
    const fs::path folder = CliRun::MakeTempFolder("wabolex-cli-reference");
    ASSERT_FALSE(folder.empty());
    for (const fs::path& table : tables) {
        for (const char* size : {"6x6", "15x15", "31x8", "9x40"}) {
            SCOPED_TRACE(table.filename().string() + " " + size);
            std::vector<CliRun::Result> results;
            std::vector<std::string> bytes;
            for (const bool reference : {false, true}) {
                const fs::path output = folder / (reference ? "scan.wbx" : "index.wbx");
                std::vector<std::string> args = {
                    "generate", table.string(), "-o",     output.string(),
                    "--size",   size,           "--seed", "7"};
                if (reference) {
                    args.push_back("--reference-scan");
                }
                results.push_back(CliRun::Run(folder, args));
                bytes.push_back(CliRun::ReadBytes(output));
                fs::remove(output);
            }
            // 3: the solution word was not found.
            EXPECT_TRUE(results[0].Status == 0 || results[0].Status == 3) << results[0].Err;
            EXPECT_EQ(results[0].Status, results[1].Status);
            EXPECT_EQ(results[0].Err, results[1].Err);
            EXPECT_FALSE(bytes[0].empty());
            EXPECT_EQ(bytes[0], bytes[1]);
        }
    }
    fs::remove_all(folder);
}

// The ban list and its harmless words as the source folder holds them, read
// afresh: the program's built-in copy could be stale.
VocabularyRules::BanList SourceBanList() {
    const fs::path data = fs::path(WABOLEX_SOURCE_DIR) / "vocabulary/data";
    return VocabularyRules::BanList::Parse(CliRun::ReadBytes(data / "Sperrliste.txt"),
                                           CliRun::ReadBytes(data / "Sperrliste-Ausnahmen.txt"));
}

} // namespace

TEST(CliShippedTablesTest, NoTableHoldsBannedTermsOrGiveAwaysAndLengthsKeepTablesApart) {
    const std::vector<fs::path> tables = ShippedTables();
    if (tables.empty() || !fs::exists(TableFolder() / ShortWordTable)) {
        GTEST_SKIP() << "no shipped tables in " << TableFolder();
    }
    const VocabularyRules::BanList banned = SourceBanList();
    EXPECT_FALSE(banned.Empty());
    std::set<std::string> shortWords;
    for (const TWordEntry& entry : VocabularyTable::Read(TableFolder() / ShortWordTable)) {
        EXPECT_TRUE(entry.Word.size() >= 2 && entry.Word.size() <= 4) << entry.Word;
        shortWords.insert(entry.Word);
    }
    EXPECT_GE(shortWords.size(), 600u);
    std::vector<fs::path> all = tables;
    all.push_back(TableFolder() / ShortWordTable);
    for (const fs::path& table : all) {
        SCOPED_TRACE(table.filename().string());
        const bool isShort = table.filename() == fs::path(ShortWordTable);
        size_t problems = 0;
        for (const TWordEntry& e : VocabularyTable::Read(table)) {
            const bool banned_ = banned.Bans(e.Word) || banned.BansAnyIn(e.Clue);
            const bool givesAway = VocabularyRules::GivesAway(e.Clue, e.Word);
            const bool wrongLength = !isShort && (e.Word.size() < 5 || shortWords.count(e.Word));
            if ((banned_ || givesAway || wrongLength || e.Clue.empty()) && ++problems <= 20) {
                ADD_FAILURE() << e.Word << ": " << e.Clue << (banned_ ? " (gesperrt)" : "")
                              << (givesAway ? " (verraten)" : "")
                              << (wrongLength ? " (Länge)" : "");
            }
        }
        EXPECT_EQ(problems, 0u);
    }
}
