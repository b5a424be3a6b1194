// The readers of vocabulary input fed far more than real input holds: many
// megabytes of short lines, one huge line, a file that claims a huge size,
// tables as large as the format allows. Each runs in a child process whose
// memory is limited to 256 MB and must end with a result or a clean refusal,
// never with std::bad_alloc or a crash.
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/io/ChildProcess.h"
#include "tests/vocabulary/PxlibTables.h"
#include "tests/vocabulary/TempFolder.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/TableCheck.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/ThesaurusImport.h"
#include "vocabulary/VocabularyRules.h"
#include "vocabulary/VocabularyTable.h"

extern "C" {
#include <paradox.h>
}

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <new>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

constexpr rlim_t kMemory = 256ull * 1024 * 1024;

// Exit status of a child: 0 result, 1 refusal, 2 out of memory, 3 other fault.
constexpr int kResult = 0;
constexpr int kRefused = 1;

int UnderTheLimit(const std::function<void()>& read) {
    return ChildProcess::Run(
        [&] {
            const rlimit limit{kMemory, kMemory};
            ::setrlimit(RLIMIT_AS, &limit);
            try {
                read();
            } catch (const WabolexError&) {
                return kRefused;
            } catch (const std::bad_alloc&) {
                return 2;
            } catch (...) {
                return 3;
            }
            return kResult;
        },
        120);
}

void WriteRepeated(const fs::path& file, const std::string& piece, size_t bytes) {
    std::ofstream out(file, std::ios::binary);
    std::string block;
    while (block.size() < 1024 * 1024) {
        block += piece;
    }
    for (size_t written = 0; written < bytes; written += block.size()) {
        out << block;
    }
}

// A word made from a number, letters only: distinct for distinct numbers.
std::string WordOf(size_t n, size_t length) {
    std::string word;
    for (size_t i = 0; i < length; ++i, n /= 26) {
        word += static_cast<char>('A' + n % 26);
    }
    return word;
}

} // namespace

TEST(BigInputTest, TextImportStreamsLinesAndCapsItsWarnings) {
    if (ChildProcess::UnderAddressSanitizer) {
        GTEST_SKIP() << "ASan läuft nicht unter einer Grenze des Adressraums.";
    }

    TempFolder folder;
    const fs::path bad = folder.Path() / "schlecht.txt";
    WriteRepeated(bad, "x\n", 40 * 1024 * 1024); // 20 million lines without a separator
    EXPECT_EQ(UnderTheLimit([&] {
                  ImportResult result;
                  TextImport::ReadLines(
                      bad,
                      [&](std::string_view line, size_t number) {
                          TextImport::AddLine(line, number, result);
                      },
                      result);
                  if (result.Warnings.size() != ImportResult::MaxWarnings ||
                      result.Warnings.size() + result.MoreWarnings != result.SkippedLines ||
                      result.SkippedLines != 20u * 1024 * 1024) {
                      throw std::logic_error("warnings miscounted");
                  }
              }),
              kResult);

    const fs::path line = folder.Path() / "zeile.txt";
    WriteRepeated(line, "WORT;Umschreibung ", 40 * 1024 * 1024); // one line of 40 MB
    const fs::path huge = folder.Path() / "riesig.txt";
    std::ofstream(huge).close();
    fs::resize_file(huge, 64ull << 30); // claims 64 GB, holds nothing
    for (const fs::path& file : {line, huge}) {
        EXPECT_EQ(UnderTheLimit([&] {
                      ImportResult result;
                      TextImport::ReadLines(
                          file,
                          [&](std::string_view text, size_t number) {
                              TextImport::AddLine(text, number, result);
                          },
                          result);
                      if (!result.Records.empty()) {
                          throw std::logic_error("a record from nothing");
                      }
                  }),
                  file == huge ? kRefused : kResult)
            << file;
    }
}

// A thesaurus of many megabytes: the import keeps a bounded number of clues,
// the check only the groups of the table's words, both within the limit.
TEST(BigInputTest, AThesaurusOfManyMegabytesIsBounded) {
    if (ChildProcess::UnderAddressSanitizer) {
        GTEST_SKIP() << "ASan läuft nicht unter einer Grenze des Adressraums.";
    }

    // Groups of four made-up nouns, as the thesaurus writes them, scattered so
    // that no two look alike (a clue like its word would be left out).
    const auto noun = [](size_t n, size_t length) {
        std::string word = WordOf(n * 2654435761u % 208827064576u, length);
        std::transform(word.begin() + 1, word.end(), word.begin() + 1,
                       [](char c) { return static_cast<char>(c - 'A' + 'a'); });
        return word;
    };
    std::string thesaurus;
    for (size_t n = 0; thesaurus.size() < 40 * 1024 * 1024; ++n) {
        thesaurus += noun(4 * n, 8) + ";" + noun(4 * n + 1, 8) + ";" + noun(4 * n + 2, 9) + ";" +
                     noun(4 * n + 3, 7) + "\n";
    }
    EXPECT_EQ(UnderTheLimit([&] {
                  ThesaurusImport::Options options;
                  ThesaurusImport::Importer importer(options);
                  for (std::string_view rest = thesaurus; !rest.empty();) {
                      const size_t end = rest.find('\n');
                      importer.AddLine(rest.substr(0, end));
                      rest.remove_prefix(end + 1);
                  }
                  importer.Finish();
              }),
              kRefused);

    // Every group names a word of the table: too many to keep.
    std::vector<TWordEntry> entries = {{"HAUS", "Heim"}};
    std::string groups;
    while (groups.size() < 16 * 1024 * 1024) {
        groups += "Haus;Heim;Gebäude;Bau;Unterkunft\n";
    }
    EXPECT_EQ(UnderTheLimit([&] {
                  TableCheck::Inputs inputs;
                  inputs.ThesaurusUtf8 = groups;
                  TableCheck::Check(entries, inputs);
              }),
              kRefused);
    // Groups of other words cost nothing.
    EXPECT_EQ(UnderTheLimit([&] {
                  TableCheck::Inputs inputs;
                  inputs.ThesaurusUtf8 = thesaurus;
                  TableCheck::Check(entries, inputs);
              }),
              kResult);
}

