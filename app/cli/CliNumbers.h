#pragma once

#include <charconv>
#include <cstdint>
#include <string>

// Strict number parsing for command-line values: digits only, no sign, no blanks.
namespace Cli {

inline bool ParseNumber(const std::string& text, uint64_t& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// "15x15" (also "15X15"): columns, then rows; each at most 4 digits.
inline bool ParseSize(const std::string& text, int32_t& columns, int32_t& rows) {
    const size_t x = text.find_first_of("xX");
    uint64_t c = 0;
    uint64_t r = 0;
    if (x == std::string::npos || x > 4 || text.size() - x - 1 > 4 ||
        !ParseNumber(text.substr(0, x), c) || !ParseNumber(text.substr(x + 1), r)) {
        return false;
    }
    columns = static_cast<int32_t>(c);
    rows = static_cast<int32_t>(r);
    return true;
}

// "5-15": a range of word lengths, each one or two digits, 1 <= from <= to.
inline bool ParseLengths(const std::string& text, size_t& shortest, size_t& longest) {
    const size_t dash = text.find('-');
    uint64_t from = 0;
    uint64_t to = 0;
    if (dash == std::string::npos || dash > 2 || text.size() - dash - 1 > 2 ||
        !ParseNumber(text.substr(0, dash), from) || !ParseNumber(text.substr(dash + 1), to) ||
        from < 1 || from > to) {
        return false;
    }
    shortest = static_cast<size_t>(from);
    longest = static_cast<size_t>(to);
    return true;
}

} // namespace Cli
