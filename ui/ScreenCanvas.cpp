#include "ui/ScreenCanvas.h"

#include "files/Cp1252Qt.h"
#include "ui/Fonts.h"
#include "ui/TAusgabe.h"

#include <QFont>
#include <QPainter>

#include <map>
#include <tuple>

namespace {

// The fonts of the cells, made once each: a cell is drawn on every paint.
const QFont& ScreenFont(CanvasFont font) {
    static std::map<std::tuple<int, int, bool>, QFont> fonts;
    const auto key = std::make_tuple(static_cast<int>(font.Kind), font.Height, font.Bold);
    auto it = fonts.find(key);
    if (it == fonts.end()) {
        QFont made;
        if (font.Kind == CanvasFont::Measure::Cell) {
            made = Fonts::WithCellHeight(QStringLiteral("Arial"), font.Height, font.Bold);
        } else {
            made = QFont(QStringLiteral("Arial"));
            made.setBold(font.Bold);
            made.setPixelSize(font.Height);
        }
        it = fonts.emplace(key, made).first;
    }
    return it->second;
}

} // namespace

ScreenCanvas::ScreenCanvas(QPainter& painter) : PainterCanvas(painter, KeepSetup{}) {
    painter_.setBackgroundMode(Qt::TransparentMode);
}

void ScreenCanvas::Text(QPoint topLeft, const std::string& cp1252, CanvasFont font, QColor color) {
    painter_.setFont(ScreenFont(font));
    painter_.setPen(color);
    painter_.drawText(topLeft.x(), topLeft.y() + painter_.fontMetrics().ascent(),
                      Cp1252::ToQString(cp1252));
}

void ScreenCanvas::Arc(QPoint topLeft, QPoint bottomRight, QPoint start, QPoint end) {
    painter_.setPen(QPen(painter_.pen().color(), painter_.pen().width()));
    PainterCanvas::Arc(topLeft, bottomRight, start, end);
}

const CellStyle& ScreenStyle() {
    static const CellStyle style = [] {
        CellStyle s = CellStyle::Export();
        s.Cell = TAusgabe::CellSize;
        s.LetterAt = {8, 8};
        s.LetterFont = CanvasFont::Cell(36, true);
        s.NumberAt = {0, 0};
        s.NumberFont = CanvasFont::Cell(14, false);
        s.BarWidth = 2;
        s.BarInset = 0;
        s.MarkColour = QColor(0x00, 0x80, 0x00);
        return s;
    }();
    return style;
}
