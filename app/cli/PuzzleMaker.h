#pragma once

#include "model/CommonWords.h"
#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/PuzzleScore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Cli {

// How wabolex-cli generate makes each puzzle.
struct MakeOptions {
    GenerationSettings Settings;
    int32_t Tries = 1;          // candidates per puzzle; the best by PuzzleScore is kept
    bool Vary = false;          // shuffle the words of each length before every run
    bool ReferenceScan = false; // every placement by the literal scan of the grid
    // The common words that --vary weights and the score counts; none: an
    // even shuffle, and no answer counts as common.
    const CommonWords* Common = nullptr;
};

// One puzzle as its file will hold it.
struct MadePuzzle {
    GenerationOutcome Outcome = GenerationOutcome::NotRun;
    std::vector<std::string> Lines; // the puzzle file; empty when NotRun
    PuzzleScore Score;
    std::vector<std::string> Messages; // what the run said (Windows-1252)
};

// Makes puzzles from a vocabulary loaded once. The vocabulary is only read;
// each maker works on a puzzle of its own, so makers may run in parallel
// threads. The puzzle of a seed depends on nothing but the vocabulary, the
// options and the seed.
class PuzzleMaker {
public:
    // vocabulary: a puzzle with the table loaded and the grid sized. The maker
    // works on a copy of its own, so that makers may share one vocabulary.
    PuzzleMaker(const Puzzle& vocabulary, const MakeOptions& options);
    // The same for a caller that needs the vocabulary no more: without --vary
    // the maker works on it directly instead of on a copy, whose tens of
    // thousands of texts cost a single run more than its generation.
    PuzzleMaker(Puzzle&& vocabulary, const MakeOptions& options);

    // The best of the tries: the first with the seed itself, the others with
    // Variety::TrySeed; a later try replaces an earlier only when it scores
    // strictly better.
    MadePuzzle Make(uint64_t seed);

private:
    // One run, exactly as a plain generate with this seed.
    MadePuzzle Run(uint64_t seed);

    const MakeOptions& options_;
    Puzzle work_;
    std::unique_ptr<const Puzzle> kept_; // the handed-over vocabulary in table order, for --vary
    const Puzzle* vocabulary_;           // the words in table order
};

} // namespace Cli
