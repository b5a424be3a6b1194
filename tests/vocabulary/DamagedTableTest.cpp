// Damaged tables are refused with a WabolexError: never a crash, a hang, a huge
// allocation or garbage records.
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/vocabulary/TempFolder.h"
#include "vocabulary/ParadoxTable.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/VocabularyTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace {

std::string SoundImage() {
    std::vector<VocabularyRecord> records;
    for (int i = 0; i < 70; ++i) { // three blocks
        records.push_back({"WORT" + std::to_string(i), "Umschreibung Nummer " + std::to_string(i)});
    }
    return ParadoxWriter::VocabularyImage(records, "test.db");
}

void Put16(std::string& d, size_t at, unsigned v) {
    d[at] = static_cast<char>(v & 0xFF);
    d[at + 1] = static_cast<char>(v >> 8);
}

// Parses the image; reading it must either succeed completely or fail cleanly.
bool ReadsOrRefuses(const std::string& image) {
    try {
        const ParadoxTable table = ParadoxTable::Parse(image, "test.db");
        for (size_t r = 0; r < table.RecordCount(); ++r) {
            for (size_t f = 0; f < table.Fields().size(); ++f) {
                try {
                    (void)table.Text(r, static_cast<int>(f));
                } catch (const WabolexError&) {
                    // a field type that is not text
                }
            }
        }
        return true;
    } catch (const WabolexError& e) {
        EXPECT_NE(std::string(e.what()).find("test.db"), std::string::npos) << e.what();
        return false;
    }
}

std::string Refusal(const std::string& image) {
    try {
        ParadoxTable::Parse(image, "test.db");
    } catch (const WabolexError& e) {
        return e.what();
    }
    return "(gelesen)";
}

constexpr size_t kHeader = 2048;
constexpr size_t kBlock = 2048;

} // namespace

TEST(DamagedTableTest, SoundImageReadsBack) {
    const auto entries = VocabularyTable::ReadImage(SoundImage(), "test.db");
    EXPECT_EQ(entries.size(), 70u);
}

TEST(DamagedTableTest, EveryTruncationIsRefused) {
    const std::string image = SoundImage();
    for (size_t size = 0; size < image.size(); size += (size < kHeader ? 1 : 61)) {
        EXPECT_FALSE(ReadsOrRefuses(image.substr(0, size))) << "size " << size;
    }
}

TEST(DamagedTableTest, AnyHeaderByteChangedIsReadOrRefused) {
    const std::string image = SoundImage();
    for (size_t at = 0; at < 0x200; ++at) {
        for (unsigned char value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::string damaged = image;
            damaged[at] = static_cast<char>(value);
            ReadsOrRefuses(damaged);
        }
        std::string flipped = image;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
        ReadsOrRefuses(flipped);
    }
}

TEST(DamagedTableTest, BrokenBlockChainsAreRefused) {
    const std::string image = SoundImage();
    std::string cycle = image;
    Put16(cycle, kHeader + 2 * kBlock, 1); // the last block points back to the first
    EXPECT_NE(Refusal(cycle).find(W("ringförmig")), std::string::npos);

    std::string self = image;
    Put16(self, kHeader, 1);
    EXPECT_NE(Refusal(self).find(W("ringförmig")), std::string::npos);

    std::string outside = image;
    Put16(outside, kHeader, 40);
    EXPECT_NE(Refusal(outside).find(W("außerhalb")), std::string::npos);

    std::string overfull = image;
    Put16(overfull, kHeader + 4, 40 * 71); // more records than the block holds
    EXPECT_NE(Refusal(overfull).find(W("Füllstand")), std::string::npos);

    std::string misaligned = image;
    Put16(misaligned, kHeader + 4, 3 * 71 + 5);
    EXPECT_NE(Refusal(misaligned).find(W("Füllstand")), std::string::npos);
}

