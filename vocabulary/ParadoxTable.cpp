#include "ParadoxTable.h"

#include "Cp1252.h"
#include "WabolexError.h"

#include <fstream>
#include <iterator>

namespace {

// Header layout shared by all versions; from version 4.0 on an extended
// header follows and the field descriptors move behind it.
constexpr size_t kRecordSize = 0x00;
constexpr size_t kHeaderSize = 0x02;
constexpr size_t kFileType = 0x04;
constexpr size_t kBlockSizeCode = 0x05;
constexpr size_t kNumRecords = 0x06;
constexpr size_t kFileBlocks = 0x0C;
constexpr size_t kFirstBlock = 0x0E;
constexpr size_t kNumFields = 0x21;
constexpr size_t kEncryption1 = 0x25;
constexpr size_t kFileVersion = 0x39;
constexpr size_t kEncryption2 = 0x5C;
constexpr size_t kCodePage = 0x6A;
constexpr size_t kBaseHeaderEnd = 0x58;
constexpr size_t kExtendedHeaderEnd = 0x78;
constexpr uint32_t kNoEncryptionMarker = 0xFF00FF00;
constexpr size_t kBlockHeader = 6; // next, previous, offset of the last record
constexpr int kDosDefaultCodePage = 437;
constexpr uintmax_t kLargestTable = 2200u * 1024u * 1024u; // 65535 blocks of 32 KB and a header

unsigned Read16(std::string_view d, size_t at) {
    return static_cast<unsigned char>(d[at]) | (static_cast<unsigned char>(d[at + 1]) << 8);
}

uint32_t Read32(std::string_view d, size_t at) {
    return Read16(d, at) | (static_cast<uint32_t>(Read16(d, at + 2)) << 16);
}

class Checker {
public:
    explicit Checker(const std::string& name) : name_(name) {}
    [[noreturn]] void Fail(const std::string& utf8Detail) const {
        throw WabolexError(W("Die Datei ") + name_ + W(" ist keine lesbare Paradox-Tabelle: ") +
                           W(utf8Detail) + ".");
    }
    void Require(bool condition, const std::string& utf8Detail) const {
        if (!condition) {
            Fail(utf8Detail);
        }
    }

private:
    const std::string& name_;
};

// Bytes a field of this type takes in the record, or -1 for an impossible size.
int StorageSize(ParadoxFieldType type, int declared) {
    switch (type) {
    case ParadoxFieldType::Alpha:
    case ParadoxFieldType::Bytes:
        return declared >= 1 ? declared : -1;
    case ParadoxFieldType::Logical:
        return declared == 1 ? 1 : -1;
    case ParadoxFieldType::Short:
        return declared == 2 ? 2 : -1;
    case ParadoxFieldType::Date:
    case ParadoxFieldType::Long:
    case ParadoxFieldType::Time:
    case ParadoxFieldType::AutoInc:
        return declared == 4 ? 4 : -1;
    case ParadoxFieldType::Currency:
    case ParadoxFieldType::Number:
    case ParadoxFieldType::Timestamp:
        return declared == 8 ? 8 : -1;
    case ParadoxFieldType::Bcd:
        return declared <= 32 ? 17 : -1; // the descriptor holds the decimal places
    case ParadoxFieldType::MemoBlob:
    case ParadoxFieldType::Blob:
    case ParadoxFieldType::FormattedMemo:
    case ParadoxFieldType::Ole:
    case ParadoxFieldType::Graphic:
        return declared >= 10 ? declared : -1; // leader text and a 10-byte reference
    }
    return -1;
}

bool KnownType(unsigned type) {
    switch (static_cast<ParadoxFieldType>(type)) {
    case ParadoxFieldType::Alpha:
    case ParadoxFieldType::Date:
    case ParadoxFieldType::Short:
    case ParadoxFieldType::Long:
    case ParadoxFieldType::Currency:
    case ParadoxFieldType::Number:
    case ParadoxFieldType::Logical:
    case ParadoxFieldType::MemoBlob:
    case ParadoxFieldType::Blob:
    case ParadoxFieldType::FormattedMemo:
    case ParadoxFieldType::Ole:
    case ParadoxFieldType::Graphic:
    case ParadoxFieldType::Time:
    case ParadoxFieldType::Timestamp:
    case ParadoxFieldType::AutoInc:
    case ParadoxFieldType::Bcd:
    case ParadoxFieldType::Bytes:
        return true;
    }
    return false;
}

bool ValidBlockSizeCode(unsigned code, int version) {
    if (code >= 1 && code <= 4) {
        return true;
    }
    return version >= 12 && (code == 8 || code == 16 || code == 32);
}

} // namespace

