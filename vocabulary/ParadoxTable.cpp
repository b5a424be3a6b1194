#include "vocabulary/ParadoxTable.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"
#include "io/InputFile.h"

#include <algorithm>
#include <cstring>

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

// Where things are in this file, from the checked header.
struct Layout {
    int Version = 0;
    size_t BlockSize = 0;
    size_t HeaderSize = 0;
    size_t Descriptors = 0; // offset of the field descriptors
    int CodePage = 0;
};

size_t RecordSize(std::string_view d) {
    return Read16(d, kRecordSize);
}

// What kind of file this is, from its first bytes alone.
Layout ReadKind(std::string_view d, const Checker& check) {
    check.Require(d.size() >= kBaseHeaderEnd, "die Datei ist zu kurz");

    const unsigned fileType = static_cast<unsigned char>(d[kFileType]);
    check.Require(fileType != 1 && !(fileType >= 3 && fileType <= 8),
                  "die Datei ist eine Indexdatei, keine Tabelle");
    check.Require(fileType == 0 || fileType == 2, "unbekannter Dateityp");

    Layout layout;
    layout.Version = static_cast<unsigned char>(d[kFileVersion]);
    check.Require(layout.Version >= 3 && layout.Version <= 12,
                  "unbekannte Versionsnummer " + std::to_string(layout.Version));

    const unsigned blockCode = static_cast<unsigned char>(d[kBlockSizeCode]);
    check.Require(ValidBlockSizeCode(blockCode, layout.Version), "ungültige Blockgröße");
    layout.BlockSize = blockCode * 1024u;
    return layout;
}

Layout ReadLayout(std::string_view d, const Checker& check) {
    Layout layout = ReadKind(d, check);
    const bool extended = layout.Version >= 5;
    layout.Descriptors = extended ? kExtendedHeaderEnd : kBaseHeaderEnd;
    layout.HeaderSize = Read16(d, kHeaderSize);
    check.Require(layout.HeaderSize >= layout.Descriptors && layout.HeaderSize <= d.size(),
                  "die Kopfdaten sind unvollständig");

    const uint32_t encryption1 = Read32(d, kEncryption1);
    const bool encrypted = extended ? (encryption1 != 0 && encryption1 != kNoEncryptionMarker) ||
                                          Read32(d, kEncryption2) != 0
                                    : encryption1 != 0;
    check.Require(!encrypted, "die Tabelle ist mit einem Kennwort verschlüsselt");

    // Tables before version 4.0 carry no code page; they were written under DOS.
    layout.CodePage = extended ? static_cast<int>(Read16(d, kCodePage)) : kDosDefaultCodePage;
    return layout;
}

// Field descriptors: type and size per field; the sizes must add up to the record.
std::vector<ParadoxField> ReadFields(std::string_view d, const Layout& layout,
                                     const Checker& check) {
    const size_t numFields = Read16(d, kNumFields);
    check.Require(numFields >= 1 && numFields <= 255, "ungültige Anzahl von Feldern");
    check.Require(layout.Descriptors + 2 * numFields <= layout.HeaderSize,
                  "die Feldbeschreibungen fehlen");
    std::vector<ParadoxField> fields;
    size_t offset = 0;
    for (size_t i = 0; i < numFields; ++i) {
        const unsigned type = static_cast<unsigned char>(d[layout.Descriptors + 2 * i]);
        const int declared = static_cast<unsigned char>(d[layout.Descriptors + 2 * i + 1]);
        const std::string which = "Feld " + std::to_string(i + 1);
        check.Require(KnownType(type), which + " hat einen unbekannten Typ");
        ParadoxField field;
        field.Type = static_cast<ParadoxFieldType>(type);
        field.Size = StorageSize(field.Type, declared);
        check.Require(field.Size > 0, which + " hat eine ungültige Größe");
        field.Offset = static_cast<int>(offset);
        offset += static_cast<size_t>(field.Size);
        fields.push_back(field);
    }
    const size_t recordSize = RecordSize(d);
    check.Require(recordSize == offset, "die Feldgrößen ergeben nicht die Satzlänge");
    check.Require(recordSize + kBlockHeader <= layout.BlockSize,
                  "ein Datensatz passt nicht in einen Block");
    return fields;
}

