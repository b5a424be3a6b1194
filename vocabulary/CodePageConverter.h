#pragma once

#include <memory>
#include <string>
#include <string_view>

// Turns text stored in a table's DOS or Windows code page into the
// Windows-1252 bytes the model works with. Characters that have no
// Windows-1252 form (and bytes the code page does not define) become '?'.
class CodePageConverter {
public:
    explicit CodePageConverter(int codePage);

    int CodePage() const { return codePage_; }
    std::string ToCp1252(std::string_view bytes) const;
    // The same, appended to `out` (no string of its own for single-byte pages).
    void AppendCp1252(std::string_view bytes, std::string& out) const;

private:
    struct MultiByte;

    int codePage_;
    // Single-byte code pages: one Windows-1252 byte per source byte.
    char table_[256];
    // Code pages with two-byte characters (Chinese, Japanese, Korean) are
    // converted string by string through iconv.
    std::shared_ptr<MultiByte> multiByte_;
};
