#include "app/cli/PuzzleMaker.h"

#include "files/PuzzleFile.h"
#include "model/RandomSource.h"
#include "model/SolutionWord.h"
#include "model/UserDialogs.h"
#include "model/Variety.h"
#include "session/Messages.h"

#include <optional>
#include <utility>

namespace Cli {

PuzzleMaker::PuzzleMaker(const Vocabulary& words, const MakeOptions& options)
    : words_(words), options_(options) {
    work_.ResizeGrid(options.Columns, options.Rows);
    work_.ResetGrid();
}

MadePuzzle PuzzleMaker::Make(uint64_t seed) {
    MadePuzzle best = Run(seed);
    for (int32_t k = 1; k < options_.Tries; ++k) {
        MadePuzzle candidate = Run(Variety::TrySeed(seed, k));
        const bool better =
            candidate.Outcome != MadePuzzle::Result::NotMade &&
            (best.Outcome == MadePuzzle::Result::NotMade || candidate.Score.BetterThan(best.Score));
        if (better) {
            best = std::move(candidate);
        }
    }
    return best;
}

MadePuzzle PuzzleMaker::Run(uint64_t seed) {
    const GenerationSettings& settings = options_.Settings;
    // With --vary the run reads the words in an order of its own; the texts
    // stay where they are.
    std::optional<Vocabulary> varied;
    if (options_.Vary) {
        varied = Variety::Shuffled(words_, seed, options_.Common);
    }
    AcceptingDialogs dialogs;
    RandomSource random(seed);
    Generator generator(work_, varied ? *varied : words_, dialogs, random);
    generator.UseReferenceScan(options_.ReferenceScan);
    MadePuzzle made;
    if (const auto refusal = Messages::OfGeneration(generator.RGenerieren(settings))) {
        made.Messages.push_back(*refusal);
        return made;
    }
    // The solution word, as the window places it after a generation.
    made.Outcome = MadePuzzle::Result::Made;
    PuzzleScore::SolutionWord word = PuzzleScore::SolutionWord::NotAsked;
    if (settings.UseSolutionWord) {
        word = PuzzleScore::SolutionWord::Placed;
        if (SolutionWord::Place(work_, settings.SolutionWord, random) ==
            SolutionWord::Outcome::NotFound) {
            made.Outcome = MadePuzzle::Result::SolutionWordNotFound;
            made.Messages.push_back(
                Messages::SolutionWordNotFound(SolutionWord::Searched(settings.SolutionWord)));
            word = PuzzleScore::SolutionWord::NotFound;
        }
    }
    work_.SolutionWord = settings.CarriedSolutionWord();
    made.Lines = PuzzleFile::Lines(work_);
    made.Score = PuzzleScore::Of(work_, word, options_.Common);
    return made;
}

} // namespace Cli
