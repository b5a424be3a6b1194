#pragma once

#include "model/Direction.h"
#include "model/Vocabulary.h"

#include <string_view>

struct PuzzleStatistics;

// The few decisions and signals a generation needs from the user while it
// runs. The window answers with message boxes, the tests with scripted answers,
// the command-line program without asking. The model asks with what it knows
// (direction, word, clue); the one who asks the user words the question.
class UserDialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserDialogs() = default;

    // "Startbegriff": Yes accepts the start word, No draws another.
    virtual bool ConfirmStartWord(Direction direction, const VocabularyEntry& entry) = 0;
    // "Zufrieden": the proposed word is already written into the grid; the cell
    // just past the word is the one to select. Escape answers Cancel.
    virtual Answer ConfirmPlacement(Direction direction, std::string_view word, int column,
                                    int row) = 0;
    // A generation begins a new puzzle: grid, marks and numbering are about to
    // be cleared. A window shows the new puzzle's letters from here on.
    virtual void BeginNewPuzzle() {}
    // The grid should be drawn again from the current state, now.
    virtual void Repaint() = 0;
    // Busy cursor on or off.
    virtual void SetBusy(bool busy) = 0;
    // The modal statistics window, after numbering and before the clue list.
    virtual void ShowStatistics(const PuzzleStatistics& statistics) = 0;
};

// A run without a user (the command line, benchmarks, tests): every start word
// and every proposal is accepted, nothing is shown.
class AcceptingDialogs : public UserDialogs {
public:
    bool ConfirmStartWord(Direction, const VocabularyEntry&) override { return true; }
    Answer ConfirmPlacement(Direction, std::string_view, int, int) override { return Answer::Yes; }
    void Repaint() override {}
    void SetBusy(bool) override {}
    void ShowStatistics(const PuzzleStatistics&) override {}
};
