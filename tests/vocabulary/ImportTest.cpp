#include "model/Cp1252.h"
#include "model/WabolexError.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/ThesaurusImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Records = std::vector<VocabularyRecord>;

std::string ErrorOf(std::string_view text) {
    try {
        TextImport::Parse(text);
    } catch (const WabolexError& e) {
        return Cp1252::ToUtf8(e.what());
    }
    return "(kein Fehler)";
}

std::vector<std::string> CluesFor(const Records& records, const std::string& word) {
    std::vector<std::string> clues;
    for (const auto& r : records) {
        if (r.Word == word) {
            clues.push_back(r.Clue);
        }
    }
    return clues;
}

} // namespace

TEST(TextImportTest, BothSeparatorsCommentsAndBlankLines) {
    const Records records = TextImport::Parse("\xEF\xBB\xBF# Kopf\r\n"
                                              "hund;Bellt\r\n"
                                              "\n"
                                              "  Bär\tBrummt; mag Honig  \n"
                                              "# noch ein Kommentar\n"
                                              "OELEN ; Schmieren");
    EXPECT_EQ(
        records,
        (Records{{"HUND", "Bellt"}, {W("BÄR"), W("Brummt; mag Honig")}, {"OELEN", "Schmieren"}}));
}

TEST(TextImportTest, BadLinesAreReportedWithTheirNumber) {
    EXPECT_EQ(ErrorOf("A;b\nOHNE TRENNER\n"),
              "Zeile 2: Es fehlt das Trennzeichen \";\" oder ein Tabulator.");
    EXPECT_EQ(ErrorOf("ZWEI WORTE;x"), "Zeile 1: Der Begriff darf nur Buchstaben enthalten.");
    EXPECT_EQ(ErrorOf("ABCDEFGHIJKLMNOP;x"),
              "Zeile 1: Der Begriff muss 1 bis 15 Buchstaben haben.");
    EXPECT_EQ(ErrorOf(";x"), "Zeile 1: Der Begriff muss 1 bis 15 Buchstaben haben.");
    EXPECT_EQ(ErrorOf("A;"), "Zeile 1: Die Umschreibung muss 1 bis 50 Zeichen haben.");
    EXPECT_EQ(ErrorOf("A;" + std::string(51, 'x')),
              "Zeile 1: Die Umschreibung muss 1 bis 50 Zeichen haben.");
    EXPECT_EQ(ErrorOf("A;Привет"),
              "Zeile 1: Die Umschreibung enthält Zeichen, die es in Windows-1252 nicht gibt.");
    EXPECT_EQ(ErrorOf("A;kaputt \xC3"),
              "Zeile 1: Die Umschreibung enthält Zeichen, die es in Windows-1252 nicht gibt.");
    // 50 characters are fine even when UTF-8 needs more bytes for them.
    EXPECT_EQ(TextImport::Parse("A;" + std::string(49, 'x') + "ä").size(), 1u);
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

TEST(ThesaurusImportTest, FormsOfTheAnswerAreRecognised) {
    EXPECT_TRUE(ThesaurusImport::GivesAway(W("Häuser"), "Haus"));
    EXPECT_TRUE(ThesaurusImport::GivesAway("Abfahrt", "abfahren"));
    EXPECT_TRUE(ThesaurusImport::GivesAway("oelen", W("ölen")));
    EXPECT_TRUE(ThesaurusImport::GivesAway("Spaltung", "Kernspaltung")); // a piece of the answer
    EXPECT_TRUE(ThesaurusImport::GivesAway("das Ei legen", "Ei"));
    EXPECT_TRUE(ThesaurusImport::GivesAway("Sitz-Ecke", "Ecke"));
    EXPECT_FALSE(ThesaurusImport::GivesAway("Kernfission", "Atomspaltung"));
    EXPECT_FALSE(ThesaurusImport::GivesAway("Frischling", "Wildschwein"));
    EXPECT_FALSE(ThesaurusImport::GivesAway("Leib", "Ei"));
}

TEST(ThesaurusImportTest, OneRecordPerWordAndGroupWithCutClues) {
    const std::string text =
        "# Kommentar\n"
        "Fission;Atomspaltung;Kernspaltung;Kernfission\n"
        "abfliegen;abreisen;abfahren;wegfliegen;(von etwas) fortfahren;abdüsen (ugs.);Abfahrt\n"
        "Ei;Eichen\n"               // the only other term gives it away
        "Bau;Bauwerk;Gemäuer;Bau\n" // the same word twice in a group
        "Auto;Wagen;Fahrzeug;Kraftfahrzeug;Personenkraftwagen;Automobil;fahrbarer Untersatz;"
        "Pkw;Blechkiste\n"
        "Auto;Karre (derb);Kiste (vulg.)\n"
        "Sitzung;Meeting\n";
    const Records records = ThesaurusImport::Parse(text);

    EXPECT_EQ(CluesFor(records, "FISSION"),
              (std::vector<std::string>{"Atomspaltung, Kernspaltung"}));
    EXPECT_EQ(CluesFor(records, "KERNSPALTUNG"),
              (std::vector<std::string>{"Fission, Atomspaltung, Kernfission"}));
    // Cut between terms at 50 characters; "Abfahrt" is a form of "abfahren".
    EXPECT_EQ(CluesFor(records, "ABREISEN"),
              (std::vector<std::string>{"abfliegen, abfahren, wegfliegen, fortfahren"}));
    EXPECT_EQ(CluesFor(records, "ABFAHREN"),
              (std::vector<std::string>{"abfliegen, abreisen, wegfliegen, fortfahren"}));
    EXPECT_EQ(CluesFor(records, "ABDUESEN"),
              (std::vector<std::string>{"abfliegen, abreisen, abfahren, wegfliegen, Abfahrt"}));
    EXPECT_EQ(CluesFor(records, "FORTFAHREN").size(), 1u);
    EXPECT_TRUE(CluesFor(records, "EI").empty());
    EXPECT_EQ(CluesFor(records, "BAU"), (std::vector<std::string>{W("Gemäuer")}));
    // The second group yields no clue: vulgar and coarse terms are left out.
    const auto auto_ = CluesFor(records, "AUTO");
    ASSERT_EQ(auto_.size(), 1u);
    EXPECT_EQ(auto_[0], "Wagen, Fahrzeug, Kraftfahrzeug, Personenkraftwagen");
    EXPECT_TRUE(CluesFor(records, "KARRE").empty());
    EXPECT_TRUE(CluesFor(records, "KISTE").empty());

    for (const auto& r : records) {
        EXPECT_GE(r.Word.size(), 2u);
        EXPECT_LE(r.Word.size(), 15u);
        EXPECT_LE(r.Clue.size(), 50u);
        EXPECT_FALSE(r.Clue.empty());
        EXPECT_TRUE(std::all_of(r.Word.begin(), r.Word.end(), [](char c) {
            return c >= 'A' && c <= 'Z';
        })) << r.Word;
    }
}

TEST(ThesaurusImportTest, ShortWordSelection) {
    const Records records =
        ThesaurusImport::Parse("Ei;Eizelle;Keimzelle\nUhu;Eule;Kauz\nWagen;Auto\n", 2, 4);
    std::vector<std::string> words;
    for (const auto& r : records) {
        words.push_back(r.Word);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"EI", "UHU", "EULE", "KAUZ", "AUTO"}));
}

