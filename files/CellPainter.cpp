#include "files/CellPainter.h"

#include "base/Cp1252.h"

namespace {

const QColor kBlack(0, 0, 0);

} // namespace

void CellPainter::OutputCell(QPoint corner, const TGridCell& cell, OutputVariant variant) {
    if (cell.Letter == '.') {
        Black(corner);
    } else {
        if (variant == OutputVariant::Solution) {
            Letter(corner, cell.Letter, style_.LetterColour);
        }
        // The number comes after the letter and may cover part of it.
        Number(corner, cell.ShownNumber());
    }
    Bars(corner, cell);
}

void CellPainter::Black(QPoint corner) {
    canvas_.FillRect(QRect(corner.x(), corner.y(), style_.Cell, style_.Cell), kBlack);
}

void CellPainter::Letter(QPoint corner, char letter, QColor colour) {
    canvas_.Text(corner + style_.LetterAt, std::string(1, letter), style_.LetterFont, colour);
}

void CellPainter::Number(QPoint corner, int32_t number) {
    if (number > 0) {
        canvas_.Text(corner + style_.NumberAt, std::to_string(number), style_.NumberFont, kBlack);
    }
}

void CellPainter::Bars(QPoint corner, const TGridCell& cell) {
    const int near = style_.BarInset;
    const int far = style_.Cell - style_.BarInset;
    const int edge = style_.Cell;
    if (cell.BarRight == 1) {
        canvas_.SetPen(style_.BarWidth, kBlack);
        canvas_.Line(corner + QPoint(edge, near), corner + QPoint(edge, far));
    }
    if (cell.BarBelow == 1) {
        canvas_.SetPen(style_.BarWidth, kBlack);
        canvas_.Line(corner + QPoint(near, edge), corner + QPoint(far, edge));
    }
}

void CellPainter::Mark(QPoint corner, int32_t position) {
    canvas_.SetPen(style_.MarkWidth, style_.MarkColour);
    canvas_.Arc(corner + QPoint(1, 1), corner + QPoint(style_.Cell - 1, style_.Cell - 1),
                corner + style_.MarkArcFrom, corner + style_.MarkArcTo);
    const QPoint at = corner + style_.MarkNumberAt - QPoint(position <= 9 ? 0 : 4, 0);
    canvas_.Text(at, std::to_string(position), style_.MarkNumberFont, kBlack);
}

void CellPainter::Marks(QPoint corner, std::span<const SolutionMark> marks, int32_t column,
                        int32_t row) {
    for (const SolutionMark& mark : marks) {
        if (mark.Column == column && mark.Row == row) {
            Mark(corner, mark.Position);
        }
    }
}

void CellPainter::SolutionRow(QPoint gridBottomLeft, const std::string& solutionWord,
                              OutputVariant variant) {
    const std::string word = Cp1252::ToUpper(solutionWord);
    const int n = static_cast<int>(word.size());
    const int left = gridBottomLeft.x();
    const int top = gridBottomLeft.y() + style_.Cell;
    const int bottom = top + style_.Cell;
    canvas_.Text({left, gridBottomLeft.y() + style_.RowLabelDrop}, W("Lösungswort"),
                 style_.RowLabelFont, kBlack);
    canvas_.SetPen(style_.RowLineWidth, kBlack);
    const int right = left + style_.Cell * n;
    canvas_.ClosedLine({{left, top}, {left, bottom}, {right, bottom}, {right, top}});
    for (int i = 0; i < n; ++i) {
        const QPoint box(left + style_.Cell * i, top);
        canvas_.Line(box, {box.x(), bottom});
        canvas_.Text(box + style_.RowNumberAt, std::to_string(i + 1), style_.RowNumberFont, kBlack);
        if (variant == OutputVariant::Solution) {
            canvas_.Text(box + style_.RowLetterAt, std::string(1, word[static_cast<size_t>(i)]),
                         style_.LetterFont, kBlack);
        }
    }
}
