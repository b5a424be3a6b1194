// Real tables written by Paradox and BDE-era tools: each one is either read
// completely or refused with a WabolexError, as its structure warrants.
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "vocabulary/ParadoxTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path Samples() {
    return fs::path(WABOLEX_PARADOX_SAMPLES);
}

#define REQUIRE_SAMPLES()                                                                          \
    if (!fs::is_directory(Samples())) {                                                            \
        GTEST_SKIP() << "no Paradox samples at " << Samples();                                     \
    }

ParadoxTable Open(const char* relative) {
    return ParadoxTable::Open(Samples() / relative);
}

} // namespace

TEST(ParadoxSamplesTest, EveryFileIsReadOrRefusedCleanly) {
    REQUIRE_SAMPLES();
    int read = 0;
    int refused = 0;
    for (const auto& entry : fs::recursive_directory_iterator(Samples())) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") {
            continue;
        }
        try {
            const ParadoxTable table = ParadoxTable::Open(entry.path());
            for (size_t r = 0; r < table.RecordCount(); ++r) {
                for (size_t f = 0; f < table.Fields().size(); ++f) {
                    const auto type = table.Fields()[f].Type;
                    if (type == ParadoxFieldType::Alpha || type == ParadoxFieldType::Short ||
                        type == ParadoxFieldType::Long || type == ParadoxFieldType::AutoInc) {
                        (void)table.Text(r, static_cast<int>(f));
                    }
                }
            }
            ++read;
        } catch (const WabolexError& e) {
            EXPECT_NE(std::string(e.what()).find(W("Die Datei ")), std::string::npos) << e.what();
            ++refused;
        }
    }
    EXPECT_GE(read, 20);
    EXPECT_GE(refused, 6); // index files, the blob file and the encrypted tables
}

TEST(ParadoxSamplesTest, GermanPar7TableWithAllFieldTypes) {
    REQUIRE_SAMPLES();
    const ParadoxTable table = Open("celebithil_Rparadox/TypSammlung.DB");
    EXPECT_EQ(table.FileVersion(), 12);
    EXPECT_EQ(table.CodePage(), 1252);
    ASSERT_EQ(table.Fields().size(), 14u);
    EXPECT_EQ(table.RecordCount(), 5u);
    // Field names are code-page text too; the BCD field takes 17 bytes whatever
    // its declared precision, so the later fields sit where they should.
    EXPECT_EQ(table.FindField(W("währung")), 2);
    const int counter = table.FindField(W("Zähler"));
    ASSERT_EQ(counter, 11);
    EXPECT_EQ(table.Fields()[static_cast<size_t>(counter)].Type, ParadoxFieldType::AutoInc);
    std::vector<int32_t> counters;
    for (size_t r = 0; r < table.RecordCount(); ++r) {
        counters.push_back(table.Integer(r, counter).value_or(-1));
    }
    // A keyed table stores its records in key order, not in counter order.
    std::sort(counters.begin(), counters.end());
    EXPECT_EQ(counters, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_THROW((void)table.Text(0, table.FindField("Numerisch")), WabolexError);
}

TEST(ParadoxSamplesTest, DosCodePagesAreConvertedToWindows1252) {
    REQUIRE_SAMPLES();
    const ParadoxTable country = Open("celebithil_Rparadox/country.db");
    EXPECT_EQ(country.CodePage(), 850);
    EXPECT_EQ(country.RecordCount(), 18u);
    const int name = country.FindField("Name");
    std::string all;
    for (size_t r = 0; r < country.RecordCount(); ++r) {
        all += country.Text(r, name).value_or("") + "\n";
    }
    EXPECT_NE(all.find("Argentina\n"), std::string::npos);

    // Cyrillic has no Windows-1252 form: it becomes '?', digits and Latin stay.
    const ParadoxTable cyrillic = Open("celebithil_Rparadox/of_cp866.db");
    EXPECT_EQ(cyrillic.CodePage(), 866);
    EXPECT_EQ(cyrillic.RecordCount(), 2197u);
    EXPECT_EQ(cyrillic.Fields()[0].Name, "??????????? ?????");
}

TEST(ParadoxSamplesTest, OldVersionsWithSmallBlocks) {
    REQUIRE_SAMPLES();
    const ParadoxTable states = Open("leonhad_paradoxdriver/areas_STATES.DB");
    EXPECT_EQ(states.FileVersion(), 3);
    ASSERT_EQ(states.RecordCount(), 53u);
    const ParadoxTable employees = Open("leonhad_paradoxdriver/mtdemo_EMPLOYEE.DB");
    EXPECT_EQ(employees.RecordCount(), 21u);
    const int number = employees.FindField("employee #");
    ASSERT_GE(number, 0);
    EXPECT_TRUE(employees.Integer(0, number).has_value());
}

TEST(ParadoxSamplesTest, EncryptedAndNonTableFilesAreRefused) {
    REQUIRE_SAMPLES();
    for (const char* file :
         {"leonhad_paradoxdriver/encrypt_encrypted.db",
          "leonhad_paradoxdriver/encrypt_encrypted35.db", "leonhad_paradoxdriver/joins_C.PX",
          "leonhad_paradoxdriver/joins_C.X02", "leonhad_paradoxdriver/joins_C.Y02",
          "celebithil_Rparadox/TypSammlung.MB"}) {
        EXPECT_THROW(Open(file), WabolexError) << file;
    }
    try {
        Open("leonhad_paradoxdriver/encrypt_encrypted.db");
    } catch (const WabolexError& e) {
        EXPECT_NE(std::string(e.what()).find("encrypt_encrypted.db"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find(W("verschlüsselt")), std::string::npos);
    }
}

TEST(ParadoxSamplesTest, EmptyTableHasNoRecords) {
    REQUIRE_SAMPLES();
    const ParadoxTable table = Open("celebithil_Rparadox/empty.db");
    EXPECT_EQ(table.RecordCount(), 0u);
    EXPECT_EQ(table.Fields().size(), 7u);
}
