#include "files/ExportImage.h"

#include "files/OutputDevice.h"
#include "files/PainterCanvas.h"
#include "model/Cp1252.h"
#include "model/WabolexError.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);

constexpr int kCell = ExportImage::Cell;
constexpr int kMargin = ExportImage::Margin;

void DrawFrameAndLines(Canvas& canvas, int columns, int rows) {
    const int right = kMargin + kCell * columns;
    const int bottom = kMargin + kCell * rows;
    canvas.SetPen(4, kBlack);
    canvas.ClosedLine({{kMargin, kMargin}, {kMargin, bottom}, {right, bottom}, {right, kMargin}});
    canvas.SetPen(1, kBlack);
    for (int m = 1; m <= columns; ++m) {
        canvas.Line({kMargin + kCell * m, kMargin}, {kMargin + kCell * m, bottom});
    }
    for (int m = 1; m <= rows; ++m) {
        canvas.Line({kMargin, kMargin + kCell * m}, {right, kMargin + kCell * m});
    }
}

void DrawSolutionMark(Canvas& canvas, int left, int top, int position) {
    canvas.SetPen(2, kRed);
    canvas.Arc({left + 1, top + 1}, {left + 39, top + 39}, {left + 36, top + 24},
               {left + 36, top + 36});
    const int x = position <= 9 ? left + 34 : left + 30;
    canvas.Text({x, top + 24}, std::to_string(position), CanvasFont::Character(8, true), kBlack);
}

void DrawCell(Canvas& canvas, const Puzzle& puzzle, int c, int r, OutputVariant variant) {
    const TGridCell& cell = puzzle.Grid.At(c, r);
    const int left = kMargin + kCell * c;
    const int top = kMargin + kCell * r;
    if (cell.Letter == '.') {
        canvas.FillRect(QRect(left, top, kCell, kCell), kBlack);
    } else {
        if (variant == OutputVariant::Solution) {
            canvas.Text({left + 10, top + 8}, std::string(1, cell.Letter),
                        CanvasFont::Cell(32, true), kRed);
        }
        // The across number wins where both words start.
        const int number = cell.AcrossNo != 0 ? cell.AcrossNo : cell.DownNo;
        if (number > 0) {
            canvas.Text({left + 2, top + 2}, std::to_string(number), CanvasFont::Cell(12, false),
                        kBlack);
        }
    }
    if (cell.BarRight == 1) {
        canvas.SetPen(3, kBlack);
        canvas.Line({left + 40, top + 2}, {left + 40, top + 38});
    }
    if (cell.BarBelow == 1) {
        canvas.SetPen(3, kBlack);
        canvas.Line({left + 2, top + 40}, {left + 38, top + 40});
    }
    for (const SolutionMark& mark : puzzle.ShownMarks()) {
        if (mark.Column == c && mark.Row == r) {
            DrawSolutionMark(canvas, left, top, mark.Position);
        }
    }
}

void DrawSolutionRow(Canvas& canvas, const Puzzle& puzzle, OutputVariant variant) {
    const std::string word = Cp1252::ToUpper(puzzle.SolutionWord);
    const int n = static_cast<int>(word.size());
    const int bottom = kMargin + kCell * puzzle.Rows;
    canvas.Text({kMargin, bottom + 14}, W("Lösungswort"), CanvasFont::Cell(24, true), kBlack);
    canvas.SetPen(2, kBlack);
    const int right = kMargin + kCell * n;
    canvas.ClosedLine({{kMargin, bottom + 40},
                       {kMargin, bottom + 80},
                       {right, bottom + 80},
                       {right, bottom + 40}});
    for (int i = 0; i < n; ++i) {
        const int x = kMargin + kCell * i;
        canvas.Line({x, bottom + 40}, {x, bottom + 80});
        canvas.Text({x + 2, bottom + 42}, std::to_string(i + 1), CanvasFont::Cell(12, true),
                    kBlack);
        if (variant == OutputVariant::Solution) {
            canvas.Text({x + 10, bottom + 44}, std::string(1, word[i]), CanvasFont::Cell(32, true),
                        kBlack);
        }
    }
}

} // namespace

QSize ExportImage::ImageSize(const Puzzle& puzzle) {
    const int extra = puzzle.SolutionWordShown ? 140 : 40;
    return {kCell * puzzle.Columns + 40, kCell * puzzle.Rows + extra};
}

void ExportImage::Draw(Canvas& canvas, const Puzzle& puzzle, OutputVariant variant) {
    DrawFrameAndLines(canvas, puzzle.Columns, puzzle.Rows);
    for (int c = 0; c < puzzle.Columns; ++c) {
        for (int r = 0; r < puzzle.Rows; ++r) {
            DrawCell(canvas, puzzle, c, r, variant);
        }
    }
    if (puzzle.SolutionWordShown) {
        DrawSolutionRow(canvas, puzzle, variant);
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

std::string ExportImage::ProposedName(const Puzzle& puzzle, OutputVariant variant) {
    const std::string& source = puzzle.SourceName;
    const auto dot = source.find('.');
    const std::string base = dot == std::string::npos ? std::string() : source.substr(0, dot);
    std::string name = base + "-" + std::to_string(puzzle.Columns) + "x" +
                       std::to_string(puzzle.Rows) + "-" + std::to_string(puzzle.ClueRows.size());
    return variant == OutputVariant::Solution ? W("Lösung ") + name : name;
}

QString ExportImage::ClueTextPath(const QString& bitmapPath, const std::string& proposedName) {
    const QString folder = QFileInfo(bitmapPath).absolutePath();
    return folder + "/" + QString::fromStdString(Cp1252::ToUtf8(proposedName)) + ".txt";
}
