#pragma once

#include "model/ClueRow.h"
#include "model/SolutionMark.h"
#include "model/TFeld.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The grid's size: columns and rows each within these bounds.
constexpr int32_t MinGridSide = 5;
constexpr int32_t MaxGridSide = 99;
constexpr int32_t StartGridSide = 15; // at start-up, and where no size is given

constexpr bool IsGridSide(int32_t side) {
    return side >= MinGridSide && side <= MaxGridSide;
}

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

    // The solution word: the text of the settings' solution-word field, kept
    // equal to it by the window (Windows-1252, at most 20 characters there).
    std::string SolutionWord = "HOCHZEITSTAG";
    TSolutionMarks SolutionMarks;
    // The marks hold a placed solution word that is drawn, printed and exported.
    bool SolutionWordShown = false;
    std::vector<ClueRow> ClueRows; // the clue list; one empty row before any puzzle

    // Name of the current table or puzzle file ("NoName" at start-up).
    std::string SourceName = "NoName";

    // Sets Columns and Rows and gives Grid that shape (cells empty, no bars).
    void ResizeGrid(int32_t columns, int32_t rows);
    // Every cell '.', ' ', 0, 0; bars exactly on the right and bottom border.
    void ResetGrid();
    void ClearSolutionMarks();
    // The marks that are drawn, printed and exported: none unless a solution
    // word is shown, else one per letter of the solution word (at most 20).
    std::span<const SolutionMark> ShownMarks() const;
};