// The names follow the descriptors, a pointer per field and the table name.
void ReadFieldNames(std::string_view d, const Layout& layout, const CodePageConverter& converter,
                    std::vector<ParadoxField>& fields, const Checker& check) {
    const size_t tableName = layout.Version >= 12 ? 261 : 79;
    size_t at = layout.Descriptors + 2 * fields.size() + 4 + 4 * fields.size() + tableName;
    for (auto& field : fields) {
        const size_t end = at < layout.HeaderSize ? d.find('\0', at) : std::string_view::npos;
        check.Require(end != std::string_view::npos && end < layout.HeaderSize,
                      "die Feldnamen fehlen");
        field.Name = converter.ToCp1252(d.substr(at, end - at));
        at = end + 1;
    }
}

// `count` bytes of the image at `offset`; the checks before each use keep
// every request inside the file.
std::string_view BytesAt(std::string_view image, uint64_t offset, size_t count) {
    if (offset > image.size() || count > image.size() - offset) {
        throw WabolexError(W("Die Tabelle ist kürzer als ihre Kopfdaten angeben."));
    }
    return image.substr(static_cast<size_t>(offset), count);
}

// The data block chain: every block inside the file, none visited twice, fill
// levels within the block, and the records adding up to the header's count.
// The records stay where they are in the file; only where each begins is
// noted, as the chain reaches its block.
void ReadChain(std::string_view header, std::string_view image, const Layout& layout,
               size_t recordSize, std::vector<uint32_t>& recordAt, const Checker& check) {
    const size_t numRecords = Read32(header, kNumRecords);
    const size_t fileBlocks = Read16(header, kFileBlocks);
    const uint64_t blocksInFile = (image.size() - layout.HeaderSize) / layout.BlockSize;
    const size_t perBlock = (layout.BlockSize - kBlockHeader) / recordSize;
    check.Require(numRecords <= ParadoxTable::MaxRecords &&
                      numRecords * recordSize <= ParadoxTable::MaxRecordBytes,
                  "die Tabelle ist mit " + std::to_string(numRecords) +
                      " Datensätzen zu groß (höchstens " +
                      std::to_string(ParadoxTable::MaxRecords) + ")");
    recordAt.reserve(std::min<uint64_t>(numRecords, blocksInFile * perBlock));
    std::vector<bool> visited(fileBlocks + 1, false);
    size_t total = 0;
    for (size_t block = Read16(header, kFirstBlock); block != 0;) {
        // The texts of the messages are made only for a block that fails.
        const auto fail = [&check, block](const char* what) {
            check.Fail("Datenblock " + std::to_string(block) + what);
        };
        if (block > fileBlocks || block > blocksInFile) {
            fail(" liegt außerhalb der Datei");
        }
        check.Require(!visited[block], "die Kette der Datenblöcke ist ringförmig");
        visited[block] = true;
        const uint64_t start = layout.HeaderSize + (block - 1) * uint64_t{layout.BlockSize};
        const std::string_view head = BytesAt(image, start, kBlockHeader);
        // Offset of the last record in the block; minus one record when it is empty.
        const int lastOffset = static_cast<int16_t>(Read16(head, 4));
        const bool sound = lastOffset >= 0
                               ? lastOffset % static_cast<int>(recordSize) == 0 &&
                                     static_cast<size_t>(lastOffset) / recordSize < perBlock
                               : lastOffset == -static_cast<int>(recordSize);
        if (!sound) {
            fail(" hat einen ungültigen Füllstand");
        }
        const size_t count = lastOffset >= 0 ? static_cast<size_t>(lastOffset) / recordSize + 1 : 0;
        total += count;
        if (total > numRecords) {
            check.Fail("die Datenblöcke enthalten mehr als die " + std::to_string(numRecords) +
                       " Datensätze der Kopfdaten");
        }
        // Blocks lie below 65,536 x 32 KB, so every offset fits 32 bits.
        const uint64_t first = start + kBlockHeader;
        BytesAt(image, first, count * recordSize);
        for (size_t i = 0; i < count; ++i) {
            recordAt.push_back(static_cast<uint32_t>(first + i * recordSize));
        }
        block = Read16(head, 0);
    }
    check.Require(total == numRecords, "die Anzahl der Datensätze (" + std::to_string(numRecords) +
                                           ") passt nicht zu den Datenblöcken (" +
                                           std::to_string(total) + ")");
}

} // namespace

