#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/vocabulary/RecordClues.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/ThesaurusImport.h"
#include "vocabulary/VocabularyRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

using Records = std::vector<VocabularyRecord>;

} // namespace

TEST(TextImportTest, BothSeparatorsCommentsAndBlankLines) {
    const ImportResult result = TextImport::Parse("\xEF\xBB\xBF# Kopf\r\n"
                                                  "hund;Bellt\r\n"
                                                  "\n"
                                                  "  Bär\tBrummt; mag Honig  \n"
                                                  "# noch ein Kommentar\n"
                                                  "OELEN ; Schmieren");
    EXPECT_EQ(
        result.Records,
        (Records{{"HUND", "Bellt"}, {W("BÄR"), W("Brummt; mag Honig")}, {"OELEN", "Schmieren"}}));
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(result.SkippedLines, 0u);
}

// Nothing is lost without a word: every line left out is named with its reason,
// and the good lines around it still become entries.
TEST(TextImportTest, LinesThatCannotBeEntriesAreSkippedWithTheirNumber) {
    const ImportResult result = TextImport::Parse("A;b\n"
                                                  "OHNE TRENNER\n"
                                                  "ZWEI WORTE;x\n"
                                                  "ABCDEFGHIJKLMNOP;x\n"
                                                  ";x\n"
                                                  "A;\n"
                                                  "A;Привет\n"
                                                  "日本;x\n"
                                                  "A;kaputt \xC3\n"
                                                  "B;" +
                                                  std::string(49, 'x') + "ä\n");
    // 50 characters are fine even when UTF-8 needs more bytes for them.
    EXPECT_EQ(result.Records, (Records{{"A", "b"}, {"B", std::string(49, 'x') + W("ä")}}));
    EXPECT_EQ(result.SkippedLines, 8u);
    std::vector<std::string> warnings;
    for (const std::string& warning : result.Warnings) {
        warnings.push_back(Cp1252::ToUtf8(warning));
    }
    const std::string skipped = " Die Zeile wird übergangen.";
    EXPECT_EQ(warnings,
              (std::vector<std::string>{
                  "Zeile 2: Es fehlt das Trennzeichen \";\" oder ein Tabulator." + skipped,
                  "Zeile 3: Der Begriff darf nur Buchstaben enthalten." + skipped,
                  "Zeile 4: Der Begriff hat mehr als 15 Buchstaben." + skipped,
                  "Zeile 5: Der Begriff fehlt." + skipped,
                  "Zeile 6: Die Umschreibung fehlt." + skipped,
                  "Zeile 7: Die Umschreibung enthält das Zeichen U+041F, das es in Windows-1252 "
                  "nicht gibt." +
                      skipped,
                  "Zeile 8: Der Begriff enthält das Zeichen U+65E5, das es in Windows-1252 nicht "
                  "gibt." +
                      skipped,
                  "Zeile 9: Die Umschreibung enthält das Zeichen U+FFFD, das es in "
                  "Windows-1252 nicht gibt." +
                      skipped,
              }));
}

TEST(TextImportTest, LongCluesAreCutBetweenTermsOrWords) {
    // After the last whole term when that keeps at least half of the clue...
    EXPECT_EQ(TextImport::CutClue("Haustier, bellt laut, bewacht das Haus, frisst Knochen", 50),
              "Haustier, bellt laut, bewacht das Haus");
    // ...else after the last whole word, else hard at the limit.
    EXPECT_EQ(TextImport::CutClue("Hund, ein sehr treuer und wachsamer Freund des Menschen", 50),
              "Hund, ein sehr treuer und wachsamer Freund des");
    EXPECT_EQ(TextImport::CutClue(std::string(60, 'x'), 50), std::string(50, 'x'));
    EXPECT_EQ(TextImport::CutClue(std::string(50, 'x') + " y", 50), std::string(50, 'x'));

    const ImportResult result =
        TextImport::Parse("HUND;Haustier, bellt laut, bewacht das Haus, frisst Knochen");
    EXPECT_EQ(result.Records, (Records{{"HUND", "Haustier, bellt laut, bewacht das Haus"}}));
    EXPECT_EQ(result.SkippedLines, 0u);
    ASSERT_EQ(result.Warnings.size(), 1u);
    EXPECT_EQ(Cp1252::ToUtf8(result.Warnings[0]),
              "Zeile 1: Die Umschreibung hat mehr als 50 Zeichen und wurde gekürzt auf "
              "\"Haustier, bellt laut, bewacht das Haus\".");
}

