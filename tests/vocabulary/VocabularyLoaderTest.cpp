#include "vocabulary/VocabularyLoader.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "model/Puzzle.h"
#include "tests/vocabulary/TempFolder.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/VocabularyTable.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

const fs::path kShortName = fs::path(u8"Kurzwörter2004.DB");

std::vector<std::string> Words(const Puzzle& puzzle) {
    std::vector<std::string> words;
    for (const auto& e : puzzle.WordList) {
        words.push_back(e.Word);
    }
    return words;
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const WabolexError& e) {
        return e.what();
    }
    return "(kein Fehler)";
}

class VocabularyLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParadoxWriter::WriteVocabulary(Dir() / "tiere.db", {{"HUND", "Bellt"},
                                                            {"ELEFANT", W("Dickhäuter")},
                                                            {"KATZE", "Miaut"},
                                                            {"HUND", "Haustier"}});
        ParadoxWriter::WriteVocabulary(Dir() / kShortName, {{"EI", "Vom Huhn"}, {"AAL", "Fisch"}});
    }
    const fs::path& Dir() const { return folder_.Path(); }

    TempFolder folder_;
    Puzzle puzzle_;
};

} // namespace

TEST_F(VocabularyLoaderTest, MainWordsLongestFirstThenTheShortWords) {
    VocabularyLoader::Load(Dir() / "tiere.db", puzzle_);
    // Equal words stay together in key order; the short table follows its own order.
    EXPECT_EQ(Words(puzzle_),
              (std::vector<std::string>{"", "ELEFANT", "KATZE", "HUND", "HUND", "AAL", "EI"}));
    EXPECT_EQ(puzzle_.WordCount, 6);
    EXPECT_EQ(puzzle_.ShortWordStart, 5);
    EXPECT_EQ(puzzle_.SourceName, "tiere.db");
    EXPECT_EQ(puzzle_.Entry(3).Clue, "Bellt");
    EXPECT_EQ(puzzle_.Entry(4).Clue, "Haustier");
    EXPECT_EQ(puzzle_.Entry(1).Available, 1);
    EXPECT_EQ(puzzle_.Entry(5).Available, 0);
}

TEST_F(VocabularyLoaderTest, TheShortWordTableItselfAndItsNameInOtherCase) {
    VocabularyLoader::Load(Dir() / kShortName, puzzle_);
    EXPECT_EQ(puzzle_.WordCount, 2);
    EXPECT_EQ(puzzle_.ShortWordStart, 3);
    EXPECT_EQ(puzzle_.SourceName, W("Kurzwörter2004.DB"));

    // Only the exact name counts as the short-word table: a copy under another
    // spelling brings its words twice.
    fs::copy_file(Dir() / kShortName, Dir() / fs::path(u8"kurzwörter2004.db"));
    VocabularyLoader::Load(Dir() / fs::path(u8"kurzwörter2004.db"), puzzle_);
    EXPECT_EQ(Words(puzzle_), (std::vector<std::string>{"", "AAL", "EI", "AAL", "EI"}));
    EXPECT_EQ(puzzle_.ShortWordStart, 3);
}

TEST_F(VocabularyLoaderTest, AMissingOrBrokenMainTableChangesNothing) {
    VocabularyLoader::Load(Dir() / "tiere.db", puzzle_);
    const auto before = puzzle_.WordList;

    EXPECT_EQ(MessageOf([&] { VocabularyLoader::Load(Dir() / "fehlt.db", puzzle_); }),
              W("Die Datei fehlt.db existiert NICHT!"));
    std::ofstream(Dir() / "kaputt.db")
        << "keine Tabelle, nur Text, aber lang genug fuer einen Kopf "
           "mit allerlei Bytes darin, die nichts bedeuten";
    EXPECT_NE(
        MessageOf([&] { VocabularyLoader::Load(Dir() / "kaputt.db", puzzle_); }).find("kaputt.db"),
        std::string::npos);
    EXPECT_THROW(VocabularyLoader::Load(Dir(), puzzle_), WabolexError); // a folder

    EXPECT_EQ(puzzle_.WordList, before);
    EXPECT_EQ(puzzle_.WordCount, 6);
    EXPECT_EQ(puzzle_.SourceName, "tiere.db");
}

TEST_F(VocabularyLoaderTest, WithoutShortWordTableTheMainWordsStayLoaded) {
    fs::remove(Dir() / kShortName);
    const std::string message =
        MessageOf([&] { VocabularyLoader::Load(Dir() / "tiere.db", puzzle_); });
    EXPECT_EQ(message, W("Die Kurzworttabelle Kurzwörter2004.DB fehlt im Ordner von tiere.db. "
                         "Die Wörter aus tiere.db sind ohne Kurzwörter geladen."));
    EXPECT_EQ(puzzle_.WordCount, 4);
    EXPECT_EQ(puzzle_.ShortWordStart, 5);
    EXPECT_EQ(puzzle_.SourceName, "tiere.db");

    // A damaged short-word table behaves the same.
    std::ofstream(Dir() / kShortName) << std::string(300, '\x07');
    EXPECT_THROW(VocabularyLoader::Load(Dir() / "tiere.db", puzzle_), WabolexError);
    EXPECT_EQ(puzzle_.WordCount, 4);
}

TEST_F(VocabularyLoaderTest, ASmallerOrEmptyVocabularyReplacesTheOldOne) {
    VocabularyLoader::Load(Dir() / "tiere.db", puzzle_);
    ParadoxWriter::WriteVocabulary(Dir() / "leer.db", {});
    VocabularyLoader::Load(Dir() / "leer.db", puzzle_);
    EXPECT_EQ(Words(puzzle_), (std::vector<std::string>{"", "AAL", "EI"}));
    EXPECT_EQ(puzzle_.ShortWordStart, 1);
    EXPECT_EQ(puzzle_.WordCount, 2);
}

// A table written in the caller's order is read in that order within each
// length: the entries of a word join its first, repeated pairs go.
TEST(ParadoxWriterOrderTest, GivenOrderSurvivesWithinEachLength) {
    const std::vector<VocabularyRecord> records = {
        {"ZEBRA", "Streifen"}, {"AFFE", "Primat"},   {"HUND", "Bellt"},  {"ZEBRA", "Tier"},
        {"ADLER", "Vogel"},    {"HUND", "Bellt"},    {"BAER", "Petz"},   {"AFFE", "Menschenaffe"}};
    const std::string image =
        ParadoxWriter::VocabularyImage(records, "t.db", nullptr, ParadoxWriter::Order::AsGiven);
    std::vector<std::string> read;
    for (const TWordEntry& e : VocabularyTable::ReadImage(image, "t.db")) {
        read.push_back(e.Word + ":" + e.Clue);
    }
    EXPECT_EQ(read, (std::vector<std::string>{"ZEBRA:Streifen", "ZEBRA:Tier", "ADLER:Vogel",
                                              "AFFE:Primat", "AFFE:Menschenaffe", "HUND:Bellt",
                                              "BAER:Petz"}));
    // By word, as a keyed table keeps them.
    read.clear();
    for (const TWordEntry& e :
         VocabularyTable::ReadImage(ParadoxWriter::VocabularyImage(records, "t.db"), "t.db")) {
        read.push_back(e.Word);
    }
    EXPECT_EQ(read, (std::vector<std::string>{"ADLER", "ZEBRA", "ZEBRA", "AFFE", "AFFE", "BAER",
                                              "HUND"}));
}
