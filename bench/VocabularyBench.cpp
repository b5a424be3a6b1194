// Loading the shipped general table with its short words, as "Ö&ffnen" does
// and from the cache as wabolex-cli does, indexing its words, and generating from it: on a 15 x 15
// and a 99 x 99 grid, with the fast search and with the literal scan, and the two side by side on
// the same seeds.
#include "bench/GeneralTable.h"
#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/PuzzleStatistics.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"
#include "model/Variety.h"
#include "model/WordIndex.h"
#include "vocabulary/VocabularyCache.h"
#include "vocabulary/VocabularyLoader.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

const std::filesystem::path kGeneralTable = GeneralTable();

bool GeneralTablePresent(benchmark::State& state) {
    if (std::filesystem::exists(kGeneralTable)) {
        return true;
    }
    state.SkipWithError("Die Tabelle fehlt: erst das Ziel wabolex_shipped_tables bauen");
    return false;
}

GenerationSettings QuietSettings() {
    GenerationSettings settings;
    settings.ShowInsertions = false;
    return settings;
}

void LoadGeneralTable(benchmark::State& state) {
    if (!GeneralTablePresent(state)) {
        return;
    }
    LoadedVocabulary loaded;
    for (auto _ : state) {
        loaded = VocabularyLoader::Load(kGeneralTable);
        benchmark::DoNotOptimize(loaded.Words.get());
    }
    const Vocabulary& words = *loaded.Words;
    state.counters["entries"] = words.WordCount();
    state.counters["main"] = words.ShortWordStart() - 1;
    state.counters["short"] = words.WordCount() - words.ShortWordStart() + 1;
}

// The part of loading that makes the word index.
void BuildWordIndex(benchmark::State& state) {
    if (!GeneralTablePresent(state)) {
        return;
    }
    const LoadedVocabulary loaded = VocabularyLoader::Load(kGeneralTable);
    const Vocabulary& words = *loaded.Words;
    std::vector<std::string_view> gridWords(static_cast<size_t>(words.WordCount()) + 1);
    for (int32_t entry = 1; entry <= words.WordCount(); ++entry) {
        gridWords[static_cast<size_t>(entry)] = words.Entry(entry).GridWord();
    }
    for (auto _ : state) {
        const WordIndex index(gridWords);
        benchmark::DoNotOptimize(&index);
    }
}

// Loading the same tables from the cache instead: map the kept file, check
// it, use it in place.
void LoadGeneralTableFromCache(benchmark::State& state) {
    if (!GeneralTablePresent(state)) {
        return;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "wabolex-bench-cache";
    const VocabularyCache cache(folder);
    VocabularyLoader::Load(kGeneralTable, &cache); // writes the file
    if (!cache.Holds(kGeneralTable)) {
        state.SkipWithError("Der Zwischenspeicher ließ sich nicht schreiben");
        return;
    }
    for (auto _ : state) {
        const LoadedVocabulary loaded = VocabularyLoader::Load(kGeneralTable, &cache);
        benchmark::DoNotOptimize(loaded.Words.get());
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// What --vary adds before each run: the words in a new order, with its index.
void VaryWordOrder(benchmark::State& state) {
    if (!GeneralTablePresent(state)) {
        return;
    }
    const LoadedVocabulary loaded = VocabularyLoader::Load(kGeneralTable);
    uint64_t seed = 1;
    for (auto _ : state) {
        const Vocabulary varied = Variety::Shuffled(*loaded.Words, seed++);
        benchmark::DoNotOptimize(&varied);
    }
}

// A 15 x 15 generation after --vary's reordering, the reordering and the
// index it needs left out of the time: what a varied order costs the search.
void GenerateVaried(benchmark::State& state) {
    if (!GeneralTablePresent(state)) {
        return;
    }
    const LoadedVocabulary loaded = VocabularyLoader::Load(kGeneralTable);
    Puzzle puzzle;
    puzzle.ResizeGrid(15, 15);
    AcceptingDialogs dialogs;
    const GenerationSettings settings = QuietSettings();
    uint64_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        const Vocabulary varied = Variety::Shuffled(*loaded.Words, seed);
        state.ResumeTiming();
        RandomSource random(seed++);
        Generator generator(puzzle, varied, dialogs, random);
        benchmark::DoNotOptimize(generator.RGenerieren(settings));
    }
}

// Arguments: the grid side and 1 for the literal scan.
void GenerateFromGeneralTable(benchmark::State& state) {
    if (!GeneralTablePresent(state)) {
        return;
    }
    const auto side = static_cast<int32_t>(state.range(0));
    const bool literal = state.range(1) != 0;
    const LoadedVocabulary loaded = VocabularyLoader::Load(kGeneralTable);
    Puzzle puzzle;
    puzzle.ResizeGrid(side, side);
    AcceptingDialogs dialogs;
    const GenerationSettings settings = QuietSettings();
    uint64_t seed = 1;
    for (auto _ : state) {
        RandomSource random(seed++);
        Generator generator(puzzle, *loaded.Words, dialogs, random);
        generator.UseReferenceScan(literal);
        benchmark::DoNotOptimize(generator.RGenerieren(settings));
    }
    const PuzzleStatistics s = PuzzleStatistics::Count(puzzle);
    state.counters["words"] = s.AcrossWords + s.DownWords;
    state.counters["black"] = s.BlackCells;
}

// The literal scan and the fast search in turn on the same seeds; the time is
// the fast search's, the counter "ratio" the literal scan's time over it.
void LiteralOverFast(benchmark::State& state) {
    if (!GeneralTablePresent(state)) {
        return;
    }
    const auto side = static_cast<int32_t>(state.range(0));
    const LoadedVocabulary loaded = VocabularyLoader::Load(kGeneralTable);
    Puzzle puzzle;
    puzzle.ResizeGrid(side, side);
    AcceptingDialogs dialogs;
    const GenerationSettings settings = QuietSettings();
    using Clock = std::chrono::steady_clock;
    auto run = [&](uint64_t seed, bool literal) {
        RandomSource random(seed);
        Generator generator(puzzle, *loaded.Words, dialogs, random);
        generator.UseReferenceScan(literal);
        const auto start = Clock::now();
        benchmark::DoNotOptimize(generator.RGenerieren(settings));
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    double literalTime = 0;
    double fastTime = 0;
    uint64_t seed = 1;
    for (auto _ : state) {
        const double literal = run(seed, true);
        const double fast = run(seed, false);
        literalTime += literal;
        fastTime += fast;
        state.SetIterationTime(fast);
        ++seed;
    }
    state.counters["literal_ms"] = 1000 * literalTime / static_cast<double>(state.iterations());
    state.counters["ratio"] = literalTime / fastTime;
}

BENCHMARK(LoadGeneralTable)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadGeneralTableFromCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildWordIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(VaryWordOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateVaried)->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateFromGeneralTable)
    ->Args({15, 0})
    ->Args({99, 0})
    ->Args({15, 1})
    ->Args({99, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(LiteralOverFast)->Arg(99)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
