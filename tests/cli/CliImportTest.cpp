// wabolex-cli import, run as a user would.
#include "model/Cp1252.h"
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
    EXPECT_EQ(result.Out, "3 Einträge in Tiere.db geschrieben.\n");
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

TEST_F(CliImportTest, FailuresSayWhatIsWrongAndWriteNothing) {
    CliRun::WriteBytes(folder_ / "kaputt.txt", "A;gut\n\nZWEI WORTE;schlecht\n");
    auto result = CliRun::Run(folder_, {"import", "kaputt.txt", "-o", "x.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "kaputt.txt, Zeile 3: Der Begriff darf nur Buchstaben enthalten.\n");
    EXPECT_FALSE(fs::exists(folder_ / "x.db"));

    result = CliRun::Run(folder_, {"import", "fehlt.txt", "-o", "x.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Die Datei fehlt.txt existiert NICHT!\n");

    CliRun::WriteBytes(folder_ / "gut.txt", "A;gut\n");
    result = CliRun::Run(folder_, {"import", "gut.txt", "-o", "kein/Ordner/x.db"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("x.db kann nicht geschrieben werden"), std::string::npos)
        << result.Err;
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
