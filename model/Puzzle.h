#pragma once

#include "model/ClueRow.h"
#include "model/GridSide.h"
#include "model/SolutionMark.h"
#include "model/TFeld.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The puzzle: grid with its numbered words and bars, clue rows and the
// solution word with its marks; what puzzle files, export and print read. Plain
// data with a few shared operations; the commands that change it live in their
// own classes. The words it is made from are a Vocabulary, a run's state is its
// GenerationRun, solving on screen keeps its own state (SolvingSession), and
// what the window shows is its own (ViewFlags).
class Puzzle {
public:
    Puzzle(); // 15 x 15 black cells without any bar, no marks shown

    // Grid size: within the bounds above once set by the settings or a puzzle file.
    int32_t Columns = StartGridSide;
    int32_t Rows = StartGridSide;
    TFeld Grid;

    // The solution word the puzzle carries, as its file's last line holds it:
    // the settings' word while their solution-word box is checked, nullopt
    // ("*") while it is not (Windows-1252).
    std::optional<std::string> SolutionWord = "HOCHZEITSTAG";
    TSolutionMarks SolutionMarks;
    // The marks hold a placed solution word that is drawn, printed and exported.
    bool SolutionWordShown = false;
    std::vector<ClueRow> ClueRows; // the clue list; one empty row before any puzzle

    // Sets Columns and Rows and gives Grid that shape (cells empty, no bars).
    void ResizeGrid(int32_t columns, int32_t rows);
    // Every cell '.', ' ', 0, 0; bars exactly on the right and bottom border.
    void ResetGrid();
    void ClearSolutionMarks();
    // The marks that are drawn, printed and exported: none unless a solution
    // word is shown, else one per letter of the solution word (at most 20).
    std::span<const SolutionMark> ShownMarks() const;
};
