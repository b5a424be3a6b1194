// wabolex-cli import, run as a user would.
#include "base/Cp1252.h"
#include "tests/cli/CliRun.h"
#include "vocabulary/VocabularyTable.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class CliImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = CliRun::MakeTempFolder("wabolex-cli-import");
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
};

} // namespace

TEST_F(CliImportTest, TextBecomesATableTheGeneratorCanUse) {
    CliRun::WriteBytes(folder_ / "tiere.txt",
                       "# Test\nhund;Bellt\nKATZE\tMiaut\nLÖWE;König der Tiere\n"
                       "HUND;Bellt\n");
    const auto result = CliRun::Run(folder_, {"import", "tiere.txt", "-o", "Tiere.db"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "3 Einträge in Tiere.db geschrieben, 0 Zeilen übergangen.\n");
    const auto entries = VocabularyTable::Read(folder_ / "Tiere.db");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Word, "KATZE");
    EXPECT_EQ(entries[1].Word, "HUND");
    EXPECT_EQ(entries[2].Word, W("LÖWE"));
    EXPECT_EQ(entries[2].Clue, W("König der Tiere"));
}

TEST_F(CliImportTest, ThesaurusWithShortWordsOnly) {
    CliRun::WriteBytes(folder_ / "th.txt", "Uhu;Eule;Kauz;Nachtvogel\nAuto;Wagen\n");
    const auto result = CliRun::Run(
        folder_, {"import", "th.txt", "--thesaurus", "--short-words", "-o", "Kurzwörter2004.DB"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::vector<std::string> words;
    for (const auto& e : VocabularyTable::Read(folder_ / "Kurzwörter2004.DB")) {
        words.push_back(e.Word);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"AUTO", "EULE", "KAUZ", "UHU"}));
}

// Lines that cannot be entries are named and left out; the rest is written.
TEST_F(CliImportTest, BadLinesAreSkippedWithAWarning) {
    CliRun::WriteBytes(folder_ / "gemischt.txt",
                       "A;gut\n\nZWEI WORTE;schlecht\nUHU;Vogel, nachtaktiv, mit großen Augen, "
                       "lautlos im Flug\nABCDEFGHIJKLMNOP;zu lang\n");
    const auto result = CliRun::Run(folder_, {"import", "gemischt.txt", "-o", "x.db"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "2 Einträge in x.db geschrieben, 2 Zeilen übergangen.\n");
    EXPECT_EQ(result.Err,
              "gemischt.txt, Zeile 3: Der Begriff darf nur Buchstaben enthalten. Die Zeile wird "
              "übergangen.\n"
              "gemischt.txt, Zeile 4: Die Umschreibung hat mehr als 50 Zeichen und wurde gekürzt "
              "auf \"Vogel, nachtaktiv, mit großen Augen\".\n"
              "gemischt.txt, Zeile 5: Der Begriff hat mehr als 15 Buchstaben. Die Zeile wird "
              "übergangen.\n");
    const auto entries = VocabularyTable::Read(folder_ / "x.db");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Clue, W("Vogel, nachtaktiv, mit großen Augen"));
}

