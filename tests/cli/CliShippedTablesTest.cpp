// wabolex-cli generate on the tables shipped in Wabolex/WortDateien2007.
#include "files/PuzzleFile.h"
#include "tests/cli/CliRun.h"
#include "tests/cli/PuzzleCheck.h"
#include "vocabulary/VocabularyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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

TEST(CliShippedTablesTest, EveryTableGivesSoundPuzzlesFromSmallestToLargest) {
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
        for (const char* size : {"5x5", "15x15", "40x9", "99x99"}) {
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
            fs::remove(output);
        }
    }
    fs::remove_all(folder);
}

} // namespace
