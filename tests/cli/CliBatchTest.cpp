// wabolex-cli generate with --count, --jobs, --tries and --vary on the shipped
// animal table: every file of a batch is the file a single run with its seed
// writes, whatever the number of jobs.
#include "files/PuzzleFile.h"
#include "model/Puzzle.h"
#include "model/PuzzleScore.h"
#include "model/Variety.h"
#include "tests/cli/CliRun.h"

#include "vocabulary/ShippedCommonWords.h"
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using CliRun::ReadBytes;

namespace {

class CliBatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        table_ = fs::path(WABOLEX_ROOT) / "WortDateien2007" / "Tiere.db";
        if (!fs::exists(table_)) {
            GTEST_SKIP() << "no shipped table " << table_;
        }
        folder_ = CliRun::MakeTempFolder("wabolex-cli-batch");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    CliRun::Result Generate(const std::string& output, std::vector<std::string> args) {
        args.insert(args.begin(), {"generate", table_.string(), "-o", output});
        return CliRun::Run(folder_, args);
    }

    // The puzzle of a plain run with this seed and these options.
    std::string Single(uint64_t seed, const std::vector<std::string>& options = {}) {
        const std::string name = "single-" + std::to_string(seed) + ".wbx";
        std::vector<std::string> args = options;
        args.insert(args.end(), {"--seed", std::to_string(seed)});
        const auto result = Generate(name, args);
        EXPECT_TRUE(result.Status == 0 || result.Status == 3) << result.Err;
        const std::string bytes = ReadBytes(folder_ / name);
        fs::remove(folder_ / name);
        return bytes;
    }

    PuzzleScore ScoreOf(const fs::path& file) {
        const PuzzleFileContents contents = PuzzleFile::Read(file);
        Puzzle puzzle;
        PuzzleFile::Apply(contents, puzzle);
        const bool placed = contents.Marks[0].Column >= 0;
        return PuzzleScore::Of(puzzle,
                               placed ? PuzzleScore::SolutionWord::Placed
                                      : PuzzleScore::SolutionWord::NotFound,
                               &ShippedCommonWords());
    }

    fs::path table_;
    fs::path folder_;
};

} // namespace

TEST_F(CliBatchTest, EveryFileEqualsASingleRunWithItsSeedWhateverTheJobs) {
    const auto one = Generate("eins", {"--count", "20", "--seed", "100", "--jobs", "1"});
    ASSERT_TRUE(one.Status == 0 || one.Status == 3) << one.Err;
    const auto two = Generate("zwei", {"--count", "20", "--seed", "100", "--jobs", "2"});
    ASSERT_EQ(two.Status, one.Status) << two.Err;
    // Exit status 3 and the count in the summary: puzzles written without
    // their solution word, each also named on stderr.
    std::smatch summary;
    ASSERT_TRUE(std::regex_match(one.Out, summary,
                                 std::regex("20 Rätsel in \\d+,\\d\\d s \\(\\d+,\\d Rätsel je "
                                            "Sekunde\\)(, davon (\\d+) ohne Lösungswort)?\n")))
        << one.Out;
    const size_t without = std::count(one.Err.begin(), one.Err.end(), '\n');
    EXPECT_EQ(summary[1].matched ? std::stoul(summary[2]) : 0u, without);
    EXPECT_EQ(one.Status, without > 0 ? 3 : 0);
    // Not a terminal: no progress bar, only the messages of single puzzles.
    EXPECT_EQ(one.Err.find('\r'), std::string::npos);
    for (uint64_t seed = 100; seed < 120; ++seed) {
        const std::string name = "Tiere-" + std::to_string(seed) + ".wbx";
        const std::string bytes = ReadBytes(folder_ / "eins" / name);
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(ReadBytes(folder_ / "zwei" / name), bytes) << name;
        EXPECT_EQ(Single(seed), bytes) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "eins"), fs::directory_iterator()),
              20);
}

