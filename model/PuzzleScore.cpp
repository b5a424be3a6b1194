#include "model/PuzzleScore.h"

#include "base/Cp1252.h"
#include "model/Puzzle.h"

#include <tuple>

namespace {

// Cells from (column, row) on up to and including the first with a bar in
// the direction (the grid's border carries one).
int32_t WordLength(const Puzzle& puzzle, int32_t column, int32_t row, Direction direction) {
    int32_t length = 0;
    while (puzzle.Grid.Contains(column, row)) {
        const TGridCell& cell = puzzle.Grid.At(column, row);
        ++length;
        if (direction == Direction::Across ? cell.BarRight : cell.BarBelow) {
            break;
        }
        (direction == Direction::Across ? column : row) += 1;
    }
    return length;
}

} // namespace

PuzzleScore PuzzleScore::Of(const Puzzle& puzzle, SolutionWord word) {
    PuzzleScore score;
    score.Word = word;
    for (int32_t row = 0; row < puzzle.Rows; ++row) {
        for (int32_t column = 0; column < puzzle.Columns; ++column) {
            const TGridCell& cell = puzzle.Grid.At(column, row);
            score.BlackCells += cell.Letter == '.' ? 1 : 0;
            score.Crossings += cell.Mark.IsCrossing() ? 1 : 0;
            if (cell.AcrossNo > 0 && WordLength(puzzle, column, row, Direction::Across) == 2) {
                ++score.TwoLetterAnswers;
            }
            if (cell.DownNo > 0 && WordLength(puzzle, column, row, Direction::Down) == 2) {
                ++score.TwoLetterAnswers;
            }
        }
    }
    return score;
}

bool PuzzleScore::BetterThan(const PuzzleScore& other) const {
    const auto key = [](const PuzzleScore& s) {
        return std::make_tuple(s.Word != SolutionWord::NotFound, -s.BlackCells, s.Crossings,
                               -s.TwoLetterAnswers);
    };
    return key(*this) > key(other);
}

std::string PuzzleScore::Text() const {
    std::string word;
    switch (Word) {
    case SolutionWord::Placed:
        word = W("Lösungswort gefunden");
        break;
    case SolutionWord::NotAsked:
        word = W("ohne Lösungswort");
        break;
    case SolutionWord::NotFound:
        word = W("Lösungswort nicht gefunden");
        break;
    }
    return word + ", " + std::to_string(BlackCells) + " schwarze Felder, " +
           std::to_string(Crossings) + W(" Überschneidungen, ") + std::to_string(TwoLetterAnswers) +
           " Antworten mit 2 Buchstaben";
}
