// The main window's "&Generieren" on a 99 x 99 grid from the shipped general
// table, without questions: the time from the command until the statistics
// window is shown. The window is drawn offscreen.
#include "bench/GeneralTable.h"
#include "bench/SilentServices.h"
#include "ui/TAusgabe.h"
#include "ui/TEOptions.h"
#include "ui/TKatalog.h"
#include "ui/TStatistikAnzeige.h"

#include <QAction>
#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

const std::filesystem::path kGeneralTable = GeneralTable();

void WindowGenerateUntilStatistics(benchmark::State& state) {
    if (!std::filesystem::exists(kGeneralTable)) {
        state.SkipWithError("Die Tabelle fehlt: erst das Ziel wabolex_shipped_tables bauen");
        return;
    }
    const auto side = static_cast<int32_t>(state.range(0));
    NoMessages messages;
    NoFiles files;
    TKatalog katalog(messages, files, 1);
    katalog.show();
    QApplication::processEvents();
    const auto command = [&katalog](const char* name) {
        katalog.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    files.Open = QString::fromStdString(kGeneralTable.string());
    command("DBLaden");
    GenerationSettings settings = katalog.session().Settings();
    settings.Columns = side;
    settings.Rows = side;
    settings.ShowInsertions = false;
    katalog.EOptions()->SetValue(settings);
    katalog.SetModalHook([](QWidget* window) { window->hide(); });
    command("Einstellungen"); // the new size is taken at once
    QApplication::processEvents();

    using Clock = std::chrono::steady_clock;
    Clock::time_point shown;
    katalog.SetModalHook([&](QWidget* window) {
        if (window == katalog.StatistikAnzeige()) {
            window->show();
            QApplication::processEvents();
            shown = Clock::now();
        }
        window->hide();
    });
    double whole = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        command("RGenerieren");
        const auto done = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        whole += std::chrono::duration<double>(done - start).count();
        QApplication::processEvents();
    }
    // The whole command: after the statistics the clue list and the solution word.
    state.counters["command_ms"] = 1000 * whole / static_cast<double>(state.iterations());
}
BENCHMARK(WindowGenerateUntilStatistics)
    ->Arg(99)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
