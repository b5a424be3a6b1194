#include "vocabulary/VocabularyRules.h"
#include "base/Cp1252.h"
#include "vocabulary/Lexicon.h"
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

TEST(VocabularyRulesTest, BanListMatchesInsideWordsSaveHarmlessOnes) {
    const BanList list = BanList::Parse("# Kommentar\n"
                                        "Möse\n"
                                        "  Schimpfname   # dahinter Kommentar\n"
                                        "Arsch\n"
                                        "Schutz Staffel\n"
                                        "=SS\n"
                                        "=Ische\n"
                                        "\n",
                                        "Barsch\nMarsch\n", "ische\nporno\nfratze\n");
    EXPECT_EQ(list.Size(), 8u);
    EXPECT_TRUE(list.Bans("MOESE"));
    EXPECT_TRUE(list.Bans(W("möse")));
    EXPECT_FALSE(list.Bans("MOSE")); // the umlaut is spelt out, not dropped
    EXPECT_TRUE(list.Bans("SCHIMPFNAME"));
    EXPECT_TRUE(list.Bans("SCHIMPFNAMEN")); // inside a word too
    EXPECT_TRUE(list.Bans("PORNOKINO"));    // the second list as well
    EXPECT_TRUE(list.Bans("ARSCHLOCH"));
    // Harmless words, also inside others, where they cover the banned letters.
    EXPECT_FALSE(list.Bans("BARSCH"));
    EXPECT_FALSE(list.Bans("FLUSSBARSCH"));
    EXPECT_FALSE(list.Bans("GEWALTMARSCH"));
    EXPECT_TRUE(list.Bans("BARSCHARSCH")); // the second ARSCH stands outside BARSCH
    // "=": whole words only, also for a term of the second list.
    EXPECT_TRUE(list.Bans("SS"));
    EXPECT_FALSE(list.Bans("STRASSE"));
    EXPECT_TRUE(list.Bans("ISCHE"));
    EXPECT_FALSE(list.Bans("TECHNISCHE"));
    EXPECT_TRUE(list.BansAnyIn("SS-Mann"));
    EXPECT_TRUE(list.BansAnyIn("die Schutz-Staffel"));
    EXPECT_FALSE(list.BansAnyIn("Schutz der Staffel"));
    EXPECT_FALSE(list.BansAnyIn("Spass, Genuss, englische Fratzen") &&
                 !list.BansAnyIn("Fratzen")); // only the second list's Fratze
    EXPECT_FALSE(list.BansAnyIn("Spass, Genuss, englische Tische"));
    EXPECT_TRUE(BanList().Empty());
}

// The shipped lists: the family puzzle's topics, the second list, and the
// harmless words that merely contain a banned string.
TEST(VocabularyRulesTest, ShippedBanListCoversTheTopicsAndSparesHarmlessWords) {
    const BanList& list = BanList::Shipped();
    for (const char* banned : {"HUNDESCHEISSE", "PENISAMPUTATION", "GANGBANG", "PORNOKINO",
                               "SEXKINO", "GRUPPENSEX", "AUSKOTZEN", "HITLERGRUSS", "TODESLAGER",
                               "HEROIN", "KOKAIN", "VOLLPFOSTEN", "KACKBRATZE"}) {
        EXPECT_TRUE(list.Bans(banned)) << banned;
    }
    EXPECT_TRUE(list.BansAnyIn("Ice, Meth, Hitler-Speed"));
    for (const char* harmless :
         {"BARSCH",          "MARSCHMUSIK",  "WARSCHAU",  "METHODE",     "KATHODE",
          "AUSPUFF",         "PUFFER",       "STRASSE",   "BASIS",       "FUTTER",
          "TECHNISCHE",      "STAATSEXAMEN", "SEXTETT",   "MITUNTER",    "FREUDIG",
          "GEORGIEN",        "ROSETTE",      "NACKT",     "MANDSCHUREI", "FRESSEN",
          "PFLANZENFRESSER", "MUCKEFUCK",    "MOHRRUEBE", "SCHIESSEREI", "WITZIG",
          "MONGOLEI"}) {
        EXPECT_FALSE(list.Bans(harmless)) << harmless;
    }
}

