#pragma once

#include "files/Canvas.h"
#include "files/CellStyle.h"
#include "files/OutputVariant.h"
#include "model/SolutionMark.h"
#include "model/TGridCell.h"

#include <QColor>
#include <QPoint>

#include <cstdint>
#include <span>
#include <string>

// Draws the parts of a grid cell and the solution-word row on a canvas, in one
// style (which must outlive the painter). The screen puts the parts together by its view; the export and the
// print draw whole cells.
class CellPainter {
public:
    CellPainter(Canvas& canvas, const CellStyle& style) : canvas_(canvas), style_(style) {}

    const CellStyle& Style() const { return style_; }

    // A cell of the export or the print with its top-left corner at corner:
    // black without a letter, else the letter (solution only) and the number;
    // then its bars.
    void OutputCell(QPoint corner, const TGridCell& cell, OutputVariant variant);

    // The whole cell square filled black.
    void Black(QPoint corner);
    void Letter(QPoint corner, char letter, QColor colour);
    // The number in decimal; nothing for 0 or less.
    void Number(QPoint corner, int32_t number);
    // The bars on the cell's right and bottom edge.
    void Bars(QPoint corner, const TGridCell& cell);
    // One solution mark with its position number.
    void Mark(QPoint corner, int32_t position);
    // Every one of marks that names the cell (column, row).
    void Marks(QPoint corner, std::span<const SolutionMark> marks, int32_t column, int32_t row);

    // The solution-word row below a grid whose bottom-left corner is at
    // gridBottomLeft: the word upper-cased (Windows-1252 rules), one box per
    // letter, the letters themselves in the solution only.
    void SolutionRow(QPoint gridBottomLeft, const std::string& solutionWord, OutputVariant variant);

private:
    Canvas& canvas_;
    const CellStyle& style_;
};
