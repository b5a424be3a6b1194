#pragma once

#include "model/Direction.h"
#include "model/GenerationRun.h"
#include "model/GenerationSettings.h"
#include "model/IndexedSearch.h"
#include "model/Placement.h"
#include "model/Puzzle.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"
#include "model/Vocabulary.h"
#include "model/WordPlacer.h"

#include <cstdint>
#include <memory>
#include <optional>

// How a run of "&Generieren" ended.
enum class GenerationOutcome {
    Generated,      // a numbered puzzle with its clue rows
    NoVocabulary,   // refused: no table loaded; nothing changed
    OnlyShortWords, // refused: the table holds no main word; nothing changed
    // Stopped: no main word is shorter than the grid's side in the start
    // direction, so no start word can be drawn. The grid is reset and the clue
    // rows are emptied, so that nothing describes a puzzle no longer there.
    NoStartWordAcross,
    NoStartWordDown,
};

// The run of "&Generieren": the start word, the passes of chain step and free
// step, the fill pass and the completion (numbering, bars, statistics, clue
// rows). The solution word is the caller's next step (SolutionWord::Place). Which word is tried
// where, and in which direction, is decided here; placing a word is the WordPlacer's.
//
// A word's placement attempt scans its window of start positions. Attempts that
// fail change nothing, so unless the user is shown every proposal the driver asks
// the IndexedSearch for the next entry whose attempt matters and where the scan
// would put it. The puzzles, the questions and the random draws are the same as
// with every attempt scanned (UseReferenceScan).
class Generator {
public:
    // Fills the puzzle's grid with words of the vocabulary, which it only reads.
    Generator(Puzzle& puzzle, const Vocabulary& words, UserDialogs& dialogs, RandomSource& random);

    GenerationOutcome RGenerieren(const GenerationSettings& settings);

    // The state of the last run: which words it took, where they start, which
    // number each carries. nullptr before a run or when one was refused.
    const GenerationRun* Run() const { return run_.get(); }

    // Scan every attempt of every word instead of searching through the word
    // index. Much slower, same puzzles; kept to check the search against.
    void UseReferenceScan(bool on) { referenceScan_ = on; }

private:
    using Trial = IndexedSearch::Trial;

    bool PrepareStart(const GenerationSettings& settings);
    int32_t DrawStartWord(const GenerationSettings& settings, Direction direction);
    void RunPasses(const GenerationSettings& settings, int32_t passCount);
    void ChainStep();
    void FreeStep();
    void FillPass(int32_t lastEntry);
    // The next entry from `from` on that gets a turn: with the search, the first
    // whose turn matters; for the scan, every available entry that fits.
    std::optional<Trial> NextInChain(int32_t from, Direction direction, const Placement& anchor);
    std::optional<Trial> NextOnWholeGrid(int32_t from, int32_t last, Direction direction,
                                         int32_t minCrossings);
    // One entry's turn on the whole grid: in the current direction and, when that
    // fails and the word fits the other, in the other. A failed attempt turns the
    // direction; a placement turns it away from the placed word.
    std::optional<Placement> TryOnWholeGrid(const Trial& trial, int32_t minCrossings);
    // One placement attempt in a window: the scan (with the user's proposals when
    // they are on), or the search's known result.
    std::optional<Placement> Attempt(const Trial& trial, int32_t minCrossings,
                                     const StartWindow& window, Direction direction);
    bool IsAvailable(int32_t entry) const;
    void Placed(const Placement& placed);
    GenerationOutcome Stop(Direction direction);

    Puzzle& puzzle_;
    const Vocabulary& words_;
    UserDialogs& dialogs_;
    RandomSource& random_;
    bool referenceScan_ = false;
    // During a run: its own state and the placer working on it.
    std::unique_ptr<GenerationRun> run_;
    std::unique_ptr<WordPlacer> placer_;
    std::unique_ptr<IndexedSearch> search_; // during a run, unless every attempt is scanned
};
