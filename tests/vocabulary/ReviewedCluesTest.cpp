#include "vocabulary/ReviewedClues.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/vocabulary/RecordClues.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/ThesaurusImport.h"
#include "vocabulary/VocabularyRules.h"

#include <gtest/gtest.h>

namespace {

using Records = std::vector<VocabularyRecord>;

const VocabularyRules::BanList& Banned() {
    static const auto banned = VocabularyRules::BanList::Parse("Porno\n");
    return banned;
}

// The message Parse refuses the text with, "" when it takes it.
std::string Refusal(std::string_view utf8) {
    try {
        ReviewedClues::Parse(utf8, Banned());
    } catch (const WabolexError& e) {
        return Cp1252::ToUtf8(e.what());
    }
    return {};
}

} // namespace

TEST(ReviewedCluesTest, ReadsCluesAndWordsLeftOut) {
    const ReviewedClues reviewed = ReviewedClues::Parse(
        "# Kommentar\n"
        "\n"
        "BUERGERMEISTER; Oberhaupt einer Gemeinde  # Stadt und Dorf\r\n"
        "ANKER;Schiffshaken\n"
        "ANKER;Teil einer Uhr\n"
        "PONTE;-\n",
        Banned());
    ASSERT_NE(reviewed.Find("BUERGERMEISTER"), nullptr);
    EXPECT_EQ(*reviewed.Find("BUERGERMEISTER"),
              (std::vector<std::string>{"Oberhaupt einer Gemeinde"}));
    EXPECT_EQ(*reviewed.Find("ANKER"),
              (std::vector<std::string>{"Schiffshaken", "Teil einer Uhr"}));
    ASSERT_NE(reviewed.Find("PONTE"), nullptr);
    EXPECT_TRUE(reviewed.Find("PONTE")->empty());
    EXPECT_EQ(reviewed.Find("REITER"), nullptr);
    EXPECT_EQ(reviewed.Words().size(), 3u);
}

// A reviewed clue stands in the table unseen by the importer's filters: each
// line keeps the table's hard rules itself, or the import stops at it.
TEST(ReviewedCluesTest, ALineThatBreaksARuleStopsTheImportAtIt) {
    EXPECT_NE(Refusal("ANKER Schiffshaken\n").find("Zeile 1"), std::string::npos);
    EXPECT_NE(Refusal("Anker;Schiffshaken\n").find("Großbuchstaben"), std::string::npos);
    EXPECT_NE(Refusal("ANKER;\n").find("fehlt"), std::string::npos);
    EXPECT_NE(Refusal("ANKER;Haken, der ein Schiff auf dem Grund des Hafens festhält\n").find("50"),
              std::string::npos);
    EXPECT_NE(Refusal("ANKER;Haken, Eisen, Halt\n").find("zwei Begriffe"), std::string::npos);
    // Give-aways by every rule of the table, also by a word part.
    EXPECT_NE(Refusal("\nANKER;Schiffsanker\n").find("Zeile 2: ANKER"), std::string::npos);
    EXPECT_NE(Refusal("ABENDBROT;Brotzeit\n").find("verrät"), std::string::npos);
    EXPECT_NE(Refusal("KINO;Pornosaal\n").find("gesperrt"), std::string::npos);
    EXPECT_NE(Refusal("PORNOKINO;Lichtspielhaus\n").find("gesperrt"), std::string::npos);
    EXPECT_NE(Refusal("ANKER;Schiff ⚓\n").find("Windows-1252"), std::string::npos);
    // One or two clues a word, and none beside a "-".
    EXPECT_NE(Refusal("ANKER;Schiffshaken\nANKER;Teil einer Uhr\nANKER;Halt\n")
                  .find("Zeile 3: ANKER hat schon zwei"),
              std::string::npos);
    EXPECT_NE(Refusal("PONTE;-\nPONTE;Brücke\n").find("ausgelassen"), std::string::npos);
    EXPECT_NE(Refusal("PONTE;Brücke\nPONTE;-\n").find("schon"), std::string::npos);
    // No clue text for two words, in any spelling.
    EXPECT_NE(Refusal("GEMAELDE;Ölbild\nOELBILD;-\nPORTRAET;ölbild\n").find("GEMAELDE"),
              std::string::npos);
    EXPECT_EQ(Refusal("ANKER;Schiffshaken\nANKER;Teil einer Uhr\nPONTE;-\n"), "");
}

