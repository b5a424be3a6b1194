#include "model/Generator.h"

#include "base/Cp1252.h"
#include "model/Numbering.h"
#include "model/PuzzleStatistics.h"
#include "model/SolutionWord.h"
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

// The index of the puzzle's word list, made when a vocabulary is first used.
const WordIndex& IndexOf(Puzzle& puzzle) {
    if (!puzzle.VocabularyIndex || puzzle.VocabularyIndex->WordCount() != puzzle.WordCount) {
        puzzle.VocabularyIndex =
            std::make_shared<const WordIndex>(puzzle.WordList, puzzle.WordCount);
    }
    return *puzzle.VocabularyIndex;
}

} // namespace

Generator::Generator(Puzzle& puzzle, UserDialogs& dialogs, RandomSource& random)
    : puzzle_(puzzle), dialogs_(dialogs), random_(random), placer_(puzzle, dialogs, random) {}

// ---------------------------------------------------------------------------
// The run

GenerationOutcome Generator::RGenerieren(const GenerationSettings& settings) {
    if (puzzle_.WordCount == 0) {
        dialogs_.ShowError(W("Es wurde keine Wortschatzdatei gewählt!"));
        return GenerationOutcome::NotRun;
    }
    // The start word and the free step draw from the main words only.
    if (puzzle_.ShortWordStart < 2) {
        dialogs_.ShowError(W("Die Wortschatzdatei enthält nur Kurzwörter. Zum Generieren wird "
                             "eine Wortschatzdatei mit längeren Begriffen benötigt."));
        return GenerationOutcome::NotRun;
    }

    BusyGuard busy(dialogs_);
    Direction direction = Direction::Across;
    if (!PrepareStart(settings, direction)) {
        busy.Release();
        StopWithMessage(direction);
        return GenerationOutcome::NotRun;
    }
    search_.reset();
    if (!referenceScan_ && OpenSlots::Holds(puzzle_.Columns, puzzle_.Rows)) {
        search_ = std::make_unique<IndexedSearch>(puzzle_, IndexOf(puzzle_));
    }

    const int32_t startEntry = DrawStartWord(settings, direction);
    const int32_t length = puzzle_.Entry(startEntry).GridLength();
    int32_t column = 0;
    int32_t row = 0;
    if (direction == Direction::Across) {
        row = puzzle_.Rows / 2;
        column = random_.Random(puzzle_.Columns - length + 1);
    } else {
        column = puzzle_.Columns / 2;
        row = random_.Random(puzzle_.Rows - length + 1);
    }
    // On the empty grid the start word is always placed; it is never proposed.
    Placement anchor;
    if (const auto placed = placer_.PlaceWord(startEntry, 0, StartWindow{column, column, row, row},
                                              direction, false)) {
        Placed(*placed);
        anchor = *placed;
        direction = Other(direction);
    }

    const int32_t passCount =
        std::max(MinimumPasses(puzzle_.Columns, puzzle_.Rows), settings.Passes);
    RunPasses(settings, passCount, direction, anchor);
    search_.reset();

    busy.Release();
    Numbering::NumberWords(puzzle_);
    Numbering::CompleteBars(puzzle_);
    dialogs_.Repaint();
    dialogs_.ShowStatistics(PuzzleStatistics::Count(puzzle_));
    Numbering::FillClueList(puzzle_);
    if (settings.UseSolutionWord &&
        !SolutionWord::PlaceSolutionWord(puzzle_, settings.SolutionWord, random_, dialogs_)) {
        return GenerationOutcome::SolutionWordNotFound;
    }
    return GenerationOutcome::Generated;
}

// Resets flags, marks and grid and chooses the start direction. False when no
// main word fits that direction.
bool Generator::PrepareStart(const GenerationSettings& settings, Direction& direction) {
    Puzzle& p = puzzle_;
    dialogs_.BeginNewPuzzle();
    p.SolutionWordShown = false;
    p.ClearSolutionMarks();
    if (p.Grid.Columns() != p.Columns || p.Grid.Rows() != p.Rows) {
        p.ResizeGrid(p.Columns, p.Rows);
    }
    p.ResetGrid();
    dialogs_.Repaint();
    p.MarkAllAvailable();
    p.ConfirmInsertions = settings.ShowInsertions;
    p.CellCount = p.Columns * p.Rows;
    p.AcrossWord.assign(static_cast<size_t>(p.CellCount), 0);
    p.DownWord.assign(static_cast<size_t>(p.CellCount), 0);

    // The start word runs along the longer side of the grid.
    if (p.Columns < p.Rows) {
        direction = Direction::Down;
    } else if (p.Rows < p.Columns) {
        direction = Direction::Across;
    } else {
        direction = random_.Random(100) % 2 == 1 ? Direction::Down : Direction::Across;
    }

    for (int32_t i = 1; i < p.ShortWordStart; ++i) {
        if (placer_.WordFits(i, direction)) {
            return true;
        }
    }
    return false;
}

// No main word fits the start direction, so the start-word draw would never
// end. Leaves the reset grid with an empty clue list, so nothing describes a
// puzzle that is no longer there.
void Generator::StopWithMessage(Direction direction) {
    puzzle_.ClueRows.assign(1, ClueRow{});
    dialogs_.Repaint();
    dialogs_.ShowError(direction == Direction::Across
                           ? W("Kein Begriff des Wortschatzes ist kürzer als die Spaltenanzahl. "
                               "Bitte das Gitter breiter wählen oder einen anderen Wortschatz "
                               "öffnen.")
                           : W("Kein Begriff des Wortschatzes ist kürzer als die Zeilenanzahl. "
                               "Bitte das Gitter höher wählen oder einen anderen Wortschatz "
                               "öffnen."));
}

