// Every input of the checked-in fuzzing corpus through both readers, with the
// regular compiler, so that what fuzzing once found stays mended.
#include "tests/fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TEST(ReplayCorpusTest, EveryInputIsReadOrRefusedByBothReaders) {
    size_t inputs = 0;
    for (const auto& entry : fs::recursive_directory_iterator(WABOLEX_FUZZ_CORPUS)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::string input = bytes.str();
        const auto* data = reinterpret_cast<const uint8_t*>(input.data());
        EXPECT_EQ(FuzzTargets::ParadoxTable(data, input.size()), "") << entry.path();
        EXPECT_EQ(FuzzTargets::PuzzleFile(data, input.size()), "") << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 10u);
}
