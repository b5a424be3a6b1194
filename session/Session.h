#pragma once

#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/PuzzleStatistics.h"
#include "model/RandomSource.h"
#include "model/SolutionWord.h"
#include "model/Solver.h"
#include "model/SolvingSession.h"
#include "model/UserDialogs.h"
#include "model/ViewFlags.h"
#include "model/Vocabulary.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// What the main window holds and what its commands do, without the window:
// the loaded words, the one value of the settings, the puzzle, solving on
// screen and what the grid shows. The window asks the user, words and shows
// the outcomes and draws; tests drive the commands directly. Texts are
// Windows-1252.
class Session {
public:
    // All random choices come from one generator seeded here: from the clock
    // in the program, from a fixed seed in tests.
    explicit Session(uint64_t seed);

    // --- State ----------------------------------------------------------------
    const Puzzle& CurrentPuzzle() const { return puzzle_; }
    const Vocabulary& Words() const { return *words_; }
    const GenerationSettings& Settings() const { return settings_; }
    const SolvingSession& Solving() const { return solving_; }
    const ViewFlags& View() const { return view_; }
    // The file name (with extension, without folder) of the table or puzzle
    // file loaded last; "NoName" before.
    const std::string& SourceName() const { return sourceName_; }

    // --- "&Einstellungen" -------------------------------------------------------
    // The settings dialog's value, in force at once. The puzzle carries the
    // settings' solution word while its box is checked.
    void SetSettings(const GenerationSettings& settings);
    // Do the settings ask for another grid size than the grid has?
    bool SizeChangeAsked() const;
    // Gives the grid the settings' size, empty and with the border bars; the
    // old solution, its marks and the solver's entries are no longer shown.
    void ApplySize();

    // --- "Ö&ffnen" --------------------------------------------------------------
    // Replaces the words by those of the table and its short-word table. A
    // table that cannot be read throws WabolexError and changes nothing. Without
    // a readable short-word table the main words are loaded all the same, and
    // the reason is returned.
    std::optional<std::string> LoadTable(const std::filesystem::path& table);

    // --- "&Generieren", the solution word, "S&tatistik" ---------------------------
    // A run on the current grid, with the words in a drawn order when the
    // settings ask to mix them. The solution word is the next step.
    GenerationOutcome Generate(UserDialogs& dialogs);
    // The settings' solution word into the grid, after a generation and for
    // "neue Position".
    SolutionWord::Outcome PlaceSolutionWord();
    // "&löschen": no cell is marked; the marks stay shown, they name no cell.
    void ClearSolutionMarks();
    PuzzleStatistics Statistics() const;

    // --- Puzzle files -------------------------------------------------------------
    // The name the save dialog proposes.
    std::string ProposedPuzzleName() const;
    // Throws WabolexError when the puzzle could not be read back from its file.
    void CheckSavable() const;
    void SavePuzzle(const std::filesystem::path& file) const;
    // Reads and checks the whole file before anything changes; then the file's
    // puzzle, its size and solution word into the settings, its name as the
    // source, and solving starts.
    void LoadPuzzle(const std::filesystem::path& file);
    // Puts a puzzle made elsewhere (a test's, a screenshot's) in place, shown
    // as given, with the settings' solution word and no solver's entries.
    void ShowPuzzle(const Puzzle& puzzle, const ViewFlags& view);

    // --- Solving on screen ------------------------------------------------------------
    void StartSolving();
    // "&Anzeigen" of the solution; true when solving was running.
    bool ShowSolution();
    Solver::KeyOutcome Key(int32_t column, int32_t row, unsigned char key);
    void EndSolving();
    Solver::PeekOutcome Peek(int32_t column, int32_t row, const std::function<void()>& repaintNow);
    // Typing follows this direction after a letter (none: the cell stays).
    void SetTypingDirection(std::optional<Direction> direction);

private:
    RandomSource random_;
    std::shared_ptr<const Vocabulary> words_;
    GenerationSettings settings_;
    Puzzle puzzle_;
    SolvingSession solving_;
    ViewFlags view_;
    std::string sourceName_ = "NoName";
};