TEST(ThesaurusImportTest, AnswersAreSingleWordsInCrosswordSpelling) {
    EXPECT_EQ(ThesaurusImport::AnswerOf(W("Größe")), "GROESSE");
    EXPECT_EQ(ThesaurusImport::AnswerOf(W("Übel")), "UEBEL");
    EXPECT_EQ(ThesaurusImport::AnswerOf("Ecstasy"), "ECSTASY");
    EXPECT_EQ(ThesaurusImport::AnswerOf(W("Café")), "");
    EXPECT_EQ(ThesaurusImport::AnswerOf("E-Mail"), "");
    EXPECT_EQ(ThesaurusImport::AnswerOf("zu Hause"), "");
    EXPECT_EQ(ThesaurusImport::AnswerOf("z.B."), "");
}

TEST(ThesaurusImportTest, TermsAreSplitOutsideBracketsAndFragmentsLeftOut) {
    const auto group = ThesaurusImport::ReadGroup(
        "Plumeau;Oberbett (Federbett; regional);''; (sich) gewachsen zeigen;verlangen (nach);"
        "stehen(d);Deputat...;…;);abdüsen (ugs.);(eine Regel) brechen;"
        "Mann am (... / an der ...) (ugs.);in (…) Weise");
    ASSERT_EQ(group.size(), 13u);
    EXPECT_EQ(group[1].Text, "Oberbett");
    EXPECT_TRUE(group[1].Marked);
    // A term with a gap to fill in ("Mann am ...") is a fragment too.
    for (size_t fragment : {2, 6, 7, 8, 11, 12}) {
        EXPECT_TRUE(group[fragment].Fragment) << fragment;
        EXPECT_EQ(group[fragment].Answer, "") << fragment;
    }
    // Words the phrase needs stay in the clue, not in the answer.
    EXPECT_EQ(group[3].Text, "sich gewachsen zeigen");
    EXPECT_EQ(group[4].Text, "verlangen nach");
    EXPECT_EQ(group[4].Answer, "VERLANGEN");
    EXPECT_EQ(group[5].Text, "stehen");
    EXPECT_EQ(group[9].Text, W("abdüsen"));
    EXPECT_TRUE(group[9].Marked); // colloquial: a clue term of last resort
    EXPECT_EQ(group[10].Text, "brechen");
    EXPECT_TRUE(group[1].Regional);

    const auto marks = ThesaurusImport::ReadGroup(
        "Spengler (bair., österr.);Klempner;Survey (engl.);Vater (Hauptform);Muhme (veraltet);"
        "Gattin (geh.);Hag (selten)");
    EXPECT_TRUE(marks[0].Regional);
    EXPECT_FALSE(marks[1].Regional || marks[1].Marked || marks[1].Foreign);
    EXPECT_TRUE(marks[2].Foreign);
    EXPECT_TRUE(marks[3].Main);
    EXPECT_FALSE(marks[3].Marked);
    EXPECT_TRUE(marks[4].Regional); // dated and rare words count as regional ones
    EXPECT_FALSE(marks[5].Marked);  // elevated speech is no mark
    EXPECT_TRUE(marks[6].Regional);
}

TEST(ThesaurusImportTest, OneRecordPerWordAndGroupWithShortSoundClues) {
    const std::string text =
        "# Kommentar\n"
        "Fission;Atomspaltung;Kernspaltung;Kernfission\n"
        "abfliegen;abreisen;abfahren;wegfliegen;(von etwas) fortfahren;abdüsen (ugs.);Abfahrt\n"
        "Ei;Eichen;Keimzelle\n"
        "Bau;Bauwerk;Gemäuer;Bau\n"
        "Auto;Wagen;Fahrzeug;Kraftfahrzeug;Personenkraftwagen;Automobil;fahrbarer Untersatz\n"
        "Sitzung;Meeting\n"
        "Nashorn;Tier mit Horn;Rhinozeros\n";
    const Records records = ThesaurusImport::Parse(text);

    // Kernfission contains the answer, Fission is contained in it; the two
    // kinds of Spaltung are one term.
    EXPECT_EQ(CluesFor(records, "FISSION"), (std::vector<std::string>{"Atomspaltung"}));
    EXPECT_EQ(CluesFor(records, "KERNFISSION"), (std::vector<std::string>{"Atomspaltung"}));
    // At most two terms; Abfahrt shares the first five letters.
    EXPECT_EQ(CluesFor(records, "ABFAHREN"), (std::vector<std::string>{"abfliegen, abreisen"}));
    // Short answers are only given away by themselves.
    EXPECT_EQ(CluesFor(records, "EI"), (std::vector<std::string>{"Eichen, Keimzelle"}));
    EXPECT_EQ(CluesFor(records, "BAU"), (std::vector<std::string>{W("Bauwerk, Gemäuer")}));
    EXPECT_EQ(CluesFor(records, "AUTO"), (std::vector<std::string>{"Wagen, Fahrzeug"}));
    EXPECT_EQ(CluesFor(records, "NASHORN"), (std::vector<std::string>{"Rhinozeros"}));
    EXPECT_EQ(CluesFor(records, "SITZUNG"), (std::vector<std::string>{"Meeting"}));
    // A word whose every clue term gives it away goes.
    EXPECT_TRUE(CluesFor(records, "AUTOMOBIL").size() == 1u);
    EXPECT_TRUE(ThesaurusImport::Parse("Vogel;Vogerl;Vögel\n").empty());

    for (const auto& r : records) {
        EXPECT_LE(r.Clue.size(), 50u);
        EXPECT_FALSE(r.Clue.empty());
        EXPECT_FALSE(VocabularyRules::GivesAway(r.Clue, r.Word)) << r.Word << ": " << r.Clue;
    }
}

