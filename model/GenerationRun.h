#pragma once

#include "model/Direction.h"
#include "model/Placement.h"
#include "model/Vocabulary.h"

#include <cstdint>
#include <vector>

// What one run of "&Generieren" keeps for itself while it fills the grid, so
// that the vocabulary stays untouched and many runs can read it at once: which
// words are still free, whether placements are proposed, the direction of the
// next word and the newest word (the anchor), where each word starts, and after
// numbering which word carries which clue number.
class GenerationRun {
public:
    // Every word free, no word placed, nothing numbered.
    GenerationRun(const Vocabulary& words, int32_t columns, int32_t rows);

    const Vocabulary& Words;

    // 1 while the entry's word may still be placed in this run.
    std::vector<uint8_t> Available;
    // While set, each placement of the passes is first shown for confirmation;
    // a Cancel clears it.
    bool ConfirmInsertions = false;
    Direction Dir = Direction::Across;
    Placement Anchor;

    // The entry whose word starts in a cell, per direction (0: none), until
    // the words are numbered: the clue chosen among equal entries.
    int32_t& StartAt(int32_t column, int32_t row, Direction direction);
    int32_t StartAt(int32_t column, int32_t row, Direction direction) const;

    // Numbering: index n holds the entry of the word numbered n, or 0. There
    // are as many places as cells (clue numbers start at 1).
    int32_t& WordAt(int32_t number, Direction direction);
    int32_t WordAt(int32_t number, Direction direction) const;
    int32_t CellCount() const { return columns_ * rows_; }

private:
    int32_t columns_;
    int32_t rows_;
    std::vector<int32_t> starts_;   // per cell, across and down
    std::vector<int32_t> numbered_; // per number, across and down
};
