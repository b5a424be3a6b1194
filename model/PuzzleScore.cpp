#include "model/PuzzleScore.h"

#include "model/CommonWords.h"
#include "model/Puzzle.h"

#include <algorithm>
#include <tuple>

namespace {

// The letters from (column, row) on up to and including the first cell with a
// bar in the direction (the grid's border carries one).
std::string WordAt(const Puzzle& puzzle, int32_t column, int32_t row, Direction direction) {
    std::string word;
    while (puzzle.Grid.Contains(column, row)) {
        const TGridCell& cell = puzzle.Grid.At(column, row);
        word += cell.Letter;
        if (direction == Direction::Across ? cell.BarRight : cell.BarBelow) {
            break;
        }
        (direction == Direction::Across ? column : row) += 1;
    }
    return word;
}

} // namespace

PuzzleScore PuzzleScore::Of(const Puzzle& puzzle, SolutionWord word, const CommonWords* common) {
    PuzzleScore score;
    score.Word = word;
    const auto count = [&](const std::string& answer) {
        ++score.Answers;
        score.TwoLetterAnswers += answer.size() == 2 ? 1 : 0;
        score.CommonAnswers += common != nullptr && common->Contains(answer) ? 1 : 0;
    };
    for (int32_t row = 0; row < puzzle.Rows; ++row) {
        for (int32_t column = 0; column < puzzle.Columns; ++column) {
            const TGridCell& cell = puzzle.Grid.At(column, row);
            score.BlackCells += cell.Letter == '.' ? 1 : 0;
            score.Crossings += cell.Mark.IsCrossing() ? 1 : 0;
            if (cell.AcrossNo > 0) {
                count(WordAt(puzzle, column, row, Direction::Across));
            }
            if (cell.DownNo > 0) {
                count(WordAt(puzzle, column, row, Direction::Down));
            }
        }
    }
    return score;
}

bool PuzzleScore::BetterThan(const PuzzleScore& other) const {
    const auto key = [](const PuzzleScore& s) {
        return std::make_tuple(s.Word != SolutionWord::NotFound, -s.BlackCells);
    };
    if (key(*this) != key(other)) {
        return key(*this) > key(other);
    }
    // The shares compared as fractions: no rounding decides.
    const int64_t mine = int64_t{CommonAnswers} * std::max(other.Answers, 1);
    const int64_t theirs = int64_t{other.CommonAnswers} * std::max(Answers, 1);
    if (mine != theirs) {
        return mine > theirs;
    }
    return std::make_tuple(Crossings, -TwoLetterAnswers) >
           std::make_tuple(other.Crossings, -other.TwoLetterAnswers);
}

int32_t PuzzleScore::CommonPercent() const {
    return Answers > 0 ? static_cast<int32_t>(int64_t{CommonAnswers} * 100 / Answers) : 0;
}
