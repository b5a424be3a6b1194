// Our reader and writer against pxlib, an independent implementation of the
// table format: what one writes, the other must read back exactly.
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/vocabulary/PxlibTables.h"
#include "tests/vocabulary/TempFolder.h"
#include "vocabulary/ParadoxTable.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/VocabularyTable.h"

extern "C" {
#include <paradox.h>
}

#include <gtest/gtest.h>

#include <fstream>

namespace {

using PxlibTables::Row;

PxlibTables::Table VocabularyTableOf(const std::vector<Row>& rows) {
    return {PxlibTables::VocabularyFields(), rows};
}

std::vector<std::pair<std::string, std::string>>
WordsAndClues(const std::vector<TWordEntry>& entries) {
    std::vector<std::pair<std::string, std::string>> result;
    for (const auto& e : entries) {
        result.emplace_back(e.Word, e.Clue);
    }
    return result;
}

} // namespace

TEST(ParadoxPxlibTest, ReadsEveryValueOfAPxlibTableExactly) {
    TempFolder folder;
    const auto file = folder.Path() / "werte.db";
    PxlibTables::Table table;
    table.Fields = {{"Nr", pxfAutoInc, 4},  {"Kurz", pxfShort, 2}, {"Lang", pxfLong, 4},
                    {"Text", pxfAlpha, 20}, {"Datum", pxfDate, 4}, {"Zahl", pxfNumber, 8},
                    {"Name", pxfAlpha, 8}};
    table.Rows = {
        {"1", "-32767", "-2147483647",
         "Gr\xfc\xdf"
         "e \x80",
         "1", "1", "abcdefgh"},
        {"2", "32767", "2147483647", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {"3", "-1", "0", "x", "2", "2", "A"},
        {"4", "1", "-1", "12345678901234567890", "3", "3", "Z"}};
    PxlibTables::Write(file, table);

    const ParadoxTable ours = ParadoxTable::Open(file);
    ASSERT_EQ(ours.RecordCount(), table.Rows.size());
    ASSERT_EQ(ours.Fields().size(), table.Fields.size());
    EXPECT_EQ(ours.CodePage(), 1252);
    for (size_t r = 0; r < table.Rows.size(); ++r) {
        for (int f : {0, 1, 2, 3, 6}) {
            const auto& expected = table.Rows[r][static_cast<size_t>(f)];
            EXPECT_EQ(ours.Text(r, f), expected) << "record " << r << " field " << f;
        }
    }
}

TEST(ParadoxPxlibTest, VocabularyOfPxlibInLengthOrderWithCuts) {
    TempFolder folder;
    const auto file = folder.Path() / "wortschatz.db";
    const std::string longClue(50, 'u');
    PxlibTables::Write(file, VocabularyTableOf({{"1", "HUND", "4", "Bellt"},
                                                {"2", "ELEFANT", "7", "Dickh\xe4uter"},
                                                {"3", "OHNE", std::nullopt, "ohne L\xe4nge"},
                                                {"4", "KATZE", "5", "Miaut"},
                                                {"5", "LOEWE", "5", longClue},
                                                {"6", "ABCDEFGHIJKLMNO", "15", ""},
                                                {"7", "EMU", "3", "Laufvogel"}}));
    const auto entries = VocabularyTable::Read(file);
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(WordsAndClues(entries),
              (std::vector<P>{{"ABCDEFGHIJKLMNO", ""},
                              {"ELEFANT", W("Dickhäuter")},
                              {"KATZE", "Miaut"}, // equal lengths keep their stored order
                              {"LOEWE", longClue},
                              {"HUND", "Bellt"},
                              {"EMU", "Laufvogel"},
                              {"OHNE", W("ohne Länge")}})); // no length: last
}

TEST(ParadoxPxlibTest, TablesInDosCodePagesAreConverted) {
    TempFolder folder;
    const auto file = folder.Path() / "dos.db";
    // "Länge" and the umlauts as code page 850 bytes; 0xB0 is a box-drawing
    // character without a Windows-1252 form.
    PxlibTables::Table table{{{"Nr", pxfAutoInc, 4},
                              {"Begriff", pxfAlpha, 15},
                              {"L\x84nge", pxfShort, 2},
                              {"Umschreibung", pxfAlpha, 50}},
                             {{"1",
                               "B\x8E"
                               "R",
                               "3", "Tier im Wald \xB0"}}};
    PxlibTables::Write(file, table, 850);
    const auto entries = VocabularyTable::Read(file);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Word, W("BÄR"));
    EXPECT_EQ(entries[0].Clue, "Tier im Wald ?");
}

