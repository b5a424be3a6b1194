#pragma once

#include "app/cli/PuzzleMaker.h"
#include "model/Vocabulary.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Cli {

struct BatchOptions {
    std::filesystem::path Folder; // made when missing
    std::string Base;             // files are named <Base>-<seed>.wbx
    uint64_t FirstSeed = 0;
    uint64_t Count = 0;
    // Parallel jobs; 0: one per core. Fewer run for large grids, so that the
    // batch stays within its memory.
    unsigned Jobs = 0;
    // Files no puzzle may replace (the tables it is made from), also through
    // a link in the folder.
    std::vector<std::filesystem::path> Inputs;
};

// Makes Count puzzles with the seeds FirstSeed .. FirstSeed + Count - 1 from
// one vocabulary shared read-only by the jobs, each written as a plain
// generate with its seed would write it. A progress bar goes to stderr when it
// is a terminal, the messages of a puzzle with its file's name to stderr, and
// a summary line (puzzles, time, puzzles per second, how many without their
// solution word) to stdout. Returns the exit status: 0 when every puzzle was
// made as asked, WithoutSolutionWord when all were written but some without
// their solution word, Failure when one could not be made or written. A batch
// refused before its first puzzle leaves nothing behind, not even its folder.
int RunBatch(const Vocabulary& words, const MakeOptions& options, const BatchOptions& batch);

// The file of one puzzle of the batch.
std::filesystem::path BatchFile(const BatchOptions& batch, uint64_t seed);

} // namespace Cli
