#include "vocabulary/VocabularyLoader.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/vocabulary/TempFolder.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/VocabularyTable.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

const fs::path kShortName = fs::path(u8"Kurzwörter2004.DB");

std::vector<std::string> Words(const LoadedVocabulary& loaded) {
    std::vector<std::string> words;
    for (int32_t i = 0; i <= loaded.Words->WordCount(); ++i) {
        words.emplace_back(loaded.Words->Entry(i).Word);
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
};

} // namespace

TEST_F(VocabularyLoaderTest, MainWordsLongestFirstThenTheShortWords) {
    const LoadedVocabulary loaded = VocabularyLoader::Load(Dir() / "tiere.db");
    // Equal words stay together in key order; the short table follows its own order.
    EXPECT_EQ(Words(loaded),
              (std::vector<std::string>{"", "ELEFANT", "KATZE", "HUND", "HUND", "AAL", "EI"}));
    EXPECT_EQ(loaded.Words->WordCount(), 6);
    EXPECT_EQ(loaded.Words->ShortWordStart(), 5);
    EXPECT_EQ(loaded.SourceName, "tiere.db");
    EXPECT_FALSE(loaded.ShortWordsProblem);
    EXPECT_EQ(loaded.Words->Entry(3).Clue, "Bellt");
    EXPECT_EQ(loaded.Words->Entry(4).Clue, "Haustier");
    EXPECT_EQ(loaded.Words->Index().WordCount(), 6);
}

TEST_F(VocabularyLoaderTest, TheShortWordTableItselfAndItsNameInOtherCase) {
    LoadedVocabulary loaded = VocabularyLoader::Load(Dir() / kShortName);
    EXPECT_EQ(loaded.Words->WordCount(), 2);
    EXPECT_EQ(loaded.Words->ShortWordStart(), 3);
    EXPECT_EQ(loaded.SourceName, W("Kurzwörter2004.DB"));
    EXPECT_FALSE(loaded.ShortWordsProblem);

    // Only the exact name counts as the short-word table: a copy under another
    // spelling brings its words twice.
    fs::copy_file(Dir() / kShortName, Dir() / fs::path(u8"kurzwörter2004.db"));
    loaded = VocabularyLoader::Load(Dir() / fs::path(u8"kurzwörter2004.db"));
    EXPECT_EQ(Words(loaded), (std::vector<std::string>{"", "AAL", "EI", "AAL", "EI"}));
    EXPECT_EQ(loaded.Words->ShortWordStart(), 3);
}

TEST_F(VocabularyLoaderTest, AMissingOrBrokenMainTableIsRefused) {
    EXPECT_EQ(MessageOf([&] { VocabularyLoader::Load(Dir() / "fehlt.db"); }),
              W("Die Datei fehlt.db existiert NICHT!"));
    std::ofstream(Dir() / "kaputt.db")
        << "keine Tabelle, nur Text, aber lang genug fuer einen Kopf "
           "mit allerlei Bytes darin, die nichts bedeuten";
    EXPECT_NE(MessageOf([&] { VocabularyLoader::Load(Dir() / "kaputt.db"); }).find("kaputt.db"),
              std::string::npos);
    EXPECT_THROW(VocabularyLoader::Load(Dir()), WabolexError); // a folder
}

TEST_F(VocabularyLoaderTest, WithoutShortWordTableTheMainWordsAreLoadedAndTheProblemNamed) {
    fs::remove(Dir() / kShortName);
    LoadedVocabulary loaded = VocabularyLoader::Load(Dir() / "tiere.db");
    ASSERT_TRUE(loaded.ShortWordsProblem);
    EXPECT_EQ(*loaded.ShortWordsProblem,
              W("Die Kurzworttabelle Kurzwörter2004.DB fehlt im Ordner von tiere.db. "
                "Die Wörter aus tiere.db sind ohne Kurzwörter geladen."));
    EXPECT_EQ(loaded.Words->WordCount(), 4);
    EXPECT_EQ(loaded.Words->ShortWordStart(), 5);
    EXPECT_EQ(loaded.SourceName, "tiere.db");

    // A damaged short-word table behaves the same.
    std::ofstream(Dir() / kShortName) << std::string(300, '\x07');
    loaded = VocabularyLoader::Load(Dir() / "tiere.db");
    EXPECT_TRUE(loaded.ShortWordsProblem);
    EXPECT_EQ(loaded.Words->WordCount(), 4);
}

TEST_F(VocabularyLoaderTest, AnEmptyMainTableGivesOnlyShortWords) {
    ParadoxWriter::WriteVocabulary(Dir() / "leer.db", {});
    const LoadedVocabulary loaded = VocabularyLoader::Load(Dir() / "leer.db");
    EXPECT_EQ(Words(loaded), (std::vector<std::string>{"", "AAL", "EI"}));
    EXPECT_EQ(loaded.Words->ShortWordStart(), 1);
    EXPECT_EQ(loaded.Words->WordCount(), 2);
}

// A table written in the caller's order is read in that order within each
// length: the entries of a word join its first, repeated pairs go.
TEST(ParadoxWriterOrderTest, GivenOrderSurvivesWithinEachLength) {
    const std::vector<VocabularyRecord> records = {
        {"ZEBRA", "Streifen"}, {"AFFE", "Primat"}, {"HUND", "Bellt"}, {"ZEBRA", "Tier"},
        {"ADLER", "Vogel"},    {"HUND", "Bellt"},  {"BAER", "Petz"},  {"AFFE", "Menschenaffe"}};
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
