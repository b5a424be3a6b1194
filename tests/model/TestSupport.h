#pragma once

// Helpers for the model tests: grids as ASCII pictures, scripted user answers,
// scripted random draws and a vocabulary built in the test.

#include "model/Puzzle.h"
#include "model/PuzzleStatistics.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"
#include "model/Vocabulary.h"

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Letters and bars, one text line per line of the picture:
//   +-+-+-+     top border
//   |A B|.|     letter, then '|' for a bar on its right edge or ' '
//   +-+ +-+     '-' for a bar below the cell or ' '
std::string BarPicture(const Puzzle& puzzle);
// One line per row: the marks, with ' ' shown as '.'.
std::string MarkPicture(const Puzzle& puzzle);
// One line per row: the letters.
std::string LetterPicture(const Puzzle& puzzle);
// An expected picture written as a raw string that starts on the line after R"(
// and ends with a line break: the leading line break is dropped.
std::string Picture(const char* raw);

// Sizes the grid after the pictures, resets it and writes letters and marks:
// letters as in the picture ('.' black), marks with '.' for ' '.
void SetGrid(Puzzle& puzzle, const std::vector<std::string>& letters,
             const std::vector<std::string>& marks);

// Main words and short words as given; the clue of a word is "<word> clue <n>".
Vocabulary Words(const std::vector<std::string>& mainWords,
                 const std::vector<std::string>& shortWords = {});

// A vocabulary of pseudo-random words (fixed seed) with lengths 2..15, longest
// first, some equal words next to each other; plus short words of 2..3 letters.
Vocabulary SyntheticWords(int mainCount, int shortCount, uint32_t seed);

// Answers given from queues; what was asked is recorded.
class ScriptedDialogs : public UserDialogs {
public:
    std::deque<bool> StartAnswers;       // empty: Yes
    std::deque<Answer> PlacementAnswers; // when empty: DefaultPlacement
    Answer DefaultPlacement = Answer::Yes;
    const Puzzle* Watched = nullptr; // its letters are recorded at every proposal
    std::vector<std::string> LettersAtProposal;

    // What was asked, as "waagerecht - WORT : Umschreibung" and "senkrecht - WORT".
    std::vector<std::string> StartTexts;
    std::vector<std::string> PlacementTexts;
    std::vector<std::pair<int, int>> SelectedCells;
    std::vector<PuzzleStatistics> Statistics;
    std::vector<std::string> Events; // "busy", "new", "idle", "repaint", "start", "place", ...
    bool Busy = false;

    bool ConfirmStartWord(Direction direction, const VocabularyEntry& entry) override;
    Answer ConfirmPlacement(Direction direction, std::string_view word, int column,
                            int row) override;
    void BeginNewPuzzle() override { Events.push_back("new"); }
    void Repaint() override { Events.push_back("repaint"); }
    void SetBusy(bool busy) override;
    void ShowStatistics(const PuzzleStatistics& statistics) override;
};

// Returns the queued values first (each must be below the asked n), then
// continues with the seeded sequence. Records every n asked for.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int32_t> values, uint64_t seed = 1)
        : RandomSource(seed), values_(values.begin(), values.end()) {}
    int32_t Random(int32_t n) override;

    std::vector<int32_t> Asked;

private:
    std::deque<int32_t> values_;
};

} // namespace testing_support