// Word lists: more different words than real lists hold are refused while
// they are read, before they fill the memory.
TEST(BigInputTest, WordListsBeyondAMillionWordsAreRefused) {
    if (ChildProcess::UnderAddressSanitizer) {
        GTEST_SKIP() << "ASan läuft nicht unter einer Grenze des Adressraums.";
    }

    std::string list;
    for (size_t n = 0; n < 2'500'000; ++n) {
        list += WordOf(n, 6) + "\n";
    }
    ASSERT_GT(list.size(), 16u * 1000 * 1000);
    for (const bool ranking : {false, true}) {
        EXPECT_EQ(UnderTheLimit([&] {
                      Lexicon lexicon;
                      if (ranking) {
                          lexicon.AddRanking(list);
                      } else {
                          lexicon.AddKnownWords(list);
                      }
                  }),
                  kRefused);
    }
    // One huge line and many copies of one word are no words to keep.
    const std::string one(40 * 1024 * 1024, 'A');
    EXPECT_EQ(UnderTheLimit([&] {
                  Lexicon lexicon;
                  lexicon.AddKnownWords(one);
                  lexicon.AddRanking(std::string(20 * 1024 * 1024, '\n'));
              }),
              kResult);
}

// A table as large as the reader takes: 64 MB of records of the longest text
// fields Paradox has, each record different. Written by pxlib for one block
// of 16 KB, then that block repeated along the chain (pxlib alone takes
// minutes for so many records).
void WriteLargestTable(const fs::path& file, size_t blocks) {
    constexpr size_t kBlock = 16 * 1024;
    constexpr size_t kRecord = 4 + 255 + 2 + 255;
    constexpr size_t kPerBlock = (kBlock - 6) / kRecord;
    PxlibTables::Table table;
    table.Fields = {{"Nr", pxfAutoInc, 4},
                    {"Begriff", pxfAlpha, 255},
                    {"L\xe4nge", pxfShort, 2},
                    {"Umschreibung", pxfAlpha, 255}};
    for (size_t n = 0; n < kPerBlock; ++n) {
        table.Rows.push_back({std::nullopt, std::string(255, 'W'), "255", std::string(255, 'u')});
    }
    const fs::path one = file.parent_path() / "eins.db";
    PxlibTables::Write(one, table, 1252, 16);
    std::ifstream in(one, std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto read16 = [&](size_t at) {
        return static_cast<size_t>(static_cast<unsigned char>(image[at])) |
               static_cast<size_t>(static_cast<unsigned char>(image[at + 1])) << 8;
    };
    const size_t headerSize = read16(0x02);
    ASSERT_EQ(image.size(), headerSize + kBlock);
    ASSERT_EQ(read16(headerSize + 4), (kPerBlock - 1) * kRecord) << "one full block";
    std::string header = image.substr(0, headerSize);
    const auto put = [](std::string& bytes, size_t at, size_t value, size_t width) {
        for (size_t i = 0; i < width; ++i) {
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(header, 0x06, blocks * kPerBlock, 4); // records
    put(header, 0x0C, blocks, 2);             // blocks in the file
    put(header, 0x10, blocks, 2);             // last block
    std::ofstream out(file, std::ios::binary);
    out << header;
    std::string block = image.substr(headerSize);
    for (size_t b = 1; b <= blocks; ++b) {
        put(block, 0, b == blocks ? 0 : b + 1, 2);
        put(block, 2, b - 1, 2);
        for (size_t r = 0; r < kPerBlock; ++r) {
            const std::string word = WordOf((b - 1) * kPerBlock + r, 5);
            block.replace(6 + r * kRecord + 4, word.size(), word);
            block.replace(6 + r * kRecord + 4 + 255 + 2, word.size(), word);
        }
        out << block;
    }
}

TEST(BigInputTest, TheLargestTablesAreReadAndCheckedWithinTheLimit) {
    if (ChildProcess::UnderAddressSanitizer) {
        GTEST_SKIP() << "ASan läuft nicht unter einer Grenze des Adressraums.";
    }

    TempFolder folder;
    const fs::path file = folder.Path() / "Gross.db";
    constexpr size_t kBlocks = 4000; // 124,000 records of 516 bytes: just below 64 MB
    WriteLargestTable(file, kBlocks);
    const size_t records = kBlocks * 31;
    EXPECT_EQ(UnderTheLimit([&] {
                  const std::vector<TWordEntry> entries = VocabularyTable::ReadUncut(file);
                  TableCheck::Inputs inputs;
                  inputs.Banned = &VocabularyRules::BanList::Shipped();
                  const TableCheck::Report report = TableCheck::Check(entries, inputs);
                  if (report.Entries != records || report.LongFields.Entries.size() != records ||
                      report.DistinctWords != records) {
                      throw std::logic_error("not every entry was checked");
                  }
              }),
              kResult);
    EXPECT_EQ(UnderTheLimit([&] {
                  if (VocabularyTable::Read(file).size() != records) {
                      throw std::logic_error("entries lost");
                  }
              }),
              kResult);
    // One block more is more than the reader takes: refused before it is read.
    WriteLargestTable(file, kBlocks + 300);
    EXPECT_EQ(UnderTheLimit([&] { VocabularyTable::ReadUncut(file); }), kRefused);
}