struct ParadoxTable::Source {
    InputFile::Image Mapped;
    std::string Copied;
};

ParadoxTable ParadoxTable::Open(const std::filesystem::path& file) {
    auto source = std::make_shared<Source>();
    source->Mapped = InputFile(file).Map();
    const std::string_view image = source->Mapped.Bytes();
    return Load(std::move(source), image, FileError::NameOf(file));
}

ParadoxTable ParadoxTable::Parse(std::string_view image, const std::string& displayName) {
    auto source = std::make_shared<Source>();
    source->Copied = std::string(image);
    const std::string_view copied = source->Copied;
    return Load(std::move(source), copied, displayName);
}

ParadoxTable ParadoxTable::Load(std::shared_ptr<const Source> source, std::string_view image,
                                const std::string& displayName) {
    const Checker check(displayName);
    // The first bytes tell whether this is a table at all; then the header,
    // which the file must hold completely.
    ReadKind(image.substr(0, kBaseHeaderEnd), check);
    const std::string_view header =
        image.substr(0, std::max<size_t>(Read16(image, kHeaderSize), kBaseHeaderEnd));

    const Layout layout = ReadLayout(header, check);
    ParadoxTable table(layout.CodePage);
    table.displayName_ = displayName;
    table.fileVersion_ = layout.Version;
    table.fields_ = ReadFields(header, layout, check);
    ReadFieldNames(header, layout, table.converter_, table.fields_, check);
    const size_t recordSize = RecordSize(header);
    table.recordSize_ = static_cast<int>(recordSize);
    ReadChain(header, image, layout, recordSize, table.recordAt_, check);
    table.recordCount_ = table.recordAt_.size();
    table.source_ = std::move(source);
    table.image_ = image;
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
    return reinterpret_cast<const unsigned char*>(image_.data()) + recordAt_[record] +
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

namespace {

// An Alpha field's bytes up to its first NUL.
std::string_view AlphaBytes(const unsigned char* v, int size) {
    const void* end = std::memchr(v, 0, static_cast<size_t>(size));
    const size_t length = end != nullptr
                              ? static_cast<size_t>(static_cast<const unsigned char*>(end) - v)
                              : static_cast<size_t>(size);
    return {reinterpret_cast<const char*>(v), length};
}

} // namespace

void ParadoxTable::AppendText(size_t record, int field, std::string& out) const {
    const ParadoxField& f = fields_.at(static_cast<size_t>(field));
    if (f.Type == ParadoxFieldType::Alpha) {
        converter_.AppendCp1252(AlphaBytes(Value(record, field), f.Size), out);
        return;
    }
    out += Text(record, field).value_or(std::string());
}

std::optional<std::string> ParadoxTable::Text(size_t record, int field) const {
    const unsigned char* v = Value(record, field);
    const ParadoxField& f = fields_[static_cast<size_t>(field)];
    if (f.Type == ParadoxFieldType::Alpha) {
        const std::string_view bytes = AlphaBytes(v, f.Size);
        if (bytes.empty()) {
            return std::nullopt;
        }
        return converter_.ToCp1252(bytes);
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
