#include "model/Generator.h"

#include "model/Numbering.h"
#include "model/PuzzleStatistics.h"
#include "model/WordIndex.h"

#include <algorithm>
#include <string>

namespace {

// Ends the busy state on every way out of a run, exceptions included.
class BusyGuard {
public:
    explicit BusyGuard(UserDialogs& dialogs) : dialogs_(dialogs) { dialogs_.SetBusy(true); }
    ~BusyGuard() { Release(); }
    void Release() {
        if (busy_) {
            busy_ = false;
            dialogs_.SetBusy(false);
        }
    }

private:
    UserDialogs& dialogs_;
    bool busy_ = true;
};

} // namespace

Generator::Generator(Puzzle& puzzle, const Vocabulary& words, UserDialogs& dialogs,
                     RandomSource& random)
    : puzzle_(puzzle), words_(words), dialogs_(dialogs), random_(random) {}

// ---------------------------------------------------------------------------
// The run

GenerationOutcome Generator::RGenerieren(const GenerationSettings& settings) {
    if (words_.WordCount() == 0) {
        return GenerationOutcome::NoVocabulary;
    }
    // The start word and the free step draw from the main words only.
    if (words_.ShortWordStart() < 2) {
        return GenerationOutcome::OnlyShortWords;
    }

    BusyGuard busy(dialogs_);
    if (!PrepareStart(settings)) {
        busy.Release();
        return Stop(run_->Dir);
    }
    GenerationRun& run = *run_;
    search_.reset();
    if (!referenceScan_ && OpenSlots::Holds(puzzle_.Columns, puzzle_.Rows)) {
        search_ = std::make_unique<IndexedSearch>(puzzle_.Grid, run);
    }

    const int32_t startEntry = DrawStartWord(settings, run.Dir);
    const int32_t length = words_.Entry(startEntry).GridLength();
    int32_t column = 0;
    int32_t row = 0;
    if (run.Dir == Direction::Across) {
        row = puzzle_.Rows / 2;
        column = random_.Random(puzzle_.Columns - length + 1);
    } else {
        column = puzzle_.Columns / 2;
        row = random_.Random(puzzle_.Rows - length + 1);
    }
    // On the empty grid the start word is always placed; it is never proposed.
    if (const auto placed = placer_->PlaceWord(startEntry, 0, StartWindow{column, column, row, row},
                                               run.Dir, false)) {
        Placed(*placed);
        run.Anchor = *placed;
        run.Dir = Other(run.Dir);
    }

    const int32_t passCount =
        std::max(MinimumPasses(puzzle_.Columns, puzzle_.Rows), settings.Passes);
    RunPasses(settings, passCount);
    search_.reset();

    busy.Release();
    Numbering::NumberWords(puzzle_, run);
    Numbering::CompleteBars(puzzle_, run);
    dialogs_.Repaint();
    dialogs_.ShowStatistics(PuzzleStatistics::Count(puzzle_));
    Numbering::FillClueList(puzzle_, run);
    return GenerationOutcome::Generated;
}

// Resets flags, marks and grid, starts the run's own state and chooses the
// start direction. False when no main word fits that direction.
bool Generator::PrepareStart(const GenerationSettings& settings) {
    Puzzle& p = puzzle_;
    dialogs_.BeginNewPuzzle();
    p.SolutionWordShown = false;
    p.ClearSolutionMarks();
    if (p.Grid.Columns() != p.Columns || p.Grid.Rows() != p.Rows) {
        p.ResizeGrid(p.Columns, p.Rows);
    }
    p.ResetGrid();
    dialogs_.Repaint();
    run_ = std::make_unique<GenerationRun>(words_, p.Columns, p.Rows);
    run_->ConfirmInsertions = settings.ShowInsertions;
    placer_ = std::make_unique<WordPlacer>(puzzle_, *run_, dialogs_, random_);

    // The start word runs along the longer side of the grid.
    Direction& direction = run_->Dir;
    if (p.Columns < p.Rows) {
        direction = Direction::Down;
    } else if (p.Rows < p.Columns) {
        direction = Direction::Across;
    } else {
        direction = random_.Random(100) % 2 == 1 ? Direction::Down : Direction::Across;
    }

    for (int32_t i = 1; i < words_.ShortWordStart(); ++i) {
        if (placer_->WordFits(i, direction)) {
            return true;
        }
    }
    return false;
}

// No main word fits the start direction, so the start-word draw would never
// end. Leaves the reset grid with an empty clue list, so nothing describes a
// puzzle that is no longer there.
GenerationOutcome Generator::Stop(Direction direction) {
    puzzle_.ClueRows.assign(1, ClueRow{});
    dialogs_.Repaint();
    return direction == Direction::Across ? GenerationOutcome::NoStartWordAcross
                                          : GenerationOutcome::NoStartWordDown;
}

int32_t Generator::DrawStartWord(const GenerationSettings& settings, Direction direction) {
    for (;;) {
        const int32_t i = random_.Random(words_.ShortWordStart() - 1) + 1;
        if (!placer_->WordFits(i, direction)) {
            continue;
        }
        if (!settings.ShowInsertions) {
            return i;
        }
        if (dialogs_.ConfirmStartWord(direction, words_.Entry(i))) {
            return i;
        }
    }
}