TEST(ThesaurusImportTest, AGroupWithAnOffensiveTermGivesNothing) {
    const std::string text = "Schwein;Borstenvieh;Hausschwein\n"
                             "Mistkerl (derb);Schwein (abwertend);Lump;Schuft\n"
                             "Karre (derb);Fahrzeug;Kiste (ugs.)\n"
                             "Geschwätz;Gelaber (ugs.);Gesabbel (beleidigend);Gerede\n"
                             "Papa (ugs.);der Alte (derb);Vater (Hauptform);Erzeuger\n"
                             "Vater;Elternknoten\n"
                             "Gerede;Klatsch;Geschwafel\n";
    const Records records = ThesaurusImport::Parse(text);
    // The neutral group keeps the word; the insulting ones give no answer and
    // no clue term, not even their neutral words.
    EXPECT_EQ(CluesFor(records, "SCHWEIN"), (std::vector<std::string>{"Borstenvieh"}));
    for (const char* word : {"LUMP", "SCHUFT", "MISTKERL", "KARRE", "KISTE", "GESCHWAETZ"}) {
        EXPECT_TRUE(CluesFor(records, word).empty()) << word;
    }
    EXPECT_EQ(CluesFor(records, "GEREDE"), (std::vector<std::string>{"Klatsch, Geschwafel"}));
    // A word whose usual meaning went with such a group keeps none of its others.
    EXPECT_TRUE(CluesFor(records, "VATER").empty());
}

TEST(ThesaurusImportTest, AGroupWithABannedTermGivesNothing) {
    const auto banned = VocabularyRules::BanList::Parse("Galgenvogel\nBöses Wort\nPorno\n");
    ThesaurusImport::Options options;
    options.Banned = &banned;
    const Records records = ThesaurusImport::Parse("Spitzbube;Galgenvogel;Schlingel;Lausbub\n"
                                                   "Ausdruck;böses Wort;Fluch;Verwünschung\n"
                                                   "Sexkino;Pornokino;Lichtspielhaus\n"
                                                   "Lausbub;Schelm\n",
                                                   options);
    for (const char* word : {"SPITZBUBE", "GALGENVOGEL", "SCHLINGEL", "AUSDRUCK", "FLUCH",
                             "SEXKINO", "PORNOKINO", "LICHTSPIELHAUS"}) {
        EXPECT_TRUE(CluesFor(records, word).empty()) << word;
    }
    EXPECT_EQ(CluesFor(records, "LAUSBUB"), (std::vector<std::string>{"Schelm"}));
}

