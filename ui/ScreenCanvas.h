#pragma once

#include "files/CellStyle.h"
#include "files/PainterCanvas.h"

// The canvas of the grid window's cells: texts on a transparent background in
// the window's fonts (heights measured as the screen measures them); lines,
// fills and arcs as on any painter.
class ScreenCanvas : public PainterCanvas {
public:
    explicit ScreenCanvas(QPainter& painter);

    void Text(QPoint topLeft, const std::string& cp1252, CanvasFont font, QColor color) override;
    // With the painter's plain pen of the colour and width set: square ends.
    void Arc(QPoint topLeft, QPoint bottomRight, QPoint start, QPoint end) override;
};

// How the grid window draws a cell: 40-pixel cells, letters 36 and numbers 14
// pixels high, bars 2 pixels wide along the whole edge, green solution marks.
// Which letter a cell shows and its colour depend on the window's view.
const CellStyle& ScreenStyle();
