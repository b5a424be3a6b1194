// Loading the shipped general table with its short words, as "Ö&ffnen" does, and
// generating from it on a 15 x 15 and a 99 x 99 grid.
#include "bench/SilentDialogs.h"
#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/PuzzleStatistics.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"
#include "vocabulary/VocabularyLoader.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

const std::filesystem::path kGeneralTable =
    std::filesystem::path(WABOLEX_ROOT) / "WortDateien2007" / "Allgemein.db";

void LoadGeneralTable(benchmark::State& state) {
    if (!std::filesystem::exists(kGeneralTable)) {
        state.SkipWithError("Allgemein.db fehlt: erst das Ziel wabolex_shipped_tables bauen");
        return;
    }
    Puzzle puzzle;
    for (auto _ : state) {
        VocabularyLoader::Load(kGeneralTable, puzzle);
        benchmark::DoNotOptimize(puzzle.WordList.data());
    }
    state.counters["entries"] = puzzle.WordCount;
    state.counters["main"] = puzzle.ShortWordStart - 1;
    state.counters["short"] = puzzle.WordCount - puzzle.ShortWordStart + 1;
}

void GenerateFromGeneralTable(benchmark::State& state) {
    if (!std::filesystem::exists(kGeneralTable)) {
        state.SkipWithError("Allgemein.db fehlt: erst das Ziel wabolex_shipped_tables bauen");
        return;
    }
    const auto side = static_cast<int32_t>(state.range(0));
    Puzzle puzzle;
    VocabularyLoader::Load(kGeneralTable, puzzle);
    puzzle.ResizeGrid(side, side);
    SilentDialogs dialogs;
    GenerationSettings settings;
    settings.ShowInsertions = false;
    uint64_t seed = 1;
    for (auto _ : state) {
        RandomSource random(seed++);
        Generator generator(puzzle, dialogs, random);
        benchmark::DoNotOptimize(generator.RGenerieren(settings));
    }
    const PuzzleStatistics s = PuzzleStatistics::Count(puzzle);
    state.counters["words"] = s.AcrossWords + s.DownWords;
    state.counters["black"] = s.BlackCells;
}

BENCHMARK(LoadGeneralTable)->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateFromGeneralTable)->Arg(15)->Arg(99)->Unit(benchmark::kMillisecond);

} // namespace
