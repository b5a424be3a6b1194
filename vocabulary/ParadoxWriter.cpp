#include "vocabulary/ParadoxWriter.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"
#include "io/OutputFile.h"
#include "vocabulary/ParadoxTable.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <tuple>

namespace {

constexpr size_t kHeaderSize = 2048;
constexpr size_t kBlockSize = 2048;
constexpr size_t kBlockHeader = 6;
constexpr size_t kWordSize = 15;
constexpr size_t kClueSize = 50;
constexpr size_t kRecordSize = 4 + kWordSize + 2 + kClueSize;
constexpr size_t kPerBlock = (kBlockSize - kBlockHeader) / kRecordSize;
constexpr size_t kMaxBlocks = 65535;
constexpr uint8_t kVersion7 = 12;
constexpr uint16_t kCodePage = 1252;
constexpr size_t kTableNameSize = 261;

void Put16(std::string& d, size_t at, unsigned v) {
    d[at] = static_cast<char>(v & 0xFF);
    d[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& d, size_t at, uint32_t v) {
    Put16(d, at, v & 0xFFFF);
    Put16(d, at + 2, v >> 16);
}

// Numbers in records are big-endian with the sign bit flipped.
void PutRecordShort(std::string& d, size_t at, int16_t v) {
    const uint16_t raw = static_cast<uint16_t>(v) ^ 0x8000u;
    d[at] = static_cast<char>(raw >> 8);
    d[at + 1] = static_cast<char>(raw & 0xFF);
}

void PutRecordLong(std::string& d, size_t at, int32_t v) {
    const uint32_t raw = static_cast<uint32_t>(v) ^ 0x80000000u;
    for (int i = 0; i < 4; ++i) {
        d[at + static_cast<size_t>(i)] = static_cast<char>(raw >> (24 - 8 * i));
    }
}

std::string Header(size_t records, size_t blocks, const std::string& tableName) {
    struct FieldInfo {
        const char* utf8Name;
        uint8_t type;
        uint8_t size;
    };
    const FieldInfo fields[] = {{"Nr", 0x16, 4},
                                {"Begriff", 0x01, kWordSize},
                                {"Länge", 0x03, 2},
                                {"Umschreibung", 0x01, kClueSize}};
    const size_t numFields = std::size(fields);

    std::string h(kHeaderSize, '\0');
    Put16(h, 0x00, kRecordSize);
    Put16(h, 0x02, kHeaderSize);
    h[0x04] = 2; // a data table without primary index file
    h[0x05] = static_cast<char>(kBlockSize / 1024);
    Put32(h, 0x06, static_cast<uint32_t>(records));
    Put16(h, 0x0A, static_cast<unsigned>(blocks)); // blocks in use
    Put16(h, 0x0C, static_cast<unsigned>(blocks)); // blocks in the file
    Put16(h, 0x0E, blocks > 0 ? 1 : 0);            // first block
    Put16(h, 0x10, static_cast<unsigned>(blocks)); // last block
    Put16(h, 0x21, static_cast<unsigned>(numFields));
    Put32(h, 0x25, 0xFF00FF00); // "see the extended header": not encrypted
    h[0x29] = 0x62;             // international sort order
    h[0x39] = static_cast<char>(kVersion7);
    Put32(h, 0x49, static_cast<uint32_t>(records)); // last auto-increment value
    Put16(h, 0x58, 0x0100 | kVersion7);
    Put16(h, 0x5A, 0x0100 | kVersion7);
    Put16(h, 0x64, static_cast<unsigned>(numFields + 1));
    Put16(h, 0x6A, kCodePage);

    size_t at = 0x78;
    for (const auto& f : fields) {
        h[at++] = static_cast<char>(f.type);
        h[at++] = static_cast<char>(f.size);
    }
    at += 4 + 4 * numFields; // pointers the engine fills in memory
    std::copy_n(tableName.begin(), std::min(tableName.size(), kTableNameSize - 1), h.begin() + at);
    at += kTableNameSize;
    for (const auto& f : fields) {
        const std::string name = W(f.utf8Name);
        h.replace(at, name.size(), name);
        at += name.size() + 1;
    }
    for (size_t i = 1; i <= numFields; ++i) {
        Put16(h, at, static_cast<unsigned>(i));
        at += 2;
    }
    const std::string sortOrder = "ANSIINTL";
    h.replace(at, sortOrder.size(), sortOrder);
    return h;
}

void Check(const VocabularyRecord& r) {
    if (r.Word.size() > kWordSize) {
        throw WabolexError(W("Der Begriff ") + r.Word + W(" ist länger als 15 Zeichen."));
    }
    if (r.Clue.size() > kClueSize) {
        throw WabolexError(W("Die Umschreibung zu ") + r.Word + W(" ist länger als 50 Zeichen."));
    }
}

// The records in their order without repeats, each word's entries moved up to
// its first.
std::vector<VocabularyRecord> InGivenOrder(std::vector<VocabularyRecord> records) {
    std::map<std::string, size_t> firstPlace;
    std::set<std::pair<std::string, std::string>> seen;
    std::vector<std::pair<size_t, VocabularyRecord>> placed;
    for (VocabularyRecord& r : records) {
        if (!seen.insert({r.Word, r.Clue}).second) {
            continue;
        }
        const size_t place = firstPlace.emplace(r.Word, firstPlace.size()).first->second;
        placed.emplace_back(place, std::move(r));
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<VocabularyRecord> result;
    result.reserve(placed.size());
    for (auto& [place, record] : placed) {
        result.push_back(std::move(record));
    }
    return result;
}

} // namespace

namespace ParadoxWriter {

std::string VocabularyImage(std::vector<VocabularyRecord> records, const std::string& tableName,
                            size_t* written, Order order) {
    for (const auto& r : records) {
        Check(r);
    }
    if (order == Order::ByWord) {
        // Key order word, length, clue; the length follows from the word.
        std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
            return std::tie(a.Word, a.Clue) < std::tie(b.Word, b.Clue);
        });
        records.erase(std::unique(records.begin(), records.end()), records.end());
    } else {
        records = InGivenOrder(std::move(records));
    }
    if (written != nullptr) {
        *written = records.size();
    }

    const size_t blocks = (records.size() + kPerBlock - 1) / kPerBlock;
    // What the reader would refuse is not written.
    if (blocks > kMaxBlocks || records.size() > ParadoxTable::MaxRecords) {
        throw WabolexError(W("Zu viele Einträge für eine Tabelle: ") +
                           std::to_string(records.size()) + W(", höchstens ") +
                           std::to_string(ParadoxTable::MaxRecords) + ".");
    }
    std::string image = Header(records.size(), blocks, tableName);
    image.resize(kHeaderSize + blocks * kBlockSize, '\0');
    for (size_t b = 0; b < blocks; ++b) {
        const size_t start = kHeaderSize + b * kBlockSize;
        const size_t first = b * kPerBlock;
        const size_t count = std::min(kPerBlock, records.size() - first);
        Put16(image, start, b + 1 < blocks ? static_cast<unsigned>(b + 2) : 0);
        Put16(image, start + 2, static_cast<unsigned>(b));
        Put16(image, start + 4, static_cast<unsigned>((count - 1) * kRecordSize));
        for (size_t i = 0; i < count; ++i) {
            const VocabularyRecord& r = records[first + i];
            const size_t at = start + kBlockHeader + i * kRecordSize;
            PutRecordLong(image, at, static_cast<int32_t>(first + i + 1));
            image.replace(at + 4, r.Word.size(), r.Word);
            PutRecordShort(image, at + 4 + kWordSize, static_cast<int16_t>(r.Word.size()));
            image.replace(at + 4 + kWordSize + 2, r.Clue.size(), r.Clue);
        }
    }
    return image;
}

size_t WriteVocabulary(const std::filesystem::path& file, std::vector<VocabularyRecord> records,
                       Order order) {
    const std::string name = FileError::NameOf(file);
    size_t written = 0;
    const std::string image = VocabularyImage(std::move(records), name, &written, order);
    OutputFile::WriteWhole(file, image, W("Die Tabelle"));
    return written;
}

} // namespace ParadoxWriter
