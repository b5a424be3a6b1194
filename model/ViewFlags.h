#pragma once

// What the main window's grid shows. At most one of the three views is set.
struct ViewFlags {
    bool ShowGenerated = false; // the generated letters, coloured by their marks
    bool ShowSolution = false;  // clue numbers and the solution letters
    bool Solving = false;       // clue numbers and the solver's entries; keys act

    // A generation begins a new puzzle: its letters are shown as they are placed.
    void ShowNewPuzzle() {
        ShowGenerated = true;
        ShowSolution = false;
        Solving = false;
    }

    // A new grid size shows neither the old solution nor the old entries.
    void ForgetOldGrid() {
        Solving = false;
        ShowSolution = false;
    }
};