// Which words answer and which terms clue: no phrases, foreign, regional or
// dated words as answers; no abbreviations, regional or dated terms in clues;
// marked terms only where no plain one is left; the words of the not-answer
// list neither.
TEST(ThesaurusImportTest, AnswersAndClueTermsAreFamiliarWords) {
    const std::set<std::string> notAnswers = {"unter", "sowie"};
    const std::set<std::string> sideSenses = {"Bruder"};
    ThesaurusImport::Options options;
    options.NotAnswers = &notAnswers;
    options.SideSenses = &sideSenses;
    const Records records = ThesaurusImport::Parse(
        "verantwortlich (sein);schuld (sein)\n"
        "Survey (engl.);Umfrage\n"
        "Klempner;Spengler (bair., österr.);Flaschner (veraltet);Installateur\n"
        "Hauptbahnhof;Hbf.;Hbf;Zentralstation\n"
        "Betriebssystem;OS\n"
        "Schreiner;Tischler (ugs.);Möbelbauer\n"
        "Knete (ugs.);Zaster (ugs.)\n"
        "unter;zwischen;bei\n"
        "und;sowie;auch\n"
        "Unter;Bube;Wenzel\n"
        "Mönch;Bruder\n",
        options);
    EXPECT_TRUE(CluesFor(records, "VERANTWORTLICH").empty());
    EXPECT_TRUE(CluesFor(records, "SURVEY").empty());
    EXPECT_EQ(CluesFor(records, "UMFRAGE"), (std::vector<std::string>{"Survey"}));
    EXPECT_EQ(CluesFor(records, "KLEMPNER"), (std::vector<std::string>{"Installateur"}));
    EXPECT_TRUE(CluesFor(records, "SPENGLER").empty());
    EXPECT_EQ(CluesFor(records, "HAUPTBAHNHOF"), (std::vector<std::string>{"Zentralstation"}));
    EXPECT_TRUE(CluesFor(records, "BETRIEBSSYSTEM").empty());
    EXPECT_EQ(CluesFor(records, "SCHREINER"), (std::vector<std::string>{W("Möbelbauer")}));
    // Marked in every group: no answer; as the only clue term left: the clue.
    EXPECT_TRUE(CluesFor(records, "KNETE").empty());
    EXPECT_TRUE(CluesFor(records, "TISCHLER").empty());
    EXPECT_EQ(CluesFor(records, "ZWISCHEN"), (std::vector<std::string>{"bei"}));
    EXPECT_TRUE(CluesFor(records, "SOWIE").empty());
    EXPECT_EQ(CluesFor(records, "AUCH"), (std::vector<std::string>{"und"}));
    // The list names words as the thesaurus writes them: the card is no preposition.
    EXPECT_EQ(CluesFor(records, "UNTER"), (std::vector<std::string>{"Bube, Wenzel"}));
    // A word known only in a side sense clues, but does not answer.
    EXPECT_EQ(CluesFor(records, "MOENCH"), (std::vector<std::string>{"Bruder"}));
    EXPECT_TRUE(CluesFor(records, "BRUDER").empty());
}

TEST(ThesaurusImportTest, LexiconKeepsKnownWordsAndPutsCommonTermsFirst) {
    Lexicon lexicon;
    lexicon.AddKnownWords("Haus\nTür\nGarten\nZaun\nAbschluss\nFett\nGewebe\nHag\n");
    lexicon.AddRanking(R"(["zaun", "garten", "haus", "einfriedung", "wand"])");
    ThesaurusImport::Options options;
    options.Words = &lexicon;
    const Records records = ThesaurusImport::Parse(
        "Gartenzaun;Einfriedung;Grundstücksgrenze (fachspr.);Zaunanlage;Hag;Wand\n"
        "Zaun;Einfriedung;Hag;Umzäunung;Wand\n"
        "Fettgewebe;Speck\n"
        "Abschluss (fachspr.);Ende\n"
        "Garten (fachspr.);Grünanlage\n"
        "Haus;Wohngebäude (fachspr.);Bleibe\n",
        options);
    // Known: words of the lists as written, and ranked words; a compound of
    // listed words is not enough.
    EXPECT_TRUE(CluesFor(records, "GARTENZAUN").empty());
    EXPECT_TRUE(CluesFor(records, "FETTGEWEBE").empty());
    EXPECT_FALSE(CluesFor(records, "EINFRIEDUNG").empty());
    EXPECT_TRUE(CluesFor(records, "ZAUNANLAGE").empty());
    // Specialist terms only when common, as answers and in clues; a word the
    // thesaurus marks in each of its groups answers in none.
    EXPECT_TRUE(CluesFor(records, "ABSCHLUSS").empty());
    EXPECT_TRUE(CluesFor(records, "GARTEN").empty());
    EXPECT_EQ(CluesFor(records, "HAUS"), (std::vector<std::string>{"Bleibe"}));
    // Ranked words first, by rank; Umzäunung gives Zaun away.
    EXPECT_EQ(CluesFor(records, "ZAUN"), (std::vector<std::string>{"Einfriedung, Wand"}));
    // The most common word first, the unranked ones after it alphabetically.
    std::vector<std::string> order;
    for (const auto& r : records) {
        if (order.empty() || order.back() != r.Word) {
            order.push_back(r.Word);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"ZAUN", "HAUS", "EINFRIEDUNG", "WAND", "HAG"}));
}

