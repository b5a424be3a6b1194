#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>

#include <string>
#include <vector>

// How a text's size is given. Windows-style font heights come in two kinds: the
// full character cell (internal leading included) or the character height alone
// (the em). Both are in the canvas's own units.
struct CanvasFont {
    enum class Measure { Cell, Character };
    Measure Kind = Measure::Cell;
    int Height = 0;
    bool Bold = false;

    static CanvasFont Cell(int height, bool bold) { return {Measure::Cell, height, bold}; }
    static CanvasFont Character(int height, bool bold) {
        return {Measure::Character, height, bold};
    }
    bool operator==(const CanvasFont&) const = default;
};

// The few drawing operations the export image and the print need, in the units
// of the surface (pixels for the image, 0.1 mm for the print), y downwards. The
// export, the print and the tests' recorder implement the same calls, so one
// piece of drawing code serves the window, the command line and the tests.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Solid pen for the following lines and arcs.
    virtual void SetPen(int width, QColor color) = 0;
    virtual void Line(QPoint from, QPoint to) = 0;
    // A closed line through the points, back to the first one.
    virtual void ClosedLine(const std::vector<QPoint>& points) = 0;
    // Covers the pixels from the left and top edge up to, not including, the
    // right and bottom edge.
    virtual void FillRect(QRect rect, QColor color) = 0;
    // Arc of the ellipse whose bounding box runs from topLeft to bottomRight,
    // counter-clockwise from the radial through start to the radial through end.
    virtual void Arc(QPoint topLeft, QPoint bottomRight, QPoint start, QPoint end) = 0;
    // Windows-1252 text with its top left corner at topLeft, on white.
    virtual void Text(QPoint topLeft, const std::string& cp1252, CanvasFont font, QColor color) = 0;
    // Ends the current page and begins the next one (paged surfaces only).
    virtual void NewPage() = 0;
};