TEST(DamagedTableTest, ImplausibleCountsAndSizesAreRefused) {
    const std::string image = SoundImage();
    // A count no vocabulary reaches is refused before any block is read.
    std::string records = image;
    Put16(records, 0x06, 0xFFFF);
    Put16(records, 0x08, 0xFFFF);
    EXPECT_NE(Refusal(records).find(W("Datensätzen zu groß")), std::string::npos);
    Put16(records, 0x08, 0);
    EXPECT_NE(Refusal(records).find(W("Anzahl der Datensätze")), std::string::npos);

    std::string blocks = image;
    Put16(blocks, 0x0C, 0xFFFF); // claims 65535 blocks, the chain still ends after three
    EXPECT_TRUE(ReadsOrRefuses(blocks));

    std::string recordSize = image;
    Put16(recordSize, 0x00, 72);
    EXPECT_NE(Refusal(recordSize).find(W("Satzlänge")), std::string::npos);

    std::string fields = image;
    Put16(fields, 0x21, 200);
    EXPECT_FALSE(ReadsOrRefuses(fields));

    std::string header = image;
    Put16(header, 0x02, 0xFFFF);
    EXPECT_FALSE(ReadsOrRefuses(header));
}

TEST(DamagedTableTest, WrongKindOfFileIsRefused) {
    std::string index = SoundImage();
    index[0x04] = 1; // a primary index
    EXPECT_NE(Refusal(index).find("Indexdatei"), std::string::npos);

    std::string encrypted = SoundImage();
    encrypted[0x5C] = 0x11;
    EXPECT_NE(Refusal(encrypted).find(W("verschlüsselt")), std::string::npos);

    std::string version = SoundImage();
    version[0x39] = 40;
    EXPECT_NE(Refusal(version).find("Version"), std::string::npos);
}

TEST(DamagedTableTest, RandomDamageAnywhereIsReadOrRefused) {
    const std::string image = SoundImage();
    std::mt19937 random(20071);
    std::uniform_int_distribution<size_t> position(0, image.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = image;
        for (int i = 0; i < 1 + round % 8; ++i) {
            damaged[position(random)] = static_cast<char>(byte(random));
        }
        ReadsOrRefuses(damaged);
    }
}

namespace {

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> Words(const ParadoxTable& table) {
    std::vector<std::string> words;
    for (size_t r = 0; r < table.RecordCount(); ++r) {
        words.push_back(table.Text(r, 0).value_or("") + ";" + table.Text(r, 1).value_or(""));
    }
    return words;
}

} // namespace

// A table file is read through a window of its bytes; the records must come
// out as from the whole image, also when the chain runs from the back of the
// file to the front across many windows, and a file cut short is refused.
TEST(DamagedTableTest, FileReadsAsItsImageInAnyChainOrder) {
    std::vector<VocabularyRecord> records;
    for (int i = 0; i < 4000; ++i) {
        records.push_back({"WORT" + std::to_string(i), "Umschreibung " + std::to_string(i)});
    }
    const std::string forward = ParadoxWriter::VocabularyImage(records, "test.db");
    const size_t blocks = (forward.size() - kHeader) / kBlock;
    ASSERT_GT(forward.size(), 200u * 1024);

    std::string backward = forward;
    Put16(backward, 0x0E, static_cast<unsigned>(blocks)); // the first block is the last
    for (size_t block = 1; block <= blocks; ++block) {
        Put16(backward, kHeader + (block - 1) * kBlock, static_cast<unsigned>(block - 1));
    }

    TempFolder folder;
    for (const std::string& image : {forward, backward}) {
        const auto file = folder.Path() / "test.db";
        WriteFile(file, image);
        const std::vector<std::string> fromFile = Words(ParadoxTable::Open(file));
        EXPECT_EQ(fromFile, Words(ParadoxTable::Parse(image, "test.db")));
        EXPECT_EQ(fromFile.size(), records.size());
    }
    const std::vector<std::string> reversed = Words(ParadoxTable::Parse(backward, "test.db"));
    EXPECT_NE(reversed.front(), Words(ParadoxTable::Parse(forward, "test.db")).front());

    for (size_t size : {kHeader + kBlock / 2, forward.size() / 2 + 100, forward.size() - 1}) {
        const auto file = folder.Path() / "cut.db";
        WriteFile(file, backward.substr(0, size));
        EXPECT_THROW(ParadoxTable::Open(file), WabolexError) << "size " << size;
    }
}
