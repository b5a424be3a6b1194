#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class Puzzle;
class RandomSource;

// The solution word: its letters circled in cells that hold the same letters.
class SolutionWord {
public:
    enum class Outcome {
        Placed,   // the marks name a cell for every letter; SolutionWordShown is set
        NotFound, // a letter has no free cell: marks and SolutionWordShown as they were
    };

    // Does one of the first count marks name this cell?
    static bool IsMarked(const Puzzle& puzzle, int32_t column, int32_t row, int32_t count);

    // The word as it is searched: its first 20 characters in capitals by
    // Windows-1252 rules.
    static std::string Searched(std::string_view word);

    // Checks that the grid holds every letter of the searched word in cells of
    // their own, then marks them in random cells. The step after every
    // generation that asks for a solution word, in the window and on the
    // command line alike, and of "neue Position".
    static Outcome Place(Puzzle& puzzle, std::string_view word, RandomSource& random);
};
