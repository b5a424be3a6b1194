#pragma once

#include "model/CommonWords.h"
#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/PuzzleScore.h"
#include "model/Vocabulary.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Cli {

// How wabolex-cli generate makes each puzzle.
struct MakeOptions {
    int32_t Columns = StartGridSide;
    int32_t Rows = StartGridSide;
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
    enum class Result {
        NotMade,              // the generation refused or stopped; no file to write
        Made,                 // a puzzle, with its solution word when one was asked for
        SolutionWordNotFound, // a puzzle, but the solution word has no place in it
    };
    Result Outcome = Result::NotMade;
    std::vector<std::string> Lines; // the puzzle file; empty when NotMade
    PuzzleScore Score;
    std::vector<std::string> Messages; // what the run said (Windows-1252)
};

// Makes puzzles from a vocabulary loaded once. The vocabulary is only read;
// each maker works on a puzzle of its own, so makers may run in parallel
// threads on one vocabulary. The puzzle of a seed depends on nothing but the
// vocabulary, the options and the seed.
class PuzzleMaker {
public:
    PuzzleMaker(const Vocabulary& words, const MakeOptions& options);

    // The best of the tries: the first with the seed itself, the others with
    // Variety::TrySeed; a later try replaces an earlier only when it scores
    // strictly better.
    MadePuzzle Make(uint64_t seed);

private:
    // One run, exactly as a plain generate with this seed.
    MadePuzzle Run(uint64_t seed);

    const Vocabulary& words_;
    const MakeOptions& options_;
    Puzzle work_;
};

} // namespace Cli
