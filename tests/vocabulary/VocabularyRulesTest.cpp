#include "vocabulary/VocabularyRules.h"
#include "base/Cp1252.h"
#include "vocabulary/TableCheck.h"

#include <gtest/gtest.h>

using VocabularyRules::BanList;
using VocabularyRules::Fold;
using VocabularyRules::GivesAway;

TEST(VocabularyRulesTest, FoldingIgnoresCaseUmlautsSharpSAndAccents) {
    EXPECT_EQ(Fold(W("Bär")).Spelt, "BAER");
    EXPECT_EQ(Fold(W("Bär")).Plain, "BAR");
    EXPECT_EQ(Fold("BAER").Plain, "BAR");
    EXPECT_EQ(Fold(W("Straße")).Spelt, "STRASSE");
    EXPECT_EQ(Fold(W("Brasília")).Spelt, "BRASILIA");
    EXPECT_EQ(Fold(W("Œuvre Ça")).Spelt, "OEUVRE CA");
    EXPECT_EQ(VocabularyRules::Words(W("(sich) Sitz-Ecke, über…")),
              (std::vector<std::string>{"sich", "Sitz", "Ecke", W("über")}));
}

TEST(VocabularyRulesTest, GiveAwaysOfLongAnswers) {
    // Shares the first five letters, in any spelling.
    EXPECT_TRUE(GivesAway(W("Kirchengänger"), "KIRCHGAENGER"));
    EXPECT_TRUE(GivesAway("Abfahrt", "abfahren"));
    // Within two letters' edit distance.
    EXPECT_TRUE(GivesAway("aufwendig", "AUFWAENDIG"));
    EXPECT_TRUE(GivesAway(W("Brasília"), "BRASILIA"));
    EXPECT_TRUE(GivesAway("Haut", "HAUS"));
    // Containment both ways, also across umlauts.
    EXPECT_TRUE(GivesAway(W("Tier mit Horn"), "NASHORN"));
    EXPECT_TRUE(GivesAway("Sitz-Ecke", "ECKE"));
    EXPECT_TRUE(GivesAway(W("Häuser"), "HAUS"));
    EXPECT_TRUE(GivesAway("Haus", "HAEUSER"));
    EXPECT_TRUE(GivesAway("Automobil", "AUTO"));
    // Clue words under four letters do not count for long answers.
    EXPECT_FALSE(GivesAway("Bau", "BAUT"));
    EXPECT_FALSE(GivesAway("Kernfission", "ATOMSPALTUNG"));
    EXPECT_FALSE(GivesAway("Frischling", "WILDSCHWEIN"));
    EXPECT_FALSE(GivesAway("Hausrat", "HUND"));
}

TEST(VocabularyRulesTest, GiveAwaysOfShortAnswersAreTheWordItself) {
    EXPECT_TRUE(GivesAway("das Ei legen", "EI"));
    EXPECT_TRUE(GivesAway(W("Bär, Tier"), "BAER"));
    EXPECT_TRUE(GivesAway(W("Kühe, Kuh"), "KUH"));
    EXPECT_FALSE(GivesAway("Leib", "EI"));
    EXPECT_FALSE(GivesAway("Eier", "EI"));
    EXPECT_FALSE(GivesAway("Bauwerk", "BAU"));
}

TEST(VocabularyRulesTest, EditDistanceStopsAtItsLimit) {
    EXPECT_EQ(VocabularyRules::EditDistance("KITTEN", "SITTING", 5), 3u);
    EXPECT_EQ(VocabularyRules::EditDistance("KITTEN", "SITTING", 2), 3u);
    EXPECT_EQ(VocabularyRules::EditDistance("A", "ABCDEFG", 2), 3u);
    EXPECT_EQ(VocabularyRules::EditDistance("", "AB", 2), 2u);
    EXPECT_EQ(VocabularyRules::EditDistance("SAME", "SAME", 0), 0u);
}

