#pragma once

#include "model/Direction.h"
#include "model/GenerationRun.h"
#include "model/Placement.h"
#include "model/Puzzle.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Placing one word: the scan of a window of start positions, the proposal to
// the user, and the commit that writes letters, marks, start number and bars and
// takes the word's run of equal entries out of the running generation. The scan
// examines every position of the window; it is the reference for the indexed
// search of the driver.
class WordPlacer {
public:
    // Places into the puzzle's grid the words of the run's vocabulary.
    WordPlacer(Puzzle& puzzle, GenerationRun& run, UserDialogs& dialogs, RandomSource& random);

    // Is the entry's word strictly shorter than the grid side of the direction?
    // An empty word fits nowhere.
    bool WordFits(int32_t entry, Direction direction) const;
    // Would the word lie between bars (or the top/left border) on both long sides?
    bool IsFenced(int32_t column, int32_t row, int32_t length, Direction direction) const;

    // Scans the window rows outermost, columns inside, and places the entry's word
    // at the first position where its letters agree with the grid, it crosses at
    // least minCrossings words and is not fenced in. With propose, each such
    // position is first shown to the user: No goes on with the next one, Cancel
    // places the word here and clears the run's ConfirmInsertions. Positions
    // whose word would leave the grid are skipped. nullopt when nothing was placed.
    std::optional<Placement> PlaceWord(int32_t entry, int32_t minCrossings,
                                       const StartWindow& window, Direction direction,
                                       bool propose);

    // The tests PlaceWord makes at one position inside the grid: the letters agree,
    // at least minCrossings crossings, not fenced in.
    bool Acceptable(int32_t entry, int32_t column, int32_t row, int32_t minCrossings,
                    Direction direction) const;

    // Writes the entry's word at a position that passed the tests of PlaceWord
    // and records in the run where it starts. The random draw of the clue
    // among equal entries happens here.
    Placement Commit(int32_t entry, int32_t column, int32_t row, Direction direction);

private:
    // Letter and mark test plus crossing count; -1 when the letters reject.
    int32_t CountCrossings(std::string_view word, int32_t column, int32_t row,
                           Direction direction) const;
    bool Acceptable(std::string_view word, int32_t column, int32_t row, int32_t minCrossings,
                    Direction direction) const;
    // Shows the proposal; true when the word is to be placed here.
    bool Propose(int32_t entry, int32_t column, int32_t row, Direction direction);

    Puzzle& puzzle_;
    GenerationRun& run_;
    UserDialogs& dialogs_;
    RandomSource& random_;
};
