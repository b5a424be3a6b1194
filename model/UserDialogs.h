#pragma once

#include <string>

struct PuzzleStatistics;

// The few decisions and signals a command needs from the user while it runs.
// The window answers with message boxes, the tests with scripted answers, the
// command-line program without asking. All texts are Windows-1252.
class UserDialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserDialogs() = default;

    // "Startbegriff": Yes accepts the start word, No draws another.
    virtual bool ConfirmStartWord(const std::string& text) = 0;
    // "Zufrieden": the proposed word is already written into the grid; the cell
    // just past the word is the one to select. Escape answers Cancel.
    virtual Answer ConfirmPlacement(const std::string& text, int column, int row) = 0;
    // A generation begins a new puzzle: grid, marks and numbering are about to
    // be cleared. A window shows the new puzzle's letters from here on.
    virtual void BeginNewPuzzle() {}
    // The grid should be drawn again from the current state, now.
    virtual void Repaint() = 0;
    // Busy cursor on or off.
    virtual void SetBusy(bool busy) = 0;
    // An error box with an OK button.
    virtual void ShowError(const std::string& text) = 0;
    // An error box with a single Retry button.
    virtual void ShowRetryError(const std::string& text) = 0;
    // The modal statistics window, after numbering and before the clue list.
    virtual void ShowStatistics(const PuzzleStatistics& statistics) = 0;
};

// A run without a user (the command line, benchmarks, tests): every start word
// and every proposal is accepted, nothing is shown. The errors may still be
// reported by overriding ShowError and ShowRetryError.
class AcceptingDialogs : public UserDialogs {
public:
    bool ConfirmStartWord(const std::string&) override { return true; }
    Answer ConfirmPlacement(const std::string&, int, int) override { return Answer::Yes; }
    void Repaint() override {}
    void SetBusy(bool) override {}
    void ShowError(const std::string&) override {}
    void ShowRetryError(const std::string&) override {}
    void ShowStatistics(const PuzzleStatistics&) override {}
};
