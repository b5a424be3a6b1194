// Drawing speed of the largest outputs: the exported bitmap and the print job
// of a fully numbered grid with a solution word.
#include "base/Cp1252.h"
#include "files/ExportImage.h"
#include "files/OutputDevice.h"
#include "files/PrintJob.h"
#include "model/Puzzle.h"

#include <QDir>
#include <QGuiApplication>
#include <QPageSize>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Fonts need a GUI application; the benchmarks run without a display.
void EnsureApplication() {
    if (QCoreApplication::instance())
        return; // made by another benchmark already
    static std::unique_ptr<QGuiApplication> application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "wabolex_bench";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
}

Puzzle FullPuzzle(int size) {
    Puzzle puzzle;
    puzzle.ResizeGrid(size, size);
    puzzle.ResetGrid();
    int number = 0;
    puzzle.ClueRows.clear();
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            TGridCell& cell = puzzle.Grid.At(c, r);
            cell.Letter = (c + r) % 7 == 0 ? '.' : static_cast<char>('A' + (c * 7 + r) % 26);
            if (cell.Letter != '.' && (c + r) % 3 == 0) {
                cell.AcrossNo = ++number;
                puzzle.ClueRows.push_back(ClueRow::Of(number,
                                                      c % 2 ? Direction::Across : Direction::Down,
                                                      W("eine Umschreibung mittlerer Länge")));
            }
        }
    }
    for (int k = 0; k < MaxSolutionLength; ++k) {
        puzzle.SolutionMarks[k] = {k + 1, k + 2, k + 1};
    }
    puzzle.SolutionWordShown = true;
    puzzle.SolutionWord = "ABCDEFGHIJKLMNOPQRST";
    return puzzle;
}

void ExportRender(benchmark::State& state) {
    EnsureApplication();
    const Puzzle puzzle = FullPuzzle(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExportImage::Render(puzzle, OutputVariant::Solution));
    }
}
BENCHMARK(ExportRender)->Arg(15)->Arg(99)->Unit(benchmark::kMillisecond);

void PrintToPdf(benchmark::State& state) {
    EnsureApplication();
    const Puzzle puzzle = FullPuzzle(static_cast<int>(state.range(0)));
    const QString path = QDir::temp().filePath("wabolex-bench-print.pdf");
    for (auto _ : state) {
        PrintJob::PrintToPdf(ToPath(path), QPageSize(QPageSize::A4), puzzle, "Wabolex 2026   Bench",
                             OutputVariant::Solution);
    }
    QFile::remove(path);
}
BENCHMARK(PrintToPdf)->Arg(15)->Arg(99)->Unit(benchmark::kMillisecond);

} // namespace