TEST(ParadoxPxlibTest, PxlibReadsOurTablesExactlyInKeyOrder) {
    TempFolder folder;
    const auto file = folder.Path() / "eigen.db";
    std::vector<VocabularyRecord> records;
    for (int i = 0; i < 100; ++i) { // several blocks
        records.push_back({"WORT" + std::to_string(99 - i), "Umschreibung " + std::to_string(i)});
    }
    records.push_back({W("ÄHRE"), W("Getreideteil mit Körnern")});
    records.push_back({"AAL", std::string(50, 'x')});
    records.push_back({"AAL", "Fisch"});
    records.push_back({"AAL", "Fisch"}); // a keyed table holds each key once
    records.push_back({"ABCDEFGHIJKLMNO", ""});
    ParadoxWriter::WriteVocabulary(file, records);

    const PxlibTables::Table read = PxlibTables::Read(file);
    ASSERT_EQ(read.Fields.size(), 4u);
    EXPECT_EQ(read.Fields[2].Name, "L\xe4nge");
    EXPECT_EQ(read.Fields[0].Type, pxfAutoInc);
    EXPECT_EQ(read.Fields[1].Size, 15);
    EXPECT_EQ(read.Fields[3].Size, 50);
    ASSERT_EQ(read.Rows.size(), 104u);
    EXPECT_EQ(read.Rows[0], (Row{"1", "AAL", "3", "Fisch"}));
    EXPECT_EQ(read.Rows[1], (Row{"2", "AAL", "3", std::string(50, 'x')}));
    EXPECT_EQ(read.Rows[2], (Row{"3", "ABCDEFGHIJKLMNO", "15", std::nullopt}));
    EXPECT_EQ(read.Rows[3], (Row{"4", "WORT0", "5", "Umschreibung 99"}));
    EXPECT_EQ(read.Rows.back(), (Row{"104", W("ÄHRE"), "4", W("Getreideteil mit Körnern")}));

    // And our own reader agrees with pxlib record by record.
    const ParadoxTable ours = ParadoxTable::Open(file);
    ASSERT_EQ(ours.RecordCount(), read.Rows.size());
    for (size_t r = 0; r < read.Rows.size(); ++r) {
        for (int f = 0; f < 4; ++f) {
            EXPECT_EQ(ours.Text(r, f), read.Rows[r][static_cast<size_t>(f)]);
        }
    }
}

TEST(ParadoxPxlibTest, EmptyTablesFromBothWriters) {
    TempFolder folder;
    PxlibTables::Write(folder.Path() / "leer1.db", VocabularyTableOf({}));
    EXPECT_TRUE(VocabularyTable::Read(folder.Path() / "leer1.db").empty());
    ParadoxWriter::WriteVocabulary(folder.Path() / "leer2.db", {});
    EXPECT_TRUE(VocabularyTable::Read(folder.Path() / "leer2.db").empty());
    EXPECT_TRUE(PxlibTables::Read(folder.Path() / "leer2.db").Rows.empty());
}

TEST(ParadoxPxlibTest, MissingFieldsAreNamed) {
    TempFolder folder;
    const auto file = folder.Path() / "halb.db";
    PxlibTables::Write(file,
                       {{{"Begriff", pxfAlpha, 15}, {"L\xe4nge", pxfShort, 2}}, {{"A", "1"}}});
    try {
        VocabularyTable::Read(file);
        FAIL() << "a table without clues was accepted";
    } catch (const WabolexError& e) {
        EXPECT_EQ(std::string(e.what()),
                  W("In der Tabelle halb.db fehlt das Feld „Umschreibung“."));
    }
    PxlibTables::Write(file, {{{"Umschreibung", pxfAlpha, 50}, {"L\xe4nge", pxfShort, 2}}, {}});
    EXPECT_THROW(VocabularyTable::Read(file), WabolexError);
}

TEST(ParadoxPxlibTest, WriterRefusesOverlongTextsAndLeavesNoFile) {
    TempFolder folder;
    const auto file = folder.Path() / "zu_lang.db";
    EXPECT_THROW(ParadoxWriter::WriteVocabulary(file, {{std::string(16, 'A'), "x"}}), WabolexError);
    EXPECT_THROW(ParadoxWriter::WriteVocabulary(file, {{"A", std::string(51, 'x')}}), WabolexError);
    EXPECT_FALSE(std::filesystem::exists(file));
}
