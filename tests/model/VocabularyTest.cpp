// The vocabulary shared by every run: its layout, its index in any order, and
// runs that leave it as it was.
#include "model/Vocabulary.h"
#include "model/AvailableWords.h"
#include "model/Generator.h"
#include "tests/model/TestSupport.h"

#include "base/WabolexError.h"

#include <gtest/gtest.h>

#include <thread>

using namespace testing_support;

namespace {

TEST(VocabularyTest, MainWordsThenShortWordsBehindTheReservedEntry) {
    const Vocabulary words = Words({"HAUS", "AST"}, {"EI"});
    EXPECT_EQ(words.WordCount(), 3);
    EXPECT_EQ(words.ShortWordStart(), 3);
    EXPECT_EQ(words.Entry(0).Word, "");
    EXPECT_EQ(words.Entry(2).Word, "AST");
    EXPECT_EQ(words.Entry(3).Clue, "EI clue 3");
    EXPECT_THROW(words.Entry(4), WabolexError);

    const Vocabulary none;
    EXPECT_EQ(none.WordCount(), 0);
    EXPECT_EQ(none.ShortWordStart(), 1);

    // The grid holds the first 15 letters; the entry keeps the word as loaded.
    const Vocabulary longWord = Words({"ABCDEFGHIJKLMNOPQ"});
    EXPECT_EQ(longWord.Entry(1).GridLength(), 15);
    EXPECT_EQ(longWord.Entry(1).Word.size(), 17u);
}

TEST(VocabularyTest, AnotherOrderSharesTheWordsAndHasItsOwnIndex) {
    const Vocabulary words = Words({"HAUS", "MAUS", "AST"}, {"EI"});
    const Vocabulary turned = words.Reordered({0, 2, 1, 3, 4});
    EXPECT_EQ(turned.Entry(1).Word, "MAUS");
    EXPECT_EQ(turned.Entry(2).Clue, "HAUS clue 1");
    EXPECT_EQ(turned.ShortWordStart(), 4);
    EXPECT_EQ(words.Entry(1).Word, "HAUS") << "the first order stays";
    // Reordering a reordered list names the places of the list it is given.
    EXPECT_EQ(turned.Reordered({0, 2, 1, 3, 4}).Entry(1).Word, "HAUS");
    EXPECT_THROW(words.Reordered({0, 1}), WabolexError);

    WordPattern m;
    m.Length = 4;
    m.Add(0, 'M');
    const std::vector<uint8_t> free(5, 1);
    AvailableWords inWords(words.Index(), free);
    AvailableWords inTurned(turned.Index(), free);
    EXPECT_EQ(inWords.FirstMatch(m, 1, 4), 2);
    EXPECT_EQ(inTurned.FirstMatch(m, 1, 4), 1);
}

// Runs in parallel threads read one vocabulary and make the puzzles a run
// alone makes.
TEST(VocabularyTest, ParallelRunsOnOneVocabularyMakeTheirOwnPuzzles) {
    const Vocabulary words = SyntheticWords(600, 60, 5);
    GenerationSettings settings;
    settings.ShowInsertions = false;
    settings.SolutionWord = "ERDE";
    auto make = [&](uint64_t seed) {
        Puzzle puzzle;
        AcceptingDialogs dialogs;
        RandomSource random(seed);
        Generator(puzzle, words, dialogs, random).RGenerieren(settings);
        return BarPicture(puzzle);
    };
    std::vector<std::string> alone;
    for (uint64_t seed = 1; seed <= 8; ++seed) {
        alone.push_back(make(seed));
    }
    std::vector<std::string> together(8);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < 8; ++i) {
        threads.emplace_back([&, i] { together[i] = make(i + 1); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(together, alone);
    EXPECT_NE(alone[0], alone[1]);
}

} // namespace