int32_t Generator::DrawStartWord(const GenerationSettings& settings, Direction direction) {
    for (;;) {
        const int32_t i = random_.Random(puzzle_.ShortWordStart - 1) + 1;
        if (!placer_.WordFits(i, direction)) {
            continue;
        }
        if (!settings.ShowInsertions) {
            return i;
        }
        const TWordEntry& entry = puzzle_.Entry(i);
        const std::string text = DirectionPrefix(direction) + entry.Word + " : " + entry.Clue;
        if (dialogs_.ConfirmStartWord(text)) {
            return i;
        }
    }
}

void Generator::RunPasses(const GenerationSettings& settings, int32_t passCount,
                          Direction& direction, Placement& anchor) {
    for (int32_t pass = 0; pass <= passCount; ++pass) {
        ChainStep(direction, anchor);
        FreeStep(direction, anchor);
    }
    FillPass(settings.UseShortWords ? puzzle_.WordCount : puzzle_.ShortWordStart - 1, direction,
             anchor);
}

// Tries every main word around the newest word; each placement moves the anchor.
void Generator::ChainStep(Direction& direction, Placement& anchor) {
    for (auto trial = NextInChain(1, direction, anchor); trial;
         trial = NextInChain(trial->Entry + 1, direction, anchor)) {
        const int32_t length = puzzle_.Entry(trial->Entry).GridLength();
        const StartWindow window =
            ChainWindow(anchor, length, direction, puzzle_.Columns, puzzle_.Rows);
        if (const auto placed = Attempt(*trial, 1, window, direction)) {
            anchor = *placed;
            direction = Other(placed->Dir);
        }
    }
}

// The first main word that can be placed with two crossings anywhere.
void Generator::FreeStep(Direction& direction, Placement& anchor) {
    const int32_t last = puzzle_.ShortWordStart - 1;
    for (auto trial = NextOnWholeGrid(1, last, direction, 2); trial;
         trial = NextOnWholeGrid(trial->Entry + 1, last, direction, 2)) {
        if (const auto placed = TryOnWholeGrid(*trial, 2, direction)) {
            anchor = *placed;
            return;
        }
    }
}

// Every word up to the last entry gets its turn on the whole grid.
void Generator::FillPass(int32_t lastEntry, Direction& direction, Placement& anchor) {
    for (auto trial = NextOnWholeGrid(1, lastEntry, direction, 1); trial;
         trial = NextOnWholeGrid(trial->Entry + 1, lastEntry, direction, 1)) {
        if (const auto placed = TryOnWholeGrid(*trial, 1, direction)) {
            anchor = *placed;
        }
    }
}

std::optional<Generator::Trial> Generator::NextInChain(int32_t from, Direction direction,
                                                       const Placement& anchor) {
    if (search_) {
        return search_->NextInChain(from, direction, anchor);
    }
    for (int32_t entry = from; entry < puzzle_.ShortWordStart; ++entry) {
        if (puzzle_.Entry(entry).Available == 1 && placer_.WordFits(entry, direction)) {
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
        if (puzzle_.Entry(entry).Available == 1 && placer_.WordFits(entry, direction)) {
            return Trial{entry, std::nullopt, true};
        }
    }
    return std::nullopt;
}

std::optional<Placement> Generator::TryOnWholeGrid(const Trial& trial, int32_t minCrossings,
                                                   Direction& direction) {
    const int32_t length = puzzle_.Entry(trial.Entry).GridLength();
    for (int32_t attempts = 1;; ++attempts) {
        const StartWindow window =
            WholeGridWindow(length, direction, puzzle_.Columns, puzzle_.Rows);
        if (const auto placed = Attempt(trial, minCrossings, window, direction)) {
            direction = Other(placed->Dir);
            return placed;
        }
        direction = Other(direction);
        if (attempts > 1 || !placer_.WordFits(trial.Entry, direction)) {
            return std::nullopt;
        }
    }
}

std::optional<Placement> Generator::Attempt(const Trial& trial, int32_t minCrossings,
                                            const StartWindow& window, Direction direction) {
    std::optional<Placement> placed;
    const bool known = !trial.NeedsScan && !puzzle_.ConfirmInsertions;
    if (known && trial.Placed && trial.Placed->Dir == direction &&
        placer_.Acceptable(trial.Entry, trial.Placed->Column, trial.Placed->Row, minCrossings,
                           direction)) {
        placed = placer_.Commit(trial.Entry, trial.Placed->Column, trial.Placed->Row, direction);
    } else if (!known || (trial.Placed && trial.Placed->Dir == direction)) {
        // The user's proposals, a word only the scan can place, or (never
        // expected) a position that fails the tests: the scan decides.
        placed = placer_.PlaceWord(trial.Entry, minCrossings, window, direction,
                                   puzzle_.ConfirmInsertions);
    }
    if (placed) {
        Placed(*placed);
    }
    return placed;
}

void Generator::Placed(const Placement& placed) {
    if (search_) {
        search_->Placed(placed);
    }
}