TEST(VocabularyRulesTest, GiveAwaysByAWordPartBeyondCommonBeginningsAndEndings) {
    // A part at the start or end of one word, anywhere in the other.
    EXPECT_TRUE(GivesAway("Berufsleben", "ARBEITSLEBEN"));
    EXPECT_TRUE(GivesAway("Vesper, Brotzeit", "ABENDBROT"));
    EXPECT_TRUE(GivesAway(W("Bäuerin"), "BAUERSFRAU"));
    EXPECT_TRUE(GivesAway("Erkrankung", "KRANKHEIT"));
    EXPECT_TRUE(GivesAway("Kernspaltung", "KERNFISSION")); // KERN is no K + -ern
    EXPECT_TRUE(VocabularyRules::SharesWordPartIn("Berufsleben", "ARBEITSLEBEN"));
    // Common endings and beginnings alone give nothing away.
    EXPECT_FALSE(GivesAway("Ehrlichkeit", "WAHRHEIT"));
    EXPECT_FALSE(GivesAway("Klaviatur", "TASTATUR"));
    EXPECT_FALSE(GivesAway("vertreten", "VERTEIDIGEN"));
    EXPECT_FALSE(GivesAway("Gemeinschaft", "MANNSCHAFT"));
    EXPECT_FALSE(GivesAway("Verantwortung", "VERPFLICHTUNG"));
    EXPECT_FALSE(GivesAway("fokussieren", "SPEZIALISIEREN")); // EREN is part of -ieren
    EXPECT_FALSE(GivesAway(W("regelmäßig"), "ROUTINEMAESSIG"));
    EXPECT_FALSE(GivesAway(W("planmäßig"), "ROUTINEMAESSIG")); // also without the umlaut's E
    EXPECT_FALSE(VocabularyRules::SharesWordPartIn("Ehrlichkeit", "WAHRHEIT"));
    // Parts under four letters never count.
    EXPECT_FALSE(GivesAway("Radweg", "FAHRRAD"));

    const VocabularyRules::WordParts parts =
        VocabularyRules::WordParts::Parse("# Kommentar\nver-\n-lich\n-keit\n-ern\n-ieren\n-\nkeins\n");
    EXPECT_EQ(parts.Core("VERTRAG"), "TRAG");
    EXPECT_EQ(parts.Core("FREUNDLICHKEIT"), "FREUND");
    EXPECT_EQ(parts.Core("KEINS"), "KEINS");
    EXPECT_EQ(parts.Core("KERN"), "K");
    EXPECT_EQ(parts.Core("KERN", true), "KERN");
    EXPECT_EQ(parts.Core("LICHKEIT", true), "");
    EXPECT_EQ(parts.Core("EREN"), "");
}

TEST(TableCheckTest, CountsEachProblemAndKnowsTheHardRules) {
    const BanList banned = BanList::Parse("Schimpfname\n");
    const std::set<std::string> shortWords = {"EMU", "AAL"};
    const std::vector<TWordEntry> entries = {
        {"NASHORN", "Dickhäuter"},
        {"NASHORN", "Tier mit Horn"},
        {"NASHORN", W("Dickhäuter")},
        {"ADLER", W("König der Lüfte")},
        {"AAL", "Fisch"},
        {"ZANK", "Schimpfname"},
        {"ZANK", ""},
        {"ADLER", "Greifvogel"},
        {"UEBERLANGESWORTX", "zu breit"},
        {"DACHS", std::string(51, 'x')},
        {"DACHS", std::string(51, 'x')},
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

    const std::vector<TWordEntry> sound = {{"ADLER", W("König der Lüfte")},
                                           {"ADLER", W("Wappentier")},
                                           {"DACHS", std::string(51, 'x')}};
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
    const std::vector<TWordEntry> entries = {
        {"SCHWEIN", "Borstenvieh"}, {"SCHWEIN", "Lump"}, {"LUMP", "Mistkerl"}, {"LUMP", "Schurke"}};
    const TableCheck::Report report = TableCheck::Check(entries, inputs);
    ASSERT_EQ(report.Offensive.Entries.size(), 2u);
    EXPECT_EQ(report.Offensive.Entries[0]->Clue, "Lump");
    EXPECT_EQ(report.Offensive.Entries[1]->Clue, "Mistkerl");
}

TEST(TableCheckTest, WordListsWordPartsAndSoundGroupsSpeakForAnEntry) {
    Lexicon lexicon;
    lexicon.AddKnownWords("Haus\nZaun\n");
    lexicon.AddRanking(R"(["garten"])");
    const std::string thesaurus = "Frau;Gattin;Alte (derb)\n"
                                  "Frau;Gattin;Ehefrau\n"
                                  "Weib (derb);Gemahlin\n";
    TableCheck::Inputs inputs;
    inputs.Words = &lexicon;
    inputs.ThesaurusUtf8 = thesaurus;
    const std::vector<TWordEntry> entries = {{"HAUS", "Heim"},
                                             {"GARTEN", "Beet"},
                                             {"GARTENZAUN", "Umfriedung"},
                                             {"ZAUN", "Gartenzaun"},
                                             {"ARBEITSLEBEN", "Berufsleben"},
                                             {"FRAU", "Gattin"},
                                             {"WEIB", "Gemahlin"}};
    const TableCheck::Report report = TableCheck::Check(entries, inputs);
    ASSERT_EQ(report.Unknown.Entries.size(), 4u); // compounds and words not in the lists
    EXPECT_EQ(report.Unknown.Entries[0]->Word, "GARTENZAUN");
    EXPECT_EQ(report.GiveAways.Entries.size(), 2u);
    // Both give-aways share a word part; only ARBEITSLEBEN by that rule alone.
    ASSERT_EQ(report.SharedParts.Entries.size(), 2u);
    EXPECT_EQ(report.SharedParts.Entries[1]->Word, "ARBEITSLEBEN");
    // Frau and Gattin stand together in a sound group; Weib only beside a derb term.
    ASSERT_EQ(report.Offensive.Entries.size(), 1u);
    EXPECT_EQ(report.Offensive.Entries[0]->Word, "WEIB");
    EXPECT_TRUE(report.BreaksHardRule());
}
