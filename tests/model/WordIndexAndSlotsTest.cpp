// The word index and the open slots against their plain definitions: looking at
// every entry, and at every cell of every slot.
#include "model/AvailableWords.h"
#include "model/OpenSlots.h"
#include "model/WordIndex.h"
#include "model/WordPlacer.h"
#include "tests/model/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

using namespace testing_support;

namespace {

// Words of 0..17 characters in no order, some with '.', some equal to the one
// before.
std::vector<TWordEntry> MixedWords(uint32_t seed, int count) {
    const std::string letters = "EENRSTAIxy\xC4\xDF.";
    std::mt19937 engine(seed);
    std::vector<TWordEntry> words;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && engine() % 3 == 0) {
            words.push_back(words.back());
            continue;
        }
        std::string word;
        for (size_t length = engine() % 18; word.size() < length;) {
            const char c = letters[engine() % letters.size()];
            if (c != '.' || engine() % 4 == 0) {
                word += c;
            }
        }
        words.push_back({word, ""});
    }
    return words;
}

TEST(WordIndexTest, ARunOfEqualWordsServesEachRangeFromItsAvailableEntries) {
    // Entries 2..4 are one word; 3 is taken, as when it was the start word.
    const Vocabulary words(
        {{"XY", ""}, {"AB", "1"}, {"AB", "2"}, {"AB", "3"}, {"AB.", ""}, {"AB", "4"}}, {});
    std::vector<uint8_t> free = {1, 1, 1, 0, 1, 1, 1};
    const WordIndex& index = words.Index();
    AvailableWords available(index, free);
    WordPattern pattern;
    pattern.Length = 2;
    pattern.Add(1, 'B');
    EXPECT_EQ(available.FirstMatch(pattern, 3, 3), AvailableWords::None);
    EXPECT_EQ(available.FirstMatch(pattern, 3, 6), 4);
    EXPECT_EQ(available.FirstMatch(pattern, 1, 6), 2) << "the run is still there for entry 2";
    free[2] = 0;
    free[4] = 0;
    EXPECT_EQ(available.FirstMatch(pattern, 1, 6), 6) << "'AB.' is not in the index";
    EXPECT_THAT(index.Uncovered(), testing::ElementsAre(5));
}

TEST(WordIndexTest, FirstMatchAgreesWithLookingAtEveryEntry) {
    const Vocabulary words(MixedWords(11, 3000), {});
    const int32_t count = words.WordCount();
    const WordIndex& index = words.Index();
    std::mt19937 engine(12);
    // Some words are taken before the search starts, more while it runs.
    std::vector<uint8_t> free(static_cast<size_t>(count) + 1, 1);
    for (int32_t entry = 1; entry <= count; ++entry) {
        free[static_cast<size_t>(entry)] = engine() % 5 == 0 ? 0 : 1;
    }
    AvailableWords available(index, free);

    for (int32_t entry = 1; entry <= count; ++entry) {
        const std::string_view word = words.Entry(entry).GridWord();
        ASSERT_EQ(index.LengthOf(entry), static_cast<int32_t>(word.size()));
        ASSERT_EQ(index.Covers(entry), !word.empty() && word.find('.') == std::string::npos);
    }
    for (int query = 0; query < 4000; ++query) {
        if (query % 50 == 0) {
            free[1 + engine() % static_cast<uint32_t>(count)] = 0;
        }
        // Mostly the letters of some word at some positions, so that matches exist.
        const std::string_view model =
            words.Entry(static_cast<int32_t>(1 + engine() % static_cast<uint32_t>(count)))
                .GridWord();
        WordPattern pattern;
        pattern.Length = model.empty() ? 1 + static_cast<int32_t>(engine() % 15)
                                       : static_cast<int32_t>(model.size());
        for (int32_t k = 0; k < pattern.Length; ++k) {
            if (engine() % 3 == 0) {
                pattern.Add(k, k < static_cast<int32_t>(model.size()) && engine() % 8 != 0
                                   ? model[static_cast<size_t>(k)]
                                   : "ENxZ"[engine() % 4]);
            }
        }
        // Ranges that begin and end inside runs of equal words, too.
        const auto from = static_cast<int32_t>(1 + engine() % static_cast<uint32_t>(count));
        const auto last = static_cast<int32_t>(from + engine() % (query % 2 == 0 ? 3000 : 5));

        int32_t expected = AvailableWords::None;
        for (int32_t entry = from; entry <= std::min(last, count); ++entry) {
            const std::string_view word = words.Entry(entry).GridWord();
            bool fits = free[static_cast<size_t>(entry)] == 1 && index.Covers(entry) &&
                        static_cast<int32_t>(word.size()) == pattern.Length;
            for (int32_t j = 0; fits && j < pattern.Count; ++j) {
                fits =
                    static_cast<unsigned char>(word[pattern.Positions[static_cast<size_t>(j)]]) ==
                    pattern.Letters[static_cast<size_t>(j)];
            }
            if (fits) {
                expected = entry;
                break;
            }
        }
        ASSERT_EQ(available.FirstMatch(pattern, from, last), expected) << "query " << query;
    }
}

