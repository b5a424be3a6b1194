#pragma once

#include "files/ExportOptions.h"
#include "files/OutputVariant.h"
#include "model/Puzzle.h"

class OutputFile;

// The puzzle on one sheet of paper, as a PDF file: a title line (and the
// author), the grid as large as it can be while the clues still fit on the
// page, the solution word's boxes under the grid, the clues in columns under
// "Waagerecht" and "Senkrecht" with bold numbers beside and below the grid,
// and the copyright at the foot. When the clues cannot fit on the page with
// the grid at a readable size, the grid takes the page's width and the clues
// go on over further pages. Black and white, fonts embedded; the solution
// sheet has the letters in the grid and in the boxes. Beside the print, which
// keeps its own pages.
class PuzzleSheet {
public:
    // What the layout chose, in points (1/72 inch).
    struct Plan {
        double Cell = 0;     // side of a grid cell
        double FontSize = 0; // of the clue texts
        int Pages = 0;
    };

    static Plan PlanOf(const Puzzle& puzzle, const ExportOptions& options);

    // The PDF into a file being written; the caller commits it. Failures
    // throw WabolexError with a German message.
    static void Write(const Puzzle& puzzle, OutputVariant variant, const ExportOptions& options,
                      OutputFile& file);
};