TEST(ThesaurusImportTest, TheInstalledThesaurusGivesCleanEntries) {
    const std::filesystem::path file = "/usr/share/openthesaurus-de/openthesaurus.txt";
    if (!std::filesystem::exists(file)) {
        GTEST_SKIP() << "openthesaurus-de-text is not installed";
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const Records records = ThesaurusImport::Parse(text.str());
    EXPECT_GT(records.size(), 50000u);
    for (const auto& r : records) {
        ASSERT_TRUE(r.Word.size() >= 2 && r.Word.size() <= 15) << r.Word;
        ASSERT_TRUE(!r.Clue.empty() && r.Clue.size() <= 50) << r.Word;
        // The answer never stands in its clue, in any spelling; two-letter
        // answers are only looked for at the start and end of the clue's words.
        std::string clue = " ";
        for (char c : Cp1252::ToUpper(r.Clue)) {
            switch (static_cast<unsigned char>(c)) {
            case 0xC4:
                clue += "AE";
                break;
            case 0xD6:
                clue += "OE";
                break;
            case 0xDC:
                clue += "UE";
                break;
            case 0xDF:
                clue += "SS";
                break;
            default:
                clue += c == ',' || c == '-' ? ' ' : c;
            }
        }
        clue += ' ';
        if (r.Word.size() > 2) {
            ASSERT_EQ(clue.find(r.Word), std::string::npos) << r.Word << ": " << r.Clue;
        } else {
            ASSERT_EQ(clue.find(" " + r.Word), std::string::npos) << r.Word << ": " << r.Clue;
            ASSERT_EQ(clue.find(r.Word + " "), std::string::npos) << r.Word << ": " << r.Clue;
        }
    }
}
