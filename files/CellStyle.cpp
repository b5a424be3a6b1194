#include "files/CellStyle.h"

namespace {

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);

enum class Output { Bitmap, Print };

// The bitmap's and the print's measures side by side: pixels, then 0.1 mm.
CellStyle OutputStyle(Output output) {
    const auto pick = [output](auto bitmap, auto print) {
        return output == Output::Bitmap ? bitmap : print;
    };
    CellStyle s;
    s.Cell = pick(40, 80);
    s.LetterAt = pick(QPoint(10, 8), QPoint(20, 20));
    s.LetterFont = pick(CanvasFont::Cell(32, true), CanvasFont::Cell(60, true));
    s.LetterColour = pick(kRed, kBlack);
    s.NumberAt = pick(QPoint(2, 2), QPoint(5, 5));
    s.NumberFont = pick(CanvasFont::Cell(12, false), CanvasFont::Cell(22, false));
    s.BarWidth = pick(3, 6);
    s.BarInset = 2;
    s.MarkWidth = 2;
    s.MarkColour = pick(kRed, kBlack);
    s.MarkArcFrom = pick(QPoint(36, 24), QPoint(76, 40));
    s.MarkArcTo = pick(QPoint(36, 36), QPoint(76, 64));
    s.MarkNumberAt = pick(QPoint(34, 24), QPoint(68, 40));
    // The bitmap's mark numbers are 6 points: 8 pixels at 96 dots per inch.
    s.MarkNumberFont = pick(CanvasFont::Character(8, true), CanvasFont::Cell(16, true));
    s.RowLabelDrop = pick(14, 20);
    s.RowLabelFont = pick(CanvasFont::Cell(24, true), CanvasFont::Cell(40, true));
    s.RowLineWidth = 2;
    s.RowNumberAt = QPoint(2, 2);
    s.RowNumberFont = pick(CanvasFont::Cell(12, true), CanvasFont::Cell(16, true));
    s.RowLetterAt = pick(QPoint(10, 4), QPoint(20, 8));
    return s;
}

} // namespace

const CellStyle& CellStyle::Export() {
    static const CellStyle style = OutputStyle(Output::Bitmap);
    return style;
}

const CellStyle& CellStyle::Print() {
    static const CellStyle style = OutputStyle(Output::Print);
    return style;
}