void Generator::RunPasses(const GenerationSettings& settings, int32_t passCount) {
    for (int32_t pass = 0; pass <= passCount; ++pass) {
        ChainStep();
        FreeStep();
    }
    FillPass(settings.UseShortWords ? words_.WordCount() : words_.ShortWordStart() - 1);
}

// Tries every main word around the newest word; each placement moves the anchor.
void Generator::ChainStep() {
    GenerationRun& run = *run_;
    for (auto trial = NextInChain(1, run.Dir, run.Anchor); trial;
         trial = NextInChain(trial->Entry + 1, run.Dir, run.Anchor)) {
        const int32_t length = words_.Entry(trial->Entry).GridLength();
        const StartWindow window =
            ChainWindow(run.Anchor, length, run.Dir, puzzle_.Columns, puzzle_.Rows);
        if (const auto placed = Attempt(*trial, 1, window, run.Dir)) {
            run.Anchor = *placed;
            run.Dir = Other(placed->Dir);
        }
    }
}

// The first main word that can be placed with two crossings anywhere.
void Generator::FreeStep() {
    GenerationRun& run = *run_;
    const int32_t last = words_.ShortWordStart() - 1;
    for (auto trial = NextOnWholeGrid(1, last, run.Dir, 2); trial;
         trial = NextOnWholeGrid(trial->Entry + 1, last, run.Dir, 2)) {
        if (const auto placed = TryOnWholeGrid(*trial, 2)) {
            run.Anchor = *placed;
            return;
        }
    }
}

// Every word up to the last entry gets its turn on the whole grid.
void Generator::FillPass(int32_t lastEntry) {
    GenerationRun& run = *run_;
    for (auto trial = NextOnWholeGrid(1, lastEntry, run.Dir, 1); trial;
         trial = NextOnWholeGrid(trial->Entry + 1, lastEntry, run.Dir, 1)) {
        if (const auto placed = TryOnWholeGrid(*trial, 1)) {
            run.Anchor = *placed;
        }
    }
}

std::optional<Generator::Trial> Generator::NextInChain(int32_t from, Direction direction,
                                                       const Placement& anchor) {
    if (search_) {
        return search_->NextInChain(from, direction, anchor);
    }
    for (int32_t entry = from; entry < words_.ShortWordStart(); ++entry) {
        if (IsAvailable(entry) && placer_->WordFits(entry, direction)) {
            return Trial{entry, std::nullopt, true};
        }
    }
    return std::nullopt;
}

std::optional<Generator::Trial>
Generator::NextOnWholeGrid(int32_t from, int32_t last, Direction direction, int32_t minCrossings) {
    if (search_) {
        return search_->NextOnWholeGrid(from, last, direction, minCrossings);
    }
    for (int32_t entry = from; entry <= last; ++entry) {
        if (IsAvailable(entry) && placer_->WordFits(entry, direction)) {
            return Trial{entry, std::nullopt, true};
        }
    }
    return std::nullopt;
}

std::optional<Placement> Generator::TryOnWholeGrid(const Trial& trial, int32_t minCrossings) {
    Direction& direction = run_->Dir;
    const int32_t length = words_.Entry(trial.Entry).GridLength();
    for (int32_t attempts = 1;; ++attempts) {
        const StartWindow window =
            WholeGridWindow(length, direction, puzzle_.Columns, puzzle_.Rows);
        if (const auto placed = Attempt(trial, minCrossings, window, direction)) {
            direction = Other(placed->Dir);
            return placed;
        }
        direction = Other(direction);
        if (attempts > 1 || !placer_->WordFits(trial.Entry, direction)) {
            return std::nullopt;
        }
    }
}

std::optional<Placement> Generator::Attempt(const Trial& trial, int32_t minCrossings,
                                            const StartWindow& window, Direction direction) {
    std::optional<Placement> placed;
    const bool known = !trial.NeedsScan && !run_->ConfirmInsertions;
    if (known && trial.Placed && trial.Placed->Dir == direction &&
        placer_->Acceptable(trial.Entry, trial.Placed->Column, trial.Placed->Row, minCrossings,
                            direction)) {
        placed = placer_->Commit(trial.Entry, trial.Placed->Column, trial.Placed->Row, direction);
    } else if (!known || (trial.Placed && trial.Placed->Dir == direction)) {
        // The user's proposals, a word only the scan can place, or (never
        // expected) a position that fails the tests: the scan decides.
        placed = placer_->PlaceWord(trial.Entry, minCrossings, window, direction,
                                    run_->ConfirmInsertions);
    }
    if (placed) {
        Placed(*placed);
    }
    return placed;
}

bool Generator::IsAvailable(int32_t entry) const {
    return run_->Available.at(static_cast<size_t>(entry)) == 1;
}

void Generator::Placed(const Placement& placed) {
    if (search_) {
        search_->Placed(placed);
    }
}