// The list shipped in the program: its lines keep the rules (Parse throws
// otherwise), and it holds only words for the general table.
TEST(ReviewedCluesTest, TheShippedListKeepsTheRules) {
    const ReviewedClues& shipped = ReviewedClues::Shipped();
    for (const auto& [word, clues] : shipped.Words()) {
        EXPECT_GE(word.size(), 5u) << word;
        EXPECT_LE(clues.size(), ReviewedClues::MaxClues) << word;
    }
}

TEST(ThesaurusImportTest, ReviewedCluesReplaceThoseOfTheThesaurus) {
    const ReviewedClues reviewed = ReviewedClues::Parse("REITER;Berittener\n"
                                                        "PONTE;-\n"
                                                        "ANKER;Schiffshaken\n"
                                                        "ANKER;Teil einer Uhr\n"
                                                        "GONDEL;Boot in Venedig\n",
                                                        Banned());
    Lexicon lexicon;
    lexicon.AddKnownWords("Reiter\nPonte\nAnker\nTab\nGondel\nLaeufer\n");
    lexicon.AddRanking(R"(["tab", "anker", "gondel", "reiter"])");
    ThesaurusImport::Options options;
    options.Words = &lexicon;
    options.Reviewed = &reviewed;
    const Records records = ThesaurusImport::Parse("Tab;Reiter\n"
                                                   "Ponte;Fähre\n"
                                                   "Anker;Läufer\n",
                                                   options);
    EXPECT_EQ(CluesFor(records, "REITER"), (std::vector<std::string>{"Berittener"}));
    EXPECT_TRUE(CluesFor(records, "PONTE").empty());
    EXPECT_EQ(CluesFor(records, "ANKER"),
              (std::vector<std::string>{"Schiffshaken", "Teil einer Uhr"}));
    // A reviewed word the thesaurus does not give takes its place by rank.
    std::vector<std::string> order;
    for (const auto& r : records) {
        if (order.empty() || order.back() != r.Word) {
            order.push_back(r.Word);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"TAB", "ANKER", "GONDEL", "REITER", "LAEUFER"}));

    // A reviewed word must exist: the table's check refuses unknown words.
    const ReviewedClues unknown = ReviewedClues::Parse("GONDELEI;Fahrt\n", Banned());
    options.Reviewed = &unknown;
    EXPECT_THROW(ThesaurusImport::Parse("Tab;Reiter\n", options), WabolexError);
}

// The words of one group would all get its two most common terms; each gets
// a clue of its own while its best term allows one, a reviewed clue counting
// as taken, the most common word getting the best.
TEST(ThesaurusImportTest, WordsOfOneGroupGetDifferentClues) {
    Lexicon lexicon;
    lexicon.AddRanking(R"(["streit", "konflikt", "zank", "zwist", "hader", "fehde", "clinch"])");
    const ReviewedClues reviewed = ReviewedClues::Parse("FEHDE;Streit, Konflikt\n", Banned());
    ThesaurusImport::Options options;
    options.Words = &lexicon;
    options.Reviewed = &reviewed;
    const Records records =
        ThesaurusImport::Parse("Streit;Konflikt;Zank;Zwist;Hader;Fehde;Clinch\n", options);
    EXPECT_EQ(CluesFor(records, "STREIT"), (std::vector<std::string>{"Konflikt, Zank"}));
    EXPECT_EQ(CluesFor(records, "ZANK"), (std::vector<std::string>{"Streit, Zwist"}));
    // The best term stays, with other company or alone.
    EXPECT_EQ(CluesFor(records, "ZWIST"), (std::vector<std::string>{"Streit, Hader"}));
    EXPECT_EQ(CluesFor(records, "CLINCH"), (std::vector<std::string>{"Streit"}));
    std::set<std::string> clues;
    for (const auto& r : records) {
        EXPECT_TRUE(clues.insert(r.Clue).second) << r.Word << ": " << r.Clue;
    }
    EXPECT_EQ(clues.size(), 7u);
}
