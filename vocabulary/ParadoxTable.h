#pragma once

#include "vocabulary/CodePageConverter.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Field types of Paradox tables, as stored in the field descriptors.
enum class ParadoxFieldType : uint8_t {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Number = 0x06,
    Logical = 0x09,
    MemoBlob = 0x0C,
    Blob = 0x0D,
    FormattedMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoInc = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

struct ParadoxField {
    std::string Name; // Windows-1252
    ParadoxFieldType Type = ParadoxFieldType::Alpha;
    int Size = 0;   // bytes in the record
    int Offset = 0; // position in the record
};

// A Paradox data table (.db, versions 3.0 to 7): the file mapped read-only,
// its header and block chain checked, each record read where it lies.
// Everything in the file is checked before it is used; a file that is not a
// sound, unencrypted Paradox table is refused with a WabolexError whose German
// message names the file. Records come in the order of the data block chain.
class ParadoxTable {
public:
    // Larger tables are refused before their records are read, so that no
    // file can take more memory than this (a vocabulary has far fewer words).
    static constexpr size_t MaxRecords = 500000;
    static constexpr size_t MaxRecordBytes = 64 * 1024 * 1024;

    // Reads only the header and the blocks of the chain, never more than the
    // file holds; a folder, pipe or device is refused with its reason.
    static ParadoxTable Open(const std::filesystem::path& file);
    // The same checks on a file image; `displayName` is used in messages.
    static ParadoxTable Parse(std::string_view image, const std::string& displayName);

    const std::string& DisplayName() const { return displayName_; }
    int FileVersion() const { return fileVersion_; } // 3 (3.0) .. 12 (7.x)
    int CodePage() const { return converter_.CodePage(); }
    const std::vector<ParadoxField>& Fields() const { return fields_; }
    size_t RecordCount() const { return recordCount_; }

    // Index of the field with this name (Windows-1252, letter case ignored), or -1.
    int FindField(std::string_view cp1252Name) const;

    // The value as text in Windows-1252: Alpha fields converted from the
    // table's code page, whole-number fields in decimal. Empty optional = NULL.
    // Other field types throw WabolexError.
    std::optional<std::string> Text(size_t record, int field) const;
    // The same appended to `out`; NULL appends nothing.
    void AppendText(size_t record, int field, std::string& out) const;
    // Short, Long and AutoInc fields; empty optional = NULL. Others throw.
    std::optional<int32_t> Integer(size_t record, int field) const;

private:
    struct Source; // what holds the bytes of image_

    explicit ParadoxTable(int codePage) : converter_(codePage) {}
    static ParadoxTable Load(std::shared_ptr<const Source> source, std::string_view image,
                             const std::string& displayName);

    const unsigned char* Value(size_t record, int field) const;
    [[noreturn]] void FieldError(int field, const std::string& what) const;

    std::string displayName_;
    int fileVersion_ = 0;
    CodePageConverter converter_;
    std::vector<ParadoxField> fields_;
    int recordSize_ = 0;
    size_t recordCount_ = 0;
    std::shared_ptr<const Source> source_;
    std::string_view image_;         // the whole file
    std::vector<uint32_t> recordAt_; // where each record begins in image_
};