// A word in several groups takes its clue from its usual meaning: where it is
// the main form, else where its clue terms are the most common; a second
// meaning only as good as the first, and none for a word of many meanings.
TEST(ThesaurusImportTest, TheUsualMeaningGivesTheClue) {
    Lexicon lexicon;
    lexicon.AddRanking(
        R"(["mutter", "gesetz", "regel", "norm", "kopf", "besitzen", "erleben", "menstruation",
            "kirche"])");
    ThesaurusImport::Options options;
    options.Words = &lexicon;
    const Records records = ThesaurusImport::Parse(
        "Mutter (fig.);Vater (fig.);Gründer\n"
        "Vater (Hauptform);Papa (ugs.);Kindsvater;Erzeuger\n"
        "Regel;Norm;Gesetz\n"
        "Regel;Menstruation\n"
        "Glaube;Kirche;Religion\n"
        "Glaube;Zuversicht\n"
        "Birne (ugs.);Kopf\n"
        "haben;erleben\n"
        "haben;besitzen\n"
        "Bank;Geldinstitut\nBank;Sitzgelegenheit\nBank;Untiefe\nBank;Speicher\n",
        options);
    EXPECT_EQ(CluesFor(records, "VATER"), (std::vector<std::string>{"Erzeuger"}));
    EXPECT_EQ(CluesFor(records, "REGEL"),
              (std::vector<std::string>{"Gesetz, Norm", "Menstruation"}));
    // A second meaning needs a common first term as well; a rare term does not
    // follow a common one.
    EXPECT_EQ(CluesFor(records, "GLAUBE"), (std::vector<std::string>{"Kirche"}));
    EXPECT_TRUE(CluesFor(records, "BIRNE").empty());
    EXPECT_EQ(CluesFor(records, "HABEN"), (std::vector<std::string>{"besitzen", "erleben"}));
    EXPECT_TRUE(CluesFor(records, "BANK").empty());
}

TEST(LexiconTest, ReadsWordListsDictionariesAndJson) {
    Lexicon lexicon;
    lexicon.AddKnownWords("75595\nKette/NMm\nStraße\nzwei Wörter\n");
    lexicon.AddRanking(R"(["der", "stra\u00dfe", "t\u00fcr", "der"])");
    lexicon.AddRanking("tür\nhaus\n");
    EXPECT_TRUE(lexicon.Knows("KETTE"));
    EXPECT_TRUE(lexicon.Knows("STRASSE"));
    EXPECT_FALSE(lexicon.Knows(W("Straßenkette"))); // a compound is not enough
    EXPECT_TRUE(lexicon.Knows("HAUS"));             // ranked
    EXPECT_FALSE(lexicon.Knows("NMM"));
    EXPECT_EQ(lexicon.Rank("STRASSE"), 1u);
    EXPECT_EQ(lexicon.Rank(W("Tür")), 0u); // the best position in any list
    EXPECT_EQ(lexicon.Rank("HAUS"), 1u);
    EXPECT_EQ(lexicon.Rank("WAND"), Lexicon::Unranked);
    EXPECT_EQ(lexicon.MostCommon(3), (std::vector<std::string>{"DER", "TUER", "HAUS"}));
}

TEST(ThesaurusImportTest, TheInstalledThesaurusGivesCleanEntries) {
    const std::filesystem::path file = "/usr/share/openthesaurus-de/openthesaurus.txt";
    if (!std::filesystem::exists(file)) {
        GTEST_SKIP() << "openthesaurus-de-text is not installed";
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ThesaurusImport::Options options;
    options.MinLength = 5;
    const Records records = ThesaurusImport::Parse(text.str(), options);
    EXPECT_GT(records.size(), 30000u);
    for (const auto& r : records) {
        ASSERT_TRUE(r.Word.size() >= 5 && r.Word.size() <= 15) << r.Word;
        ASSERT_TRUE(!r.Clue.empty() && r.Clue.size() <= 50) << r.Word;
        ASSERT_FALSE(VocabularyRules::GivesAway(r.Clue, r.Word)) << r.Word << ": " << r.Clue;
        ASSERT_EQ(r.Clue.find_first_of("()"), std::string::npos) << r.Word << ": " << r.Clue;
        ASSERT_EQ(r.Clue.find("..."), std::string::npos) << r.Word << ": " << r.Clue;
    }
}