ParadoxTable ParadoxTable::Open(const std::filesystem::path& file) {
    const std::string name =
        Cp1252::FromUtf8(reinterpret_cast<const char*>(file.filename().u8string().c_str()));
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) {
        throw WabolexError(W("Die Datei ") + name + W(" kann nicht gelesen werden."));
    }
    if (size > kLargestTable) {
        throw WabolexError(W("Die Datei ") + name + W(" ist zu groß für eine Paradox-Tabelle."));
    }
    std::ifstream in(file, std::ios::binary);
    std::string image(static_cast<size_t>(size), '\0');
    if (!in || !in.read(image.data(), static_cast<std::streamsize>(image.size()))) {
        throw WabolexError(W("Die Datei ") + name + W(" kann nicht gelesen werden."));
    }
    return Parse(image, name);
}

ParadoxTable ParadoxTable::Parse(std::string_view d, const std::string& displayName) {
    const Checker check(displayName);
    check.Require(d.size() >= kBaseHeaderEnd, "die Datei ist zu kurz");

    const unsigned fileType = static_cast<unsigned char>(d[kFileType]);
    check.Require(fileType != 1 && !(fileType >= 3 && fileType <= 8),
                  "die Datei ist eine Indexdatei, keine Tabelle");
    check.Require(fileType == 0 || fileType == 2, "unbekannter Dateityp");

    const int version = static_cast<unsigned char>(d[kFileVersion]);
    check.Require(version >= 3 && version <= 12,
                  "unbekannte Versionsnummer " + std::to_string(version));

    const unsigned blockCode = static_cast<unsigned char>(d[kBlockSizeCode]);
    check.Require(ValidBlockSizeCode(blockCode, version), "ungültige Blockgröße");
    const size_t blockSize = blockCode * 1024u;

    const bool extended = version >= 5;
    const size_t descriptors = extended ? kExtendedHeaderEnd : kBaseHeaderEnd;
    const size_t headerSize = Read16(d, kHeaderSize);
    check.Require(headerSize >= descriptors && headerSize <= d.size(),
                  "die Kopfdaten sind unvollständig");

    const uint32_t encryption1 = Read32(d, kEncryption1);
    const bool encrypted = extended ? (encryption1 != 0 && encryption1 != kNoEncryptionMarker) ||
                                          Read32(d, kEncryption2) != 0
                                    : encryption1 != 0;
    check.Require(!encrypted, "die Tabelle ist mit einem Kennwort verschlüsselt");

    const int codePage = extended ? static_cast<int>(Read16(d, kCodePage)) : kDosDefaultCodePage;
    ParadoxTable table(codePage);
    table.displayName_ = displayName;
    table.fileVersion_ = version;

    // Field descriptors: type and size per field, then the sizes must add up.
    const size_t numFields = Read16(d, kNumFields);
    check.Require(numFields >= 1 && numFields <= 255, "ungültige Anzahl von Feldern");
    check.Require(descriptors + 2 * numFields <= headerSize, "die Feldbeschreibungen fehlen");
    const size_t recordSize = Read16(d, kRecordSize);
    size_t offset = 0;
    for (size_t i = 0; i < numFields; ++i) {
        const unsigned type = static_cast<unsigned char>(d[descriptors + 2 * i]);
        const int declared = static_cast<unsigned char>(d[descriptors + 2 * i + 1]);
        check.Require(KnownType(type),
                      "Feld " + std::to_string(i + 1) + " hat einen unbekannten Typ");
        ParadoxField field;
        field.Type = static_cast<ParadoxFieldType>(type);
        field.Size = StorageSize(field.Type, declared);
        check.Require(field.Size > 0,
                      "Feld " + std::to_string(i + 1) + " hat eine ungültige Größe");
        field.Offset = static_cast<int>(offset);
        offset += static_cast<size_t>(field.Size);
        table.fields_.push_back(field);
    }
    check.Require(recordSize == offset, "die Feldgrößen ergeben nicht die Satzlänge");
    check.Require(recordSize + kBlockHeader <= blockSize,
                  "ein Datensatz passt nicht in einen Block");
    table.recordSize_ = static_cast<int>(recordSize);

    // Field names: behind the descriptors, a pointer per field and the table name.
    size_t at = descriptors + 2 * numFields + 4 + 4 * numFields + (version >= 12 ? 261 : 79);
    for (auto& field : table.fields_) {
        check.Require(at < headerSize, "die Feldnamen fehlen");
        const size_t end = d.find('\0', at);
        check.Require(end != std::string_view::npos && end < headerSize, "die Feldnamen fehlen");
        field.Name = table.converter_.ToCp1252(d.substr(at, end - at));
        at = end + 1;
    }

    // The data block chain: every block inside the file, none visited twice,
    // fill levels within the block, and the records adding up to the header's count.
    const size_t numRecords = Read32(d, kNumRecords);
    const size_t fileBlocks = Read16(d, kFileBlocks);
    const size_t blocksInFile = (d.size() - headerSize) / blockSize;
    const size_t perBlock = (blockSize - kBlockHeader) / recordSize;
    std::vector<bool> visited(fileBlocks + 1, false);
    std::vector<std::pair<size_t, size_t>> chain; // start of records, record count
    size_t total = 0;
    for (size_t block = Read16(d, kFirstBlock); block != 0;) {
        check.Require(block <= fileBlocks && block <= blocksInFile,
                      "Datenblock " + std::to_string(block) + " liegt außerhalb der Datei");
        check.Require(!visited[block], "die Kette der Datenblöcke ist ringförmig");
        visited[block] = true;
        const size_t start = headerSize + (block - 1) * blockSize;
        const int lastOffset = static_cast<int16_t>(Read16(d, start + 4));
        size_t count = 0;
        if (lastOffset >= 0) {
            check.Require(lastOffset % static_cast<int>(recordSize) == 0 &&
                              static_cast<size_t>(lastOffset) / recordSize < perBlock,
                          "Datenblock " + std::to_string(block) +
                              " hat einen ungültigen Füllstand");
            count = static_cast<size_t>(lastOffset) / recordSize + 1;
        } else {
            check.Require(lastOffset == -static_cast<int>(recordSize),
                          "Datenblock " + std::to_string(block) +
                              " hat einen ungültigen Füllstand");
        }
        chain.emplace_back(start + kBlockHeader, count);
        total += count;
        block = Read16(d, start);
    }
    check.Require(total == numRecords, "die Anzahl der Datensätze (" + std::to_string(numRecords) +
                                           ") passt nicht zu den Datenblöcken (" +
                                           std::to_string(total) + ")");

    table.recordCount_ = total;
    table.records_.reserve(total * recordSize);
    for (const auto& [start, count] : chain) {
        const auto* first = reinterpret_cast<const unsigned char*>(d.data() + start);
        table.records_.insert(table.records_.end(), first, first + count * recordSize);
    }
    return table;
}