TEST_F(CliBatchTest, WithoutSeedTheFirstSeedIsDrawnAndPrinted) {
    const auto result = Generate("neu/tief", {"--count", "2", "--no-solution-word"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::smatch seed;
    ASSERT_TRUE(std::regex_search(result.Out, seed, std::regex("^Erster Startwert: (\\d+)\n")))
        << result.Out;
    const uint64_t first = std::stoull(seed[1]);
    for (const uint64_t s : {first, first + 1}) {
        const fs::path file = folder_ / "neu" / "tief" / ("Tiere-" + std::to_string(s) + ".wbx");
        EXPECT_EQ(ReadBytes(file), Single(s, {"--no-solution-word"})) << file;
    }
}

TEST_F(CliBatchTest, TriesKeepTheBestCandidateOfTheDocumentedSeeds) {
    // One try is the plain run.
    const int plain = Generate("t1.wbx", {"--seed", "3", "--tries", "1"}).Status;
    ASSERT_TRUE(plain == 0 || plain == 3);
    EXPECT_EQ(ReadBytes(folder_ / "t1.wbx"), Single(3));

    for (uint64_t seed = 1; seed <= 6; ++seed) {
        const std::string name = "best-" + std::to_string(seed) + ".wbx";
        const int status = Generate(name, {"--seed", std::to_string(seed), "--tries", "4"}).Status;
        ASSERT_TRUE(status == 0 || status == 3) << seed;
        const std::string best = ReadBytes(folder_ / name);
        const PuzzleScore bestScore = ScoreOf(folder_ / name);
        // The kept puzzle is one of the candidates, none of which scores better.
        bool found = false;
        for (int32_t k = 0; k < 4; ++k) {
            const uint64_t candidateSeed = Variety::TrySeed(seed, k);
            const std::string candidate = Single(candidateSeed);
            found = found || candidate == best;
            CliRun::WriteBytes(folder_ / "candidate.wbx", candidate);
            EXPECT_FALSE(ScoreOf(folder_ / "candidate.wbx").BetterThan(bestScore))
                << "seed " << seed << " try " << k;
            fs::remove(folder_ / "candidate.wbx");
        }
        EXPECT_TRUE(found) << "seed " << seed;
    }
    // The documented derivation of the seeds of further tries.
    EXPECT_EQ(Variety::TrySeed(7, 0), 7u);
    EXPECT_EQ(Variety::TrySeed(7, 2), Variety::SplitMix64(Variety::SplitMix64(7) + 2));
}

TEST_F(CliBatchTest, VaryIsReproducibleAndChangesThePuzzle) {
    const std::string varied = Single(9, {"--vary"});
    EXPECT_EQ(Single(9, {"--vary"}), varied);
    EXPECT_NE(Single(9), varied);
    const auto batch = Generate("bunt", {"--count", "3", "--seed", "9", "--vary", "--jobs", "2"});
    ASSERT_TRUE(batch.Status == 0 || batch.Status == 3) << batch.Err;
    EXPECT_EQ(ReadBytes(folder_ / "bunt" / "Tiere-9.wbx"), varied);
    EXPECT_EQ(ReadBytes(folder_ / "bunt" / "Tiere-11.wbx"), Single(11, {"--vary"}));
}

TEST_F(CliBatchTest, WrongUseAndFilesInTheWayStopBeforeAnything) {
    CliRun::WriteBytes(folder_ / "datei", "x");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--jobs", "2"},
             {"--count", "0"},
             {"--count", "2", "--jobs", "0"},
             {"--tries", "0"},
             {"--tries", "101"},
             {"--count", "2", "--seed", "18446744073709551615"},
         }) {
        const auto result = Generate("x.wbx", args);
        EXPECT_EQ(result.Status, 2) << args.front() << " " << args.back();
    }
    const auto notFolder = Generate("datei", {"--count", "2"});
    EXPECT_EQ(notFolder.Status, 1);
    EXPECT_NE(notFolder.Err.find("kein Ordner"), std::string::npos) << notFolder.Err;

    // A read-only puzzle of an earlier batch is in the way: nothing is made.
    fs::create_directory(folder_ / "alt");
    CliRun::WriteBytes(folder_ / "alt" / "Tiere-6.wbx", "alt");
    fs::permissions(folder_ / "alt" / "Tiere-6.wbx", fs::perms::owner_write,
                    fs::perm_options::remove);
    const auto blocked = Generate("alt", {"--count", "3", "--seed", "5"});
    EXPECT_EQ(blocked.Status, 1);
    EXPECT_NE(blocked.Err.find("Tiere-6.wbx"), std::string::npos) << blocked.Err;
    EXPECT_FALSE(fs::exists(folder_ / "alt" / "Tiere-5.wbx"));
    EXPECT_EQ(ReadBytes(folder_ / "alt" / "Tiere-6.wbx"), "alt");
}
