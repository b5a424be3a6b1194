// The vocabulary shared by every run: its layout, its index in any order,
// runs that leave it as it was, and its flat image.
#include "model/Vocabulary.h"
#include "model/AvailableWords.h"
#include "model/FlatImage.h"
#include "model/Generator.h"
#include "tests/model/TestSupport.h"

#include "base/WabolexError.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <random>
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

namespace {

std::string FlatOf(const Vocabulary& words) {
    FlatImage::Writer writer;
    words.WriteTo(writer);
    return writer.Take();
}

// Read back from a copy that `keep` owns, as a cache file's mapping is.
Vocabulary FromFlat(const std::string& image) {
    auto copy = std::make_shared<const std::string>(image);
    FlatImage::Reader reader(*copy);
    Vocabulary words = Vocabulary::ReadFrom(reader, copy);
    if (!reader.AtEnd()) {
        throw FlatImage::Invalid{};
    }
    return words;
}

std::string PuzzleOf(const Vocabulary& words, uint64_t seed) {
    Puzzle puzzle;
    AcceptingDialogs dialogs;
    RandomSource random(seed);
    GenerationSettings settings;
    settings.ShowInsertions = false;
    settings.SolutionWord = "ERDE";
    Generator(puzzle, words, dialogs, random).RGenerieren(settings);
    return BarPicture(puzzle) + LetterPicture(puzzle);
}

// Reads every part of a vocabulary and its index, so that a sanitizer build
// sees any access outside them.
size_t TouchEverything(const Vocabulary& words) {
    size_t sum = 0;
    const WordIndex& index = words.Index();
    for (int32_t entry = 0; entry <= words.WordCount(); ++entry) {
        sum += words.Entry(entry).Word.size() + words.Entry(entry).Clue.size();
        sum += static_cast<size_t>(index.LengthOf(entry)) + (index.Covers(entry) ? 1 : 0);
    }
    for (const int32_t entry : index.Uncovered()) {
        sum += words.Entry(entry).Word.size();
    }
    for (int32_t length = 1; length <= WordIndex::MaxLength; ++length) {
        for (const int32_t entry : index.FirstEntries(length)) {
            sum += words.Entry(entry).GridWord().size();
        }
        for (const int32_t entry : index.LastEntries(length)) {
            sum += words.Entry(entry).GridWord().size();
        }
        for (int32_t position = 0; position < length; ++position) {
            for (int letter = 0; letter < 256; ++letter) {
                const WordIndex::LetterSet set =
                    index.EntriesWith(length, position, static_cast<unsigned char>(letter));
                for (int32_t block = 0; set.Bits && block < index.Blocks(length); ++block) {
                    sum += static_cast<size_t>(std::popcount(set.Bits[block]));
                }
            }
        }
    }
    return sum;
}

} // namespace

// A vocabulary kept as a flat image and read back is the same vocabulary: the
// same entries, the same index bit for bit, the same puzzles.
TEST(FlatVocabularyTest, ReadBackItIsTheSameVocabulary) {
    Vocabulary::Builder builder;
    const Vocabulary synthetic = SyntheticWords(700, 80, 9);
    for (int32_t entry = 1; entry <= synthetic.WordCount(); ++entry) {
        builder.Add(synthetic.Entry(entry).Word, synthetic.Entry(entry).Clue);
        if (entry + 1 == synthetic.ShortWordStart()) {
            builder.EndOfMainWords();
        }
    }
    // A word the index leaves out, one longer than the grid, and an empty one.
    builder.Add("AB.CD", "clue");
    builder.Add("ABCDEFGHIJKLMNOPQ", "lang");
    builder.Add("", "leer");
    const Vocabulary words = builder.Build();
    const std::vector<Vocabulary> originals = {
        words, words.Reordered([&] {
            std::vector<int32_t> order(static_cast<size_t>(words.WordCount()) + 1);
            for (size_t place = 1; place < order.size(); ++place) {
                order[place] = static_cast<int32_t>(order.size() - place);
            }
            return order;
        }())};
    for (const Vocabulary& original : originals) {
        const Vocabulary copy = FromFlat(FlatOf(original));
        ASSERT_EQ(copy.WordCount(), original.WordCount());
        EXPECT_EQ(copy.ShortWordStart(), original.ShortWordStart());
        for (int32_t entry = 0; entry <= original.WordCount(); ++entry) {
            ASSERT_EQ(copy.Entry(entry).Word, original.Entry(entry).Word);
            ASSERT_EQ(copy.Entry(entry).Clue, original.Entry(entry).Clue);
        }
        // Written again it gives the same bytes: every array of the index came back.
        EXPECT_EQ(FlatOf(copy), FlatOf(original));
        EXPECT_EQ(TouchEverything(copy), TouchEverything(original));
        for (uint64_t seed : {1, 2, 3}) {
            EXPECT_EQ(PuzzleOf(copy, seed), PuzzleOf(original, seed));
        }
    }
    EXPECT_EQ(FromFlat(FlatOf(Vocabulary())).WordCount(), 0);
}

// A damaged image is refused or gives a vocabulary that is read only inside
// its arrays; it never crashes the program.
TEST(FlatVocabularyTest, DamagedImagesAreRefusedNotTrusted) {
    const std::string image = FlatOf(SyntheticWords(300, 30, 4));
    // Cut anywhere: always refused.
    for (size_t size = 0; size < image.size(); size += 1 + size / 64) {
        EXPECT_THROW(FromFlat(image.substr(0, size)), FlatImage::Invalid) << size;
    }
    EXPECT_THROW(FromFlat(image + std::string(8, '\0')), FlatImage::Invalid);
    // Numbers changed anywhere: counts, offsets, entries, lengths, bits.
    std::mt19937_64 random(7);
    int refused = 0;
    for (int trial = 0; trial < 600; ++trial) {
        std::string damaged = image;
        const size_t at = (random() % (damaged.size() / 8)) * 8;
        const int64_t values[] = {
            -1, 0, 1, 15, 16, 64, INT32_MAX, INT64_MAX, static_cast<int64_t>(random())};
        const int64_t value = values[random() % std::size(values)];
        std::memcpy(damaged.data() + at + (trial % 2 == 0 ? 0 : 4), &value, trial % 2 == 0 ? 8 : 4);
        try {
            const Vocabulary words = FromFlat(damaged);
            TouchEverything(words);
            PuzzleOf(words, 1);
        } catch (const FlatImage::Invalid&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 100) << "the checks look at the arrays at all";
}