int ParadoxTable::FindField(std::string_view cp1252Name) const {
    const std::string wanted = Cp1252::ToUpper(cp1252Name);
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (Cp1252::ToUpper(fields_[i].Name) == wanted) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const unsigned char* ParadoxTable::Value(size_t record, int field) const {
    if (record >= recordCount_ || field < 0 || static_cast<size_t>(field) >= fields_.size()) {
        throw WabolexError(W("Zugriff außerhalb der Tabelle ") + displayName_ + ".");
    }
    return records_.data() + record * static_cast<size_t>(recordSize_) +
           static_cast<size_t>(fields_[static_cast<size_t>(field)].Offset);
}

void ParadoxTable::FieldError(int field, const std::string& what) const {
    throw WabolexError(W("Das Feld „") + fields_[static_cast<size_t>(field)].Name +
                       W("“ der Tabelle ") + displayName_ + W(what));
}

std::optional<int32_t> ParadoxTable::Integer(size_t record, int field) const {
    const unsigned char* v = Value(record, field);
    const ParadoxFieldType type = fields_[static_cast<size_t>(field)].Type;
    // Whole numbers are stored big-endian with the sign bit flipped, so that
    // they sort bytewise; all zero bytes mean NULL.
    if (type == ParadoxFieldType::Short) {
        const uint16_t raw = static_cast<uint16_t>((v[0] << 8) | v[1]);
        if (raw == 0) {
            return std::nullopt;
        }
        return static_cast<int16_t>(raw ^ 0x8000u);
    }
    if (type == ParadoxFieldType::Long || type == ParadoxFieldType::AutoInc) {
        const uint32_t raw = (static_cast<uint32_t>(v[0]) << 24) |
                             (static_cast<uint32_t>(v[1]) << 16) |
                             (static_cast<uint32_t>(v[2]) << 8) | v[3];
        if (raw == 0) {
            return std::nullopt;
        }
        return static_cast<int32_t>(raw ^ 0x80000000u);
    }
    FieldError(field, " ist keine ganze Zahl.");
}

std::optional<std::string> ParadoxTable::Text(size_t record, int field) const {
    const unsigned char* v = Value(record, field);
    const ParadoxField& f = fields_[static_cast<size_t>(field)];
    if (f.Type == ParadoxFieldType::Alpha) {
        size_t length = 0;
        while (length < static_cast<size_t>(f.Size) && v[length] != 0) {
            ++length;
        }
        if (length == 0) {
            return std::nullopt;
        }
        return converter_.ToCp1252(std::string_view(reinterpret_cast<const char*>(v), length));
    }
    if (f.Type == ParadoxFieldType::Short || f.Type == ParadoxFieldType::Long ||
        f.Type == ParadoxFieldType::AutoInc) {
        const auto number = Integer(record, field);
        if (!number) {
            return std::nullopt;
        }
        return std::to_string(*number);
    }
    FieldError(field, " kann nicht als Text gelesen werden.");
}