// The plain definition: the slot lies inside the grid, no cell carries a word of
// its direction, it is not fenced in, and it crosses enough lettered cells of
// words of the other direction alone.
bool IsOpen(const Puzzle& puzzle, WordPlacer& placer, Direction direction, int32_t line,
            int32_t start, int32_t length, int32_t minCrossings) {
    const bool across = direction == Direction::Across;
    const int32_t side = across ? puzzle.Columns : puzzle.Rows;
    if (length >= side || start + length > side) {
        return false;
    }
    const int32_t column = across ? start : line;
    const int32_t row = across ? line : start;
    int32_t crossings = 0;
    for (int32_t k = 0; k < length; ++k) {
        const TGridCell& cell =
            puzzle.Grid.At(across ? column + k : column, across ? row : row + k);
        if (cell.Mark.Carries(direction)) {
            return false;
        }
        crossings += cell.Mark.IsOnly(Other(direction)) && cell.Letter != '.' ? 1 : 0;
    }
    return crossings >= minCrossings && !placer.IsFenced(column, row, length, direction);
}

void ExpectSlotsOfTheGrid(const OpenSlots& slots, const Puzzle& puzzle, WordPlacer& placer,
                          const std::string& where) {
    for (const Direction direction : {Direction::Across, Direction::Down}) {
        for (int32_t line = 0; line < slots.Lines(direction); ++line) {
            for (int32_t length = 1; length <= OpenSlots::MaxLength; ++length) {
                for (const int32_t minCrossings : {1, 2}) {
                    const OpenSlots::Bits open = slots.Open(direction, line, length, minCrossings);
                    for (int32_t start = 0; start < slots.LineLength(direction); ++start) {
                        ASSERT_EQ((open >> start & 1) == 1, IsOpen(puzzle, placer, direction, line,
                                                                   start, length, minCrossings))
                            << where << " " << DirectionWord(direction) << " line " << line
                            << " start " << start << " length " << length << " crossings "
                            << minCrossings;
                    }
                }
            }
        }
    }
}

TEST(OpenSlotsTest, KeptUpToDatePlacementByPlacement) {
    for (const auto& [columns, rows] : std::vector<std::pair<int32_t, int32_t>>{{7, 5}, {12, 12}}) {
        for (uint32_t seed = 1; seed <= 6; ++seed) {
            Puzzle puzzle;
            puzzle.ResizeGrid(columns, rows);
            puzzle.ResetGrid();
            // One-letter words are what lets a crossed slot be fenced in.
            const Vocabulary words = Words({"A", "E", "N", "AN", "EN", "NE", "ANE", "NEE", "ENNA",
                                            "ANNE", "NENA", "EEN", "NAN", "AENNE"});
            GenerationRun run(words, columns, rows);
            ScriptedRandom random({}, seed);
            ScriptedDialogs dialogs;
            WordPlacer placer(puzzle, run, dialogs, random);
            OpenSlots slots(puzzle.Grid);
            std::mt19937 engine(seed);
            for (int attempt = 0; attempt < 400; ++attempt) {
                const auto entry = static_cast<int32_t>(1 + engine() % 14);
                const Direction direction = engine() % 2 == 0 ? Direction::Across : Direction::Down;
                const auto column = static_cast<int32_t>(engine() % columns);
                const auto row = static_cast<int32_t>(engine() % rows);
                run.Available[static_cast<size_t>(entry)] = 1;
                const auto placed = placer.PlaceWord(entry, attempt < 3 ? 0 : 1,
                                                     {column, column, row, row}, direction, false);
                if (!placed) {
                    continue;
                }
                const OpenSlots before = slots;
                const std::vector<OpenSlots::Opened> opened = slots.Update(puzzle.Grid, *placed);
                const std::string where = std::to_string(columns) + "x" + std::to_string(rows) +
                                          " seed " + std::to_string(seed) + " placement " +
                                          std::to_string(attempt);
                ExpectSlotsOfTheGrid(slots, puzzle, placer, where);
                // What opened is exactly what was closed before and is open now.
                for (const OpenSlots::Opened& o : opened) {
                    EXPECT_EQ(o.Starts, slots.Open(o.Dir, o.Line, o.Length, o.MinCrossings) &
                                            ~before.Open(o.Dir, o.Line, o.Length, o.MinCrossings))
                        << where;
                }
                // The patterns are the letters of the grid.
                const int32_t line =
                    placed->Dir == Direction::Across ? placed->Row : placed->Column;
                const int32_t start =
                    placed->Dir == Direction::Across ? placed->Column : placed->Row;
                EXPECT_EQ(slots.PatternAt(placed->Dir, line, start, placed->Length).Count,
                          placed->Length)
                    << where;
            }
        }
    }
}

} // namespace
