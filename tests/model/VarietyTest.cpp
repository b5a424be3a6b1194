// Shuffling the words of each length: the list keeps its layout by length and
// its main and short words apart, the entries of one word stay together.
#include "model/Variety.h"
#include "model/CommonWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// The words before shortStart are main words, the others short words.
Vocabulary List(const std::vector<std::string>& words, size_t shortStart) {
    std::vector<TWordEntry> main;
    std::vector<TWordEntry> shortWords;
    for (size_t i = 0; i < words.size(); ++i) {
        (i + 1 < shortStart ? main : shortWords).push_back({words[i], "clue " + std::to_string(i)});
    }
    return Vocabulary(main, shortWords);
}

std::vector<std::string> Words(const Vocabulary& list) {
    std::vector<std::string> words;
    for (int32_t i = 1; i <= list.WordCount(); ++i) {
        words.emplace_back(list.Entry(i).Word);
    }
    return words;
}

// Six-letter words, one of them with two entries; five-letter words; then
// the short words after the boundary, again with five letters at first.
const std::vector<std::string> kWords = {
    "ABCDEF", "BCDEFG", "CDEFGH", "CDEFGH", "DEFGHI", "EFGHIJ", "FGHIJK", "GHIJ1",
    "HIJK1",  "IJKL1",  "JKLM1",  "KLMN1",  "LMNO1",  "MNOP1",  "ABCD2",  "BCDE2",
    "XY",     "YZ",     "ZA",     "AB",     "BC",     "CD",
};
constexpr int32_t kShortStart = 15; // entries 15.. are the short words

} // namespace

TEST(VarietyTest, ShufflesWithinEachLengthAndKeepsEachWordsEntriesTogether) {
    const Vocabulary table = List(kWords, kShortStart);
    const Vocabulary list = Variety::Shuffled(table, 42);
    const std::vector<std::string> words = Words(list);
    EXPECT_EQ(list.ShortWordStart(), kShortStart);
    EXPECT_EQ(Words(table), kWords) << "the table's own order stays as it was";
    EXPECT_NE(words, kWords);
    // Every position keeps the length it had, and each run its words.
    for (size_t i = 0; i < kWords.size(); ++i) {
        EXPECT_EQ(words[i].size(), kWords[i].size()) << i;
    }
    const auto sorted = [](std::vector<std::string> v, size_t from, size_t to) {
        std::vector<std::string> part(v.begin() + from, v.begin() + to);
        std::sort(part.begin(), part.end());
        return part;
    };
    EXPECT_EQ(sorted(words, 0, 7), sorted(kWords, 0, 7));
    EXPECT_EQ(sorted(words, 7, 14), sorted(kWords, 7, 14));
    // The five-letter short words stay after the boundary.
    EXPECT_EQ(sorted(words, 14, 16), sorted(kWords, 14, 16));
    EXPECT_EQ(list.Entry(0).Word, "");
    // The two entries of CDEFGH stay neighbours, in their order.
    const auto first = std::find(words.begin(), words.end(), "CDEFGH") - words.begin();
    EXPECT_EQ(words[first + 1], "CDEFGH");
    EXPECT_EQ(list.Entry(static_cast<int32_t>(first + 1)).Clue, "clue 2");
    EXPECT_EQ(list.Entry(static_cast<int32_t>(first + 2)).Clue, "clue 3");
    // The index follows the new order: the first six-letter word is the new one.
    EXPECT_EQ(list.Index().FirstEntries(6).front(), 1);
    EXPECT_EQ(list.Index().LengthOf(1), 6);
    // A shuffled list shuffled again names the table's entries.
    EXPECT_EQ(Words(Variety::Shuffled(list, 42)).size(), kWords.size());
}

TEST(VarietyTest, OrderFollowsTheSeedAlone) {
    const Vocabulary table = List(kWords, kShortStart);
    const auto shuffled = [&table](uint64_t seed) { return Words(Variety::Shuffled(table, seed)); };
    EXPECT_EQ(shuffled(7), shuffled(7));
    std::map<std::vector<std::string>, int> orders;
    for (uint64_t seed = 0; seed < 50; ++seed) {
        ++orders[shuffled(seed)];
    }
    EXPECT_GT(orders.size(), 40u);
}

// Drawn with weights, the common words of a run come first far more often
// than the rare ones, yet each word leads some orders; the layout rules hold
// as in the even shuffle.
TEST(VarietyTest, WeightedDrawPutsCommonWordsFirstMoreOften) {
    std::vector<std::string> words;
    for (char c = 'A'; c <= 'T'; ++c) {
        words.push_back(std::string(5, c));
    }
    // AAAAA among the 1,000 most common (weight 12), BBBBB below 20,000 (2).
    std::string list = "AAAAA\n";
    for (int i = 0; i < 15000; ++i) {
        list += "X" + std::to_string(i) + "\n";
    }
    const CommonWords common = CommonWords::Parse(list + "BBBBB\n");
    EXPECT_EQ(common.Rank("BBBBB"), 15001u);
    EXPECT_EQ(Variety::CommonWeight(common.Rank("AAAAA")), 12);
    EXPECT_EQ(Variety::CommonWeight(19999), 2);
    EXPECT_EQ(Variety::CommonWeight(CommonWords::Unranked), 1);
    std::map<std::string, int> first;
    const Vocabulary table = List(words, 21);
    for (uint64_t seed = 0; seed < 400; ++seed) {
        const Vocabulary list = Variety::Shuffled(table, seed, &common);
        std::vector<std::string> order = Words(list);
        std::sort(order.begin(), order.end());
        ASSERT_EQ(order, words);
        ++first[std::string(list.Entry(1).Word)];
    }
    // Weights 12 and 2 of 32 in all: about 150 and 25 of 400.
    EXPECT_GT(first["AAAAA"], 115);
    EXPECT_GT(first["BBBBB"], first["CCCCC"]);
    EXPECT_GT(first.size(), 10u);
    // The same seed, the same order; and the entries of a word stay together.
    const Vocabulary a = Variety::Shuffled(List(kWords, kShortStart), 3, &common);
    const Vocabulary b = Variety::Shuffled(List(kWords, kShortStart), 3, &common);
    EXPECT_EQ(Words(a), Words(b));
    const std::vector<std::string> shuffled = Words(a);
    const auto at = std::find(shuffled.begin(), shuffled.end(), "CDEFGH") - shuffled.begin();
    EXPECT_EQ(shuffled[at + 1], "CDEFGH");
}
