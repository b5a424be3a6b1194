#include "files/ExportImage.h"

#include "base/WabolexError.h"
#include "files/CellPainter.h"
#include "files/Cp1252Qt.h"
#include "files/OutputDevice.h"
#include "files/PainterCanvas.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

namespace {

const QColor kBlack(0, 0, 0);

constexpr int kMargin = 20; // white around the frame

void DrawFrameAndLines(Canvas& canvas, int cell, int columns, int rows) {
    const int right = kMargin + cell * columns;
    const int bottom = kMargin + cell * rows;
    canvas.SetPen(4, kBlack);
    canvas.ClosedLine({{kMargin, kMargin}, {kMargin, bottom}, {right, bottom}, {right, kMargin}});
    canvas.SetPen(1, kBlack);
    for (int m = 1; m <= columns; ++m) {
        canvas.Line({kMargin + cell * m, kMargin}, {kMargin + cell * m, bottom});
    }
    for (int m = 1; m <= rows; ++m) {
        canvas.Line({kMargin, kMargin + cell * m}, {right, kMargin + cell * m});
    }
}

} // namespace

QSize ExportImage::ImageSize(const Puzzle& puzzle) {
    const int cell = CellStyle::Export().Cell;
    // The solution-word row takes a label and a row of boxes below the grid.
    const int extra = puzzle.SolutionWordShown ? 2 * kMargin + 100 : 2 * kMargin;
    return {cell * puzzle.Columns + 2 * kMargin, cell * puzzle.Rows + extra};
}

void ExportImage::Draw(Canvas& canvas, const Puzzle& puzzle, OutputVariant variant) {
    CellPainter painter(canvas, CellStyle::Export());
    const int cell = painter.Style().Cell;
    DrawFrameAndLines(canvas, cell, puzzle.Columns, puzzle.Rows);
    for (int c = 0; c < puzzle.Columns; ++c) {
        for (int r = 0; r < puzzle.Rows; ++r) {
            const QPoint corner(kMargin + cell * c, kMargin + cell * r);
            painter.OutputCell(corner, puzzle.Grid.At(c, r), variant);
            // Black cells get their bars and marks too.
            painter.Marks(corner, puzzle.ShownMarks(), c, r);
        }
    }
    if (puzzle.SolutionWordShown) {
        painter.SolutionRow({kMargin, kMargin + cell * puzzle.Rows},
                            puzzle.SolutionWord.value_or(""), variant);
    }
}

QImage ExportImage::Render(const Puzzle& puzzle, OutputVariant variant) {
    QImage image(ImageSize(puzzle), QImage::Format_RGB32);
    if (image.isNull()) {
        throw WabolexError(W("Für die Bitmap ist nicht genug Speicher frei."));
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    Draw(canvas, puzzle, variant);
    painter.end();
    return image;
}

void ExportImage::Save(const QImage& image, const QString& path) {
    OutputFile file(ToPath(path), W("Die Bitmap"));
    Write(image, file);
    file.Commit();
}

void ExportImage::Write(const QImage& image, OutputFile& file) {
    OutputDevice device(file);
    QImageWriter writer(&device, "bmp");
    const bool written = writer.write(image);
    device.ThrowIfFailed();
    if (!written) {
        throw WabolexError(W("Die Bitmap konnte nicht erzeugt werden."));
    }
}

std::string ExportImage::ProposedName(const Puzzle& puzzle, const std::string& source,
                                      OutputVariant variant) {
    const auto dot = source.find('.');
    const std::string base = dot == std::string::npos ? std::string() : source.substr(0, dot);
    std::string name = base + "-" + std::to_string(puzzle.Columns) + "x" +
                       std::to_string(puzzle.Rows) + "-" + std::to_string(puzzle.ClueRows.size());
    return variant == OutputVariant::Solution ? W("Lösung ") + name : name;
}

QString ExportImage::ClueTextPath(const QString& bitmapPath, const std::string& proposedName) {
    const QString folder = QFileInfo(bitmapPath).absolutePath();
    return folder + "/" + Cp1252::ToQString(proposedName) + ".txt";
}
