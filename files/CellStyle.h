#pragma once

#include "files/Canvas.h"

#include <QColor>
#include <QPoint>

// How one output draws the cells of the grid, in the units of its canvas:
// offsets are from the top-left corner of a cell (or of a box of the
// solution-word row). The screen (ScreenStyle in ui/ScreenCanvas.h), the
// exported bitmap and the print differ only in these measures, fonts and colours.
struct CellStyle {
    int Cell = 0; // side of a cell square

    QPoint LetterAt; // a letter in a cell
    CanvasFont LetterFont;
    QColor LetterColour; // the solution's letters in the grid
    QPoint NumberAt;     // a clue number, always black
    CanvasFont NumberFont;

    int BarWidth = 0;
    int BarInset = 0; // a bar stops this far short of each corner of its edge

    // A solution mark: a circle inset one unit from the cell, open between the
    // radials through the two points, its position number in the opening.
    int MarkWidth = 0;
    QColor MarkColour;
    QPoint MarkArcFrom;
    QPoint MarkArcTo;
    QPoint MarkNumberAt; // for positions 1..9; from 10 on 4 units further left
    CanvasFont MarkNumberFont;

    // The solution-word row below the grid: "Lösungswort", then one box of a
    // cell's size per letter with its position number (and, in the solution,
    // the letter in black).
    int RowLabelDrop = 0; // from the grid's bottom edge to the label
    CanvasFont RowLabelFont;
    int RowLineWidth = 0;
    QPoint RowNumberAt;
    CanvasFont RowNumberFont;
    QPoint RowLetterAt;

    // The exported bitmap: 40-pixel cells, red solution letters and marks.
    static const CellStyle& Export();
    // The print in 0.1 mm: 8 mm cells, everything black.
    static const CellStyle& Print();
};
