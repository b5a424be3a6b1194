#pragma once

#include "files/Canvas.h"

#include <QFont>
#include <QPainter>

#include <functional>

// The canvas on a QPainter: an off-screen image, a PDF file or a printer. The
// painter's transform maps the canvas units onto the device. Texts are set in
// "Arial" (its metric twin "Liberation Sans" where Arial is missing), without
// anti-aliasing so that an image keeps to its few pure colours.
class PainterCanvas : public Canvas {
public:
    // newPage ends the device's page and starts the next (empty for an image).
    explicit PainterCanvas(QPainter& painter, std::function<void()> newPage = {});

    void SetPen(int width, QColor color) override;
    void Line(QPoint from, QPoint to) override;
    void ClosedLine(const std::vector<QPoint>& points) override;
    void FillRect(QRect rect, QColor color) override;
    void Arc(QPoint topLeft, QPoint bottomRight, QPoint start, QPoint end) override;
    void Text(QPoint topLeft, const std::string& cp1252, CanvasFont font, QColor color) override;
    void NewPage() override;

    // The font that gives the requested height on a device of the given
    // vertical resolution (in canvas units per inch as the painter sees them).
    static QFont FontFor(CanvasFont font, double logicalDpiY);
    // Makes "Arial" resolve to an installed metric twin; safe to call often.
    static void RegisterArialSubstitute();
    // Throws WabolexError when the fonts of the pictures cannot be loaded (no
    // file handle left, font files missing): Qt would draw every character
    // as an empty box and report nothing. Loads them while it checks.
    static void RequireFonts();

protected:
    // For a surface set up by its owner (the grid window): the painter's hints
    // and background stay as they are.
    struct KeepSetup {};
    PainterCanvas(QPainter& painter, KeepSetup) : painter_(painter) {}

    QPainter& painter_;

private:
    std::function<void()> newPage_;
};
