#pragma once

#include "files/Canvas.h"
#include "files/OutputVariant.h"
#include "model/Puzzle.h"

#include <string>
#include <vector>

// What the print needs to know of the page: the printable area in 0.1 mm
// (whole millimetres, as the printer reports them) and the printer's vertical
// resolution, which sets the size of the clue lines.
struct PrintPage {
    int Width = 2100;
    int Height = 2970;
    int DpiY = 600;
};

// One grid page: a band of at most 22 columns and 32 rows.
struct GridBand {
    int FirstColumn = 0;
    int FirstRow = 0;
    int Columns = 0;
    int Rows = 0;
    bool operator==(const GridBand&) const = default;
};

// The printed puzzle in 0.1 mm units, y downwards from the top left of the
// printable area: grid pages of 8 mm cells, then clue pages with several clues
// per line. Everything is black. The solution variant adds the letters.
class PrintPuzzle {
public:
    static constexpr int BandColumns = 22;
    static constexpr int BandRows = 32;

    // Row band by row band from the top, within one from the left.
    static std::vector<GridBand> GridBands(int columns, int rows);

    // The whole job between its start and its end: every grid page closed by a
    // page break, then the clue pages. caption is the window's title (cp1252).
    static void Draw(Canvas& canvas, const PrintPage& page, const Puzzle& puzzle,
                     const std::string& caption, OutputVariant variant);
};
