// Properties every generated puzzle has, checked over many seeded runs.
#include "model/Generator.h"
#include "model/SolutionWord.h"
#include "tests/model/TestSupport.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace testing_support;

namespace {

struct Word {
    int32_t Column, Row, Length, Entry;
    bool Across;
};

// Everything wrong with a generated puzzle, one line per finding.
std::vector<std::string> Problems(const Puzzle& p, const GenerationRun& run) {
    const Vocabulary& vocabulary = run.Words;
    std::vector<std::string> problems;
    auto at = [&](int32_t c, int32_t r) {
        std::string text(1, '(');
        text += std::to_string(c);
        text += ',';
        text += std::to_string(r);
        text += ')';
        return text;
    };
    const auto cells = static_cast<size_t>(p.Columns * p.Rows);
    auto cellIndex = [&](int32_t c, int32_t r) { return static_cast<size_t>(r * p.Columns + c); };

    // The words as numbered, read from the grid along open edges.
    std::vector<Word> words;
    int32_t expectedNumber = 0;
    for (int32_t r = 0; r < p.Rows; ++r) {
        for (int32_t c = 0; c < p.Columns; ++c) {
            const TGridCell& cell = p.Grid.At(c, r);
            if (cell.AcrossNo == 0 && cell.DownNo == 0) {
                continue;
            }
            ++expectedNumber;
            for (const bool across : {true, false}) {
                const int32_t number = across ? cell.AcrossNo : cell.DownNo;
                if (number == 0) {
                    continue;
                }
                if (number != expectedNumber) {
                    problems.push_back("number " + std::to_string(number) + " at " + at(c, r) +
                                       ", expected " + std::to_string(expectedNumber));
                }
                const int32_t entry =
                    run.WordAt(number, across ? Direction::Across : Direction::Down);
                int32_t length = 1;
                int32_t x = c;
                int32_t y = r;
                std::string read(1, cell.Letter);
                while (across ? !p.Grid.At(x, y).BarRight : !p.Grid.At(x, y).BarBelow) {
                    across ? ++x : ++y;
                    read += p.Grid.At(x, y).Letter;
                    ++length;
                }
                const std::string word(vocabulary.Entry(entry).Word);
                if (entry < 1 || read != word) {
                    problems.push_back("word at " + at(c, r) + " reads " + read + ", entry is " +
                                       word);
                }
                if (length >= (across ? p.Columns : p.Rows)) {
                    problems.push_back("word at " + at(c, r) + " as long as the grid side");
                }
                const bool barBefore = across ? (c == 0 || p.Grid.At(c - 1, r).BarRight)
                                              : (r == 0 || p.Grid.At(c, r - 1).BarBelow);
                if (!barBefore) {
                    problems.push_back("no bar before the word at " + at(c, r));
                }
                words.push_back({c, r, length, entry, across});
            }
        }
    }

    // Each letter cell lies in at most one word per direction, and its mark says which.
    std::vector<int> acrossOf(cells, -1);
    std::vector<int> downOf(cells, -1);
    for (size_t w = 0; w < words.size(); ++w) {
        for (int32_t k = 0; k < words[w].Length; ++k) {
            const int32_t c = words[w].Column + (words[w].Across ? k : 0);
            const int32_t r = words[w].Row + (words[w].Across ? 0 : k);
            int& owner = (words[w].Across ? acrossOf : downOf)[cellIndex(c, r)];
            if (owner != -1) {
                problems.push_back("two words of one direction share " + at(c, r));
            }
            owner = static_cast<int>(w);
        }
    }
    for (int32_t r = 0; r < p.Rows; ++r) {
        for (int32_t c = 0; c < p.Columns; ++c) {
            const TGridCell& cell = p.Grid.At(c, r);
            const bool across = acrossOf[cellIndex(c, r)] != -1;
            const bool down = downOf[cellIndex(c, r)] != -1;
            const char mark = across ? (down ? '+' : '-') : (down ? '|' : ' ');
            if (cell.Mark.Char() != mark) {
                problems.push_back(std::string("mark '") + cell.Mark.Char() + "' at " + at(c, r) +
                                   ", the words say '" + mark + "'");
            }
            if ((cell.Letter != '.') != !cell.Mark.IsEmpty()) {
                problems.push_back("letter and mark disagree at " + at(c, r));
            }
            // An open edge joins two consecutive letters of one word.
            if (!cell.BarRight && (c == p.Columns - 1 || !across ||
                                   acrossOf[cellIndex(c, r)] != acrossOf[cellIndex(c + 1, r)])) {
                problems.push_back("open right edge at " + at(c, r));
            }
            if (!cell.BarBelow && (r == p.Rows - 1 || !down ||
                                   downOf[cellIndex(c, r)] != downOf[cellIndex(c, r + 1)])) {
                problems.push_back("open bottom edge at " + at(c, r));
            }
        }
    }

    // The words hang together through their crossings.
    std::vector<size_t> parent(words.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](size_t w) {
        while (parent[w] != w) {
            w = parent[w] = parent[parent[w]];
        }
        return w;
    };
    for (size_t i = 0; i < cells; ++i) {
        if (acrossOf[i] != -1 && downOf[i] != -1) {
            parent[root(static_cast<size_t>(acrossOf[i]))] = root(static_cast<size_t>(downOf[i]));
        }
    }
    for (size_t w = 1; w < words.size(); ++w) {
        if (root(w) != root(0)) {
            problems.push_back("word at " + at(words[w].Column, words[w].Row) +
                               " is not connected");
        }
    }

    // One clue row per word, by number, across before down.
    std::vector<ClueRow> clues;
    for (int32_t n = 1; n < run.CellCount(); ++n) {
        for (const Direction direction : {Direction::Across, Direction::Down}) {
            if (const int32_t entry = run.WordAt(n, direction); entry > 0) {
                clues.push_back(
                    ClueRow::Of(n, direction, std::string(vocabulary.Entry(entry).Clue)));
            }
        }
    }
    if (clues != p.ClueRows || clues.size() != words.size()) {
        problems.push_back("clue rows do not list the words in order");
    }
    return problems;
}

void GenerateAndCheck(int32_t columns, int32_t rows, int mainWords, uint64_t seed,
                      bool shortWords) {
    Puzzle puzzle;
    puzzle.ResizeGrid(columns, rows);
    const Vocabulary words =
        SyntheticWords(mainWords, mainWords / 10, static_cast<uint32_t>(seed * 7 + 1));
    ScriptedDialogs dialogs;
    RandomSource random(seed);
    GenerationSettings settings;
    settings.ShowInsertions = false;
    settings.UseShortWords = shortWords;
    settings.SolutionWord = "Erde";
    Generator generator(puzzle, words, dialogs, random);
    const GenerationOutcome outcome = generator.RGenerieren(settings);
    SolutionWord::Place(puzzle, settings.SolutionWord, random);
    const std::string where =
        std::to_string(columns) + "x" + std::to_string(rows) + " seed " + std::to_string(seed);
    ASSERT_EQ(outcome, GenerationOutcome::Generated) << where;
    const std::vector<std::string> problems = Problems(puzzle, *generator.Run());
    EXPECT_TRUE(problems.empty()) << where << ": " << problems.front() << "\n"
                                  << BarPicture(puzzle);
    ASSERT_EQ(dialogs.Statistics.size(), 1u);
    const PuzzleStatistics& s = dialogs.Statistics[0];
    EXPECT_EQ(static_cast<size_t>(s.AcrossWords + s.DownWords), puzzle.ClueRows.size()) << where;
}

TEST(GenerationInvariantsTest, SmallAndOblongGrids) {
    for (uint64_t seed = 1; seed <= 25; ++seed) {
        GenerateAndCheck(5, 5, 300, seed, seed % 2 == 0);
        GenerateAndCheck(15, 15, 800, seed, seed % 3 != 0);
        GenerateAndCheck(20, 10, 800, seed, true);
        GenerateAndCheck(10, 20, 800, seed, true);
    }
}

TEST(GenerationInvariantsTest, LargestGrid) {
    for (uint64_t seed = 1; seed <= 2; ++seed) {
        GenerateAndCheck(99, 99, 6000, seed, true);
    }
}

} // namespace
