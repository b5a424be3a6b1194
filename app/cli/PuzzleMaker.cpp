#include "app/cli/PuzzleMaker.h"

#include "base/Cp1252.h"
#include "files/PuzzleFile.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"
#include "model/Variety.h"

#include <optional>
#include <utility>

namespace Cli {

namespace {

// Asks nothing: every proposal is accepted, messages are kept for the caller.
class SilentDialogs : public AcceptingDialogs {
public:
    void ShowError(const std::string& text) override { Messages.push_back(text); }
    void ShowRetryError(const std::string& text) override { Messages.push_back(text); }

    std::vector<std::string> Messages;
};

} // namespace

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
            candidate.Outcome != GenerationOutcome::NotRun &&
            (best.Outcome == GenerationOutcome::NotRun || candidate.Score.BetterThan(best.Score));
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
    SilentDialogs dialogs;
    RandomSource random(seed);
    Generator generator(work_, varied ? *varied : words_, dialogs, random);
    generator.UseReferenceScan(options_.ReferenceScan);
    MadePuzzle made;
    made.Outcome = generator.RGenerieren(settings);
    made.Messages = std::move(dialogs.Messages);
    if (made.Outcome == GenerationOutcome::NotRun) {
        if (made.Messages.empty()) {
            made.Messages.push_back(W("Es wurde kein Rätsel erzeugt."));
        }
        return made;
    }
    PuzzleScore::SolutionWord word = settings.UseSolutionWord ? PuzzleScore::SolutionWord::Placed
                                                              : PuzzleScore::SolutionWord::NotAsked;
    if (made.Outcome == GenerationOutcome::SolutionWordNotFound) {
        if (made.Messages.empty()) {
            made.Messages.push_back(W("Lösungswort ") + settings.SolutionWord + " NICHT gefunden");
        }
        // The search leaves the cells of the letters it did find in the marks;
        // the puzzle is kept, but without a partial marking.
        work_.ClearSolutionMarks();
        work_.SolutionWordShown = false;
        word = PuzzleScore::SolutionWord::NotFound;
    }
    work_.SolutionWord = settings.SolutionWord;
    made.Lines = PuzzleFile::Lines(work_, settings.UseSolutionWord);
    made.Score = PuzzleScore::Of(work_, word, options_.Common);
    return made;
}

} // namespace Cli