TEST_F(CliImportTest, FailuresSayWhatIsWrongAndWriteNothing) {
    // Without a single entry there is no table: exit 1, nothing written.
    for (const std::string& text :
         {std::string(), std::string("# nur Kommentar\n\nZWEI WORTE;x\n")}) {
        CliRun::WriteBytes(folder_ / "leer.txt", text);
        const auto result = CliRun::Run(folder_, {"import", "leer.txt", "-o", "x.db"});
        EXPECT_EQ(result.Status, 1);
        EXPECT_NE(
            result.Err.find("In leer.txt steht kein Eintrag für die Tabelle; x.db wurde nicht "
                            "geschrieben."),
            std::string::npos)
            << result.Err;
        EXPECT_FALSE(fs::exists(folder_ / "x.db"));
    }

    auto result = CliRun::Run(folder_, {"import", "fehlt.txt", "-o", "x.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Datei fehlt.txt existiert NICHT!\n");

    CliRun::WriteBytes(folder_ / "gut.txt", "A;gut\n");
    result = CliRun::Run(folder_, {"import", "gut.txt", "-o", "kein/Ordner/x.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Tabelle \"kein/Ordner/x.db\" kann nicht geschrieben werden: der "
                          "Ordner \"kein/Ordner\" existiert nicht.\n");
}

TEST_F(CliImportTest, WrongUsage) {
    CliRun::WriteBytes(folder_ / "a.txt", "A;nicht überschreiben\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"import"},
                                               {"import", "a.txt"},
                                               {"import", "-o", "x.db"},
                                               {"import", "a.txt", "-o"},
                                               {"import", "a.txt", "b.txt", "-o", "x.db"},
                                               {"import", "a.txt", "-o", "x.db", "--thesaurs"},
                                               {"import", "a.txt", "-o", "./a.txt"}}) {
        EXPECT_EQ(CliRun::Run(folder_, args).Status, 2) << args.size();
    }
    EXPECT_EQ(CliRun::ReadBytes(folder_ / "a.txt"), "A;nicht überschreiben\n");
}

TEST_F(CliImportTest, LengthsKeepOnlyWordsOfThoseLengths) {
    CliRun::WriteBytes(folder_ / "w.txt", "EI;Frühstück\nUHU;Eule\nAMSEL;Singvogel\n"
                                          "ABCDEFGHIJKLMNO;fünfzehn\n");
    auto result = CliRun::Run(folder_, {"import", "w.txt", "--lengths", "3-5", "-o", "W.db"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::vector<std::string> words;
    for (const auto& e : VocabularyTable::Read(folder_ / "W.db")) {
        words.push_back(e.Word);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"AMSEL", "UHU"}));
    for (const char* bad : {"5", "0-4", "5-4", "3-16", "a-b", "-"}) {
        result = CliRun::Run(folder_, {"import", "w.txt", "--lengths", bad, "-o", "X.db"});
        EXPECT_EQ(result.Status, 2) << bad;
    }
    result = CliRun::Run(folder_,
                         {"import", "w.txt", "--short-words", "--lengths", "2-3", "-o", "X.db"});
    EXPECT_EQ(result.Status, 2);
    result = CliRun::Run(folder_, {"import", "w.txt", "--ranking", "w.txt", "-o", "X.db"});
    EXPECT_EQ(result.Status, 2) << "ranking without --thesaurus";
    EXPECT_FALSE(fs::exists(folder_ / "X.db"));
}

TEST_F(CliImportTest, CheckTableReportsInGermanAndFailsOnHardRules) {
    CliRun::WriteBytes(folder_ / "gut.txt", "AMSEL;Schwarzer Singvogel\nADLER;Greifvogel\n"
                                            "ADLER;Wappentier\n");
    CliRun::WriteBytes(folder_ / "kurz.txt", "EMU;Laufvogel\nADLER;zu lang hier\n");
    CliRun::WriteBytes(folder_ / "schlecht.txt", "NASHORN;Tier mit Horn\nAMSEL;Amseln\n");
    for (const auto& [source, table] :
         {std::pair{"gut.txt", "Gut.db"}, std::pair{"schlecht.txt", "Schlecht.db"}}) {
        ASSERT_EQ(CliRun::Run(folder_, {"import", source, "-o", table}).Status, 0);
    }

    auto result = CliRun::Run(folder_, {"check-table", "Gut.db", "--lengths", "5-15"});
    EXPECT_EQ(result.Status, 0) << result.Out << result.Err;
    EXPECT_NE(result.Out.find("Einträge: 3\nVerschiedene Wörter: 2\n    mit 5 Buchstaben: 2\n"),
              std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("Kurzwörter2004.DB fehlt daneben"), std::string::npos);
    EXPECT_NE(result.Out.find("Ergebnis: in Ordnung."), std::string::npos);

    // The short-word table beside it is compared; ADLER is in both.
    ASSERT_EQ(CliRun::Run(folder_, {"import", "kurz.txt", "-o", "Kurzwörter2004.DB"}).Status, 0);
    result = CliRun::Run(folder_, {"check-table", "Gut.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Out.find("Wörter, die auch in Kurzwörter2004.DB stehen: 2\n"
                              "    ADLER: Greifvogel\n"),
              std::string::npos)
        << result.Out;
    result = CliRun::Run(folder_, {"check-table", "Kurzwörter2004.DB", "--lengths", "2-4"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Out.find("Wörter mit anderer Länge als 2 bis 4 Buchstaben: 1"),
              std::string::npos)
        << result.Out;

    result = CliRun::Run(folder_, {"check-table", "Schlecht.db", "--examples", "0"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Out.find("Umschreibungen, die das Wort verraten: 2\n"
                              "    davon durch einen gemeinsamen Wortteil: 2\n  Gesperrte"),
              std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("Ergebnis: Die Tabelle verletzt harte Regeln."), std::string::npos);

    EXPECT_EQ(CliRun::Run(folder_, {"check-table", "Fehlt.db"}).Err,
              "Die Datei Fehlt.db existiert NICHT!\n");
    EXPECT_EQ(CliRun::Run(folder_, {"check-table", "gut.txt"}).Status, 1);
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"check-table"},
                                               {"check-table", "Gut.db", "Schlecht.db"},
                                               {"check-table", "Gut.db", "--examples", "x"},
                                               {"check-table", "Gut.db", "--lengths"},
                                               {"check-table", "Gut.db", "--streng"}}) {
        EXPECT_EQ(CliRun::Run(folder_, args).Status, 2) << args.back();
    }
}