TEST(VocabularyRulesTest, BanListMatchesWholeWordsAndPhrases) {
    const BanList list = BanList::Parse("# Kommentar\n"
                                        "Möse\n"
                                        "  Schimpfname   # dahinter Kommentar\n"
                                        "Schutz Staffel\n"
                                        "SS\n"
                                        "\n");
    EXPECT_EQ(list.Size(), 4u);
    EXPECT_TRUE(list.Bans("MOESE"));
    EXPECT_TRUE(list.Bans(W("möse")));
    EXPECT_FALSE(list.Bans("MOSE")); // the umlaut is spelt out, not dropped
    EXPECT_TRUE(list.Bans("SCHIMPFNAME"));
    EXPECT_FALSE(list.Bans("SCHIMPFNAMEN")); // compounds and forms are listed by name
    EXPECT_TRUE(list.Bans("SS"));
    EXPECT_FALSE(list.Bans("SSS"));
    EXPECT_TRUE(list.BansAnyIn("SS-Mann"));
    EXPECT_TRUE(list.BansAnyIn("die Schutz-Staffel"));
    EXPECT_FALSE(list.BansAnyIn("Schutz der Staffel"));
    EXPECT_FALSE(list.BansAnyIn("Spass, Genuss"));
    EXPECT_TRUE(BanList().Empty());
}

TEST(TableCheckTest, CountsEachProblemAndKnowsTheHardRules) {
    const BanList banned = BanList::Parse("Schimpfname\n");
    const std::set<std::string> shortWords = {"EMU", "AAL"};
    const std::vector<TWordEntry> entries = {
        {"NASHORN", "Dickhäuter", 1},
        {"NASHORN", "Tier mit Horn", 1},
        {"NASHORN", W("Dickhäuter"), 1},
        {"ADLER", W("König der Lüfte"), 1},
        {"AAL", "Fisch", 1},
        {"ZANK", "Schimpfname", 1},
        {"ZANK", "", 1},
        {"ADLER", "Greifvogel", 1},
        {"UEBERLANGESWORTX", "zu breit", 1},
        {"DACHS", std::string(51, 'x'), 1},
        {"DACHS", std::string(51, 'x'), 1},
    };
    TableCheck::Inputs inputs;
    inputs.Banned = &banned;
    inputs.ShortWords = &shortWords;
    inputs.MinLength = 4;
    inputs.MaxLength = 15;
    const TableCheck::Report report = TableCheck::Check(entries, inputs);

    EXPECT_EQ(report.Entries, 11u);
    EXPECT_EQ(report.DistinctWords, 6u);
    EXPECT_EQ(report.WordsByLength,
              (std::map<size_t, size_t>{{3, 1}, {4, 1}, {5, 2}, {7, 1}, {16, 1}}));
    EXPECT_EQ(report.GiveAways.Entries.size(), 1u);
    EXPECT_EQ(report.Banned.Entries.size(), 1u);
    EXPECT_EQ(report.EmptyClues.Entries.size(), 1u);
    EXPECT_EQ(report.InShortWords.Entries.size(), 1u);
    ASSERT_EQ(report.Scattered.Entries.size(), 1u);
    EXPECT_EQ(report.Scattered.Entries[0]->Clue, "Greifvogel");
    EXPECT_EQ(report.WrongLength.Entries.size(), 2u);
    EXPECT_EQ(report.LongFields.Entries.size(), 3u);
    EXPECT_EQ(report.Duplicates.Entries.size(), 1u);
    EXPECT_TRUE(report.BreaksHardRule());

    const std::vector<TWordEntry> sound = {{"ADLER", W("König der Lüfte"), 1},
                                           {"ADLER", W("Wappentier"), 1},
                                           {"DACHS", std::string(51, 'x'), 1}};
    const TableCheck::Report fine = TableCheck::Check(sound, inputs);
    EXPECT_EQ(fine.MedianClueLength, 15.0);
    EXPECT_EQ(fine.LongFields.Entries.size(), 1u); // over-long fields are only a note
    EXPECT_FALSE(fine.BreaksHardRule());
}

TEST(TableCheckTest, OffensiveMarksCountOnlyInTheGroupAnEntryComesFrom) {
    const std::string thesaurus = "Schwein;Borstenvieh;Hausschwein\n"
                                  "Mistkerl (derb);Schwein (abwertend);Lump\n";
    TableCheck::Inputs inputs;
    inputs.ThesaurusUtf8 = thesaurus;
    const std::vector<TWordEntry> entries = {{"SCHWEIN", "Borstenvieh", 1},
                                             {"SCHWEIN", "Lump", 1},
                                             {"LUMP", "Mistkerl", 1},
                                             {"LUMP", "Schurke", 1}};
    const TableCheck::Report report = TableCheck::Check(entries, inputs);
    ASSERT_EQ(report.Offensive.Entries.size(), 2u);
    EXPECT_EQ(report.Offensive.Entries[0]->Clue, "Lump");
    EXPECT_EQ(report.Offensive.Entries[1]->Clue, "Mistkerl");
}
