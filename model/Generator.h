#pragma once

#include "model/Direction.h"
#include "model/GenerationSettings.h"
#include "model/Puzzle.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How a run of "&Generieren" ended.
enum class GenerationOutcome {
    NotRun,               // refused before changing anything, or stopped with a message
    Generated,            // a numbered puzzle with its clue rows (and solution word if asked)
    SolutionWordNotFound, // generated, but the solution word could not be placed
};

// The generator: the run of "&Generieren" and its placement search.
//
// The search accepts the first position in scan order (rows outermost, columns
// inside) whose letters agree with the grid, that crosses enough words and is
// not fenced in by bars. Where at least one crossing is needed, only positions
// that cross some word can be accepted, so the generator keeps, per row and per
// column, a bit set of the cells a word of the other direction could cross and
// tests just those positions, in the same order. The puzzles are the same as
// with a scan over every position (see UseReferenceScan).
class Generator {
public:
    Generator(Puzzle& puzzle, UserDialogs& dialogs, RandomSource& random);

    GenerationOutcome RGenerieren(const GenerationSettings& settings);

    // Is the entry's word strictly shorter than the grid side of the direction?
    // An empty word fits nowhere.
    bool WordFits(int32_t entry, Direction direction) const;
    // Would the word lie between bars (or the top/left border) on both long sides?
    bool IsFenced(int32_t column, int32_t row, int32_t length, Direction direction) const;

    struct Anchor {
        int32_t Column = 0;
        int32_t Row = 0;
        int32_t Length = 0;
    };
    // Scans the window rows outermost, columns inside; commits the first acceptable
    // position. Returns Found. confirm is cleared by a Cancel answer. Positions whose
    // word would leave the grid are skipped.
    bool PlaceWord(const std::string& word, int32_t index, int32_t length, int32_t minCrossings,
                   int32_t columnFrom, int32_t columnTo, int32_t rowFrom, int32_t rowTo,
                   bool& confirm, Direction& direction, Anchor& anchor);

    // Examine every position of a window instead of only the crossing ones. Slower,
    // same puzzles; kept to check the fast search against.
    void UseReferenceScan(bool on) { referenceScan_ = on; }

    // A word as the grid holds it: at most 15 characters.
    static std::string_view GridWord(const TWordEntry& entry);

private:
    // A set of up to 128 cell positions along one row or one column.
    using Bits = unsigned __int128;
    static constexpr int kTakenSlot = 256;    // cells a word of the line's direction uses
    static constexpr int kLetteredSlot = 257; // crossable cells that hold a letter
    static constexpr int kPresentSlot = 258;  // two slots: letters with a crossable cell
    static constexpr int kSlots = 260;        // per letter, then the four above

    bool PrepareStart(const GenerationSettings& settings, Direction& direction);
    int32_t DrawStartWord(const GenerationSettings& settings, Direction direction);
    void RunPasses(const GenerationSettings& settings, int32_t passCount, Direction& direction,
                   Anchor& anchor);
    void ChainStep(Direction& direction, Anchor& anchor);
    void FreeStep(Direction& direction, Anchor& anchor);
    void FillPass(int32_t lastEntry, Direction& direction, Anchor& anchor);
    bool TryOnWholeGrid(int32_t entry, int32_t minCrossings, Direction& direction, Anchor& anchor);
    void StopWithMessage(Direction direction);

    bool PlaceWordInRun(const std::string& word, int32_t index, int32_t length,
                        int32_t minCrossings, int32_t columnFrom, int32_t columnTo, int32_t rowFrom,
                        int32_t rowTo, bool& confirm, Direction& direction, Anchor& anchor);
    // Letter and mark test plus crossing count; -1 when the letters reject.
    int32_t CountCrossings(const std::string& word, int32_t column, int32_t row,
                           Direction direction) const;
    // The tests of one position; true when it may be proposed or taken.
    bool Acceptable(const std::string& word, int32_t column, int32_t row, int32_t minCrossings,
                    Direction direction) const;
    // Shows the proposal; true when the word is to be placed here.
    bool Propose(const std::string& word, int32_t index, int32_t column, int32_t row,
                 Direction direction, bool& confirm);
    void Commit(const std::string& word, int32_t index, int32_t column, int32_t row,
                Direction direction);

    // The crossing index: per line and letter, the cells of that line holding the
    // letter in a word of the other direction only; and the cells that block.
    void RebuildIndex();
    void IndexCell(int32_t column, int32_t row, const TGridCell& cell, bool add);
    struct LetterSet {
        Bits Low = 0;  // letters 0..127
        Bits High = 0; // letters 128..255
    };
    static LetterSet LettersOf(const std::string& word);
    // The start positions from..to along the line whose word crosses a word there.
    Bits CrossingStarts(const std::string& word, const LetterSet& letters, Direction direction,
                        int32_t line, int32_t from, int32_t to) const;

    Puzzle& puzzle_;
    UserDialogs& dialogs_;
    RandomSource& random_;
    bool referenceScan_ = false;
    bool inRun_ = false;
    // [direction][line * kSlots + slot]: across lines are rows (bits = columns),
    // down lines are columns (bits = rows).
    std::vector<Bits> crossable_[2];
    std::vector<Bits>& Crossable(Direction direction) {
        return crossable_[static_cast<size_t>(direction)];
    }
};
