#pragma once

#include <cstdint>
#include <string>

class Puzzle;
class RandomSource;
class UserDialogs;

// The solution word: its letters circled in cells that hold the same letters.
class SolutionWord {
public:
    // Does one of the first count marks name this cell?
    static bool IsMarked(const Puzzle& puzzle, int32_t column, int32_t row, int32_t count);

    // Upper-cases the word (Windows-1252 rules), checks that the grid holds all
    // its letters in separate cells and marks them in random cells. When a letter
    // is missing: the retry error "Lösungswort <WORD> NICHT gefunden", the marks
    // and SolutionWordShown stay as they were, and the result is false.
    static bool PlaceSolutionWord(Puzzle& puzzle, const std::string& solutionWordText,
                                  RandomSource& random, UserDialogs& dialogs);
};
