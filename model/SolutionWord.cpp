#include "model/SolutionWord.h"

#include "base/Cp1252.h"
#include "model/Puzzle.h"
#include "model/RandomSource.h"

#include <algorithm>

namespace {

bool MarkedIn(const TSolutionMarks& marks, int32_t column, int32_t row, int32_t count) {
    const int32_t limit = std::clamp<int32_t>(count, 0, MaxSolutionLength);
    for (int32_t k = 0; k < limit; ++k) {
        const SolutionMark& mark = marks[static_cast<size_t>(k)];
        if (mark.Column == column && mark.Row == row) {
            return true;
        }
    }
    return false;
}

// Finds, column by column, a free cell for every letter. Works on a copy, so that
// a failed search leaves the current marking as it is.
bool AllLettersPresent(const Puzzle& puzzle, const std::string& word) {
    TSolutionMarks trial = puzzle.SolutionMarks;
    int32_t found = 0;
    for (size_t p = 0; p < word.size(); ++p) {
        bool hit = false;
        for (int32_t column = 0; column < puzzle.Columns && !hit; ++column) {
            for (int32_t row = 0; row < puzzle.Rows && !hit; ++row) {
                if (puzzle.Grid.At(column, row).Letter == word[p] &&
                    !MarkedIn(trial, column, row, found)) {
                    trial[p].Column = column;
                    trial[p].Row = row;
                    ++found;
                    hit = true;
                }
            }
        }
    }
    return found == static_cast<int32_t>(word.size());
}

} // namespace

bool SolutionWord::IsMarked(const Puzzle& puzzle, int32_t column, int32_t row, int32_t count) {
    return MarkedIn(puzzle.SolutionMarks, column, row, count);
}

std::string SolutionWord::Searched(std::string_view word) {
    // There are marks for at most 20 letters.
    return Cp1252::ToUpper(word.substr(0, MaxSolutionLength));
}

SolutionWord::Outcome SolutionWord::Place(Puzzle& puzzle, std::string_view solutionWord,
                                          RandomSource& random) {
    const std::string word = Searched(solutionWord);
    if (!AllLettersPresent(puzzle, word)) {
        return Outcome::NotFound;
    }
    // Every letter has a free cell of its own, so the random draws end.
    puzzle.SolutionWordShown = true;
    for (size_t p = 0; p < word.size(); ++p) {
        const auto found = static_cast<int32_t>(p);
        int32_t column = 0;
        int32_t row = 0;
        do {
            column = random.Random(puzzle.Columns);
            row = random.Random(puzzle.Rows);
        } while (puzzle.Grid.At(column, row).Letter != word[p] ||
                 IsMarked(puzzle, column, row, found));
        puzzle.SolutionMarks[p] = SolutionMark{column, row, found + 1};
    }
    return Outcome::Placed;
}
