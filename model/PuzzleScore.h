#pragma once

#include <cstdint>

class CommonWords;
class Puzzle;

// What makes one generated puzzle better than another made from the same
// table and settings, in this order: the solution word was placed (or none was
// asked for), fewer black cells, a higher share of answers among the most
// common words, more crossings, fewer answers of two letters. Used to keep the
// best of several tries.
struct PuzzleScore {
    enum class SolutionWord { Placed, NotAsked, NotFound };

    SolutionWord Word = SolutionWord::NotAsked;
    int32_t BlackCells = 0;
    int32_t Answers = 0;          // words across and down
    int32_t CommonAnswers = 0;    // of them among the common words
    int32_t Crossings = 0;        // cells marked '+'
    int32_t TwoLetterAnswers = 0; // words of two cells, across and down

    // Counts the numbered grid: a word runs from its numbered start cell up to
    // the first bar in its direction. Without a list of common words none is
    // common, and the share decides nothing.
    static PuzzleScore Of(const Puzzle& puzzle, SolutionWord word,
                          const CommonWords* common = nullptr);

    // Strictly better by the order above; equal scores are no improvement.
    bool BetterThan(const PuzzleScore& other) const;

    // The share of common answers in whole percent, rounded down.
    int32_t CommonPercent() const;
};
