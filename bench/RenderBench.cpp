// Drawing the main window's grid: one repaint of the visible part at the
// window's design size, and one paint of all 99 x 99 cells into an image.
#include "bench/SilentServices.h"
#include "ui/TAusgabe.h"
#include "ui/TEOptions.h"
#include "ui/TKatalog.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The widgets need a QApplication, made before any benchmark runs so that the
// other benchmarks find it instead of making a GUI application of their own.
struct WidgetApplication {
    std::unique_ptr<QApplication> application;
    WidgetApplication() {
        if (QCoreApplication::instance())
            return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "wabolex_bench";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
    }
};
WidgetApplication widgetApplication;

// A full 99 x 99 puzzle: every cell a letter, marks of all three kinds, a
// number in every fifth cell, bars in a regular pattern and 20 circled cells.
void FillPuzzle(TKatalog& katalog) {
    Puzzle p;
    p.ResizeGrid(99, 99);
    p.ResetGrid();
    static const CellMark marks[] = {CellMark::Of(Direction::Across), CellMark::Of(Direction::Down),
                                     CellMark::Crossing()};
    for (int c = 0; c < 99; ++c)
        for (int r = 0; r < 99; ++r) {
            TGridCell& cell = p.Grid.At(c, r);
            cell.Letter = static_cast<char>('A' + (c * 7 + r * 3) % 26);
            cell.Mark = marks[(c + r) % 3];
            if ((c + r) % 5 == 0)
                cell.AcrossNo = c + r * 99 + 1;
            cell.BarRight = cell.BarRight || (c % 6 == 5);
            cell.BarBelow = cell.BarBelow || (r % 4 == 3);
        }
    for (int i = 0; i < MaxSolutionLength; ++i)
        p.SolutionMarks[static_cast<size_t>(i)] = {i * 4, i * 3, i + 1};
    GenerationSettings settings = katalog.session().Settings();
    settings.SolutionWord = "ABCDEFGHIJKLMNOPQRST";
    katalog.EOptions()->SetValue(settings);
    p.SolutionWordShown = true;
    ViewFlags view;
    view.ShowGenerated = true;
    katalog.ShowPuzzle(p, view);
}

void BM_RepaintVisibleGrid99(benchmark::State& state) {
    NoMessages messages;
    NoFiles files;
    TKatalog katalog(messages, files, 1);
    FillPuzzle(katalog);
    katalog.show();
    QWidget* cells = katalog.Ausgabe()->viewport();
    QImage image(cells->size(), QImage::Format_RGB32);
    // The widget's own paint, as a repaint runs it, into an image.
    for (auto _ : state)
        cells->render(&image);
    state.counters["cells"] =
        double(cells->width() / TAusgabe::Pitch + 1) * (cells->height() / TAusgabe::Pitch + 1);
}
BENCHMARK(BM_RepaintVisibleGrid99)->Unit(benchmark::kMillisecond);

void BM_PaintAllCells99(benchmark::State& state) {
    NoMessages messages;
    NoFiles files;
    TKatalog katalog(messages, files, 1);
    FillPuzzle(katalog);
    const int side = 99 * TAusgabe::Pitch;
    QImage image(side, side, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        katalog.Ausgabe()->PaintCells(painter, image.rect());
    }
    state.counters["cells"] = 99 * 99;
}
BENCHMARK(BM_PaintAllCells99)->Unit(benchmark::kMillisecond);

} // namespace
