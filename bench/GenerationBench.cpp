// One generation, without questions, on a 15 x 15 and on a 99 x 99 grid with a
// synthetic vocabulary of 20,000 main words (longest first) and 500 short words.
#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/PuzzleStatistics.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Words drawn with roughly German letter frequencies, so that they cross.
std::string RandomWord(std::mt19937& engine, int length) {
    static const std::string letters =
        "EEEEEEENNNNNIIIIIISSSSSRRRRRAAAAATTTTTDDDDHHHHUUULLLCCGGMMOOBBWFKZPVJYXQ";
    std::uniform_int_distribution<size_t> pick(0, letters.size() - 1);
    std::string word;
    for (int k = 0; k < length; ++k) {
        word += letters[pick(engine)];
    }
    return word;
}

Vocabulary MakeVocabulary() {
    std::mt19937 engine(2007);
    std::uniform_int_distribution<int> mainLength(3, 15);
    std::uniform_int_distribution<int> shortLength(2, 3);
    std::vector<TWordEntry> mainWords;
    for (int i = 0; i < 20000; ++i) {
        const std::string word = RandomWord(engine, mainLength(engine));
        mainWords.push_back({word, "Umschreibung " + std::to_string(i)});
    }
    std::stable_sort(
        mainWords.begin(), mainWords.end(),
        [](const TWordEntry& a, const TWordEntry& b) { return a.Word.size() > b.Word.size(); });
    std::vector<TWordEntry> shortWords;
    for (int i = 0; i < 500; ++i) {
        shortWords.push_back({RandomWord(engine, shortLength(engine)), "kurz"});
    }
    return Vocabulary(mainWords, shortWords);
}

void Generation(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    const Vocabulary words = MakeVocabulary();
    Puzzle puzzle;
    puzzle.ResizeGrid(side, side);
    AcceptingDialogs dialogs;
    GenerationSettings settings;
    settings.ShowInsertions = false;
    settings.UseSolutionWord = false;
    for (auto _ : state) {
        RandomSource random(1); // the same puzzle every time, so runs compare
        Generator generator(puzzle, words, dialogs, random);
        benchmark::DoNotOptimize(generator.RGenerieren(settings));
    }
    const PuzzleStatistics s = PuzzleStatistics::Count(puzzle);
    state.counters["words"] = s.AcrossWords + s.DownWords;
    state.counters["black"] = s.BlackCells;
}

BENCHMARK(Generation)->Arg(15)->Arg(99)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
