#include "base/Cp1252.h"

namespace {

// Code points of 0x80..0x9F; 0 marks the undefined codes.
constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

constexpr char32_t kBroken = 0xFFFFFFFF;

// Decodes the character at i and moves i past it; kBroken for a byte that
// starts no valid sequence (i moves one byte) or a sequence cut off at the end.
char32_t NextCodePoint(std::string_view utf8, size_t& i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    char32_t u = 0;
    if (b < 0x80) {
        ++i;
        return b;
    }
    if ((b & 0xE0) == 0xC0) {
        extra = 1;
        u = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        u = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3;
        u = b & 0x07;
    } else {
        ++i;
        return kBroken;
    }
    if (i + extra >= utf8.size()) { // cut-off sequence at the end
        i = utf8.size();
        return kBroken;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto t = static_cast<unsigned char>(utf8[i + k]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return kBroken;
        }
        u = (u << 6) | (t & 0x3F);
    }
    i += extra + 1;
    return u;
}

} // namespace

namespace Cp1252 {

char32_t ToUnicode(unsigned char c) {
    if (c < 0x80 || c >= 0xA0) {
        return c;
    }
    const char32_t u = kHigh[c - 0x80];
    return u == 0 ? 0xFFFD : u;
}

char FromUnicode(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        return static_cast<char>(u);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] != 0 && kHigh[i] == u) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

std::string ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252) {
        AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t u = NextCodePoint(utf8, i);
        out += u == kBroken ? '?' : FromUnicode(u);
    }
    return out;
}

char32_t FirstWithoutForm(std::string_view utf8) {
    for (size_t i = 0; i < utf8.size();) {
        const char32_t u = NextCodePoint(utf8, i);
        if (u == kBroken) {
            return 0xFFFD;
        }
        if (u != '?' && FromUnicode(u) == '?') {
            return u;
        }
    }
    return 0;
}

std::string CodePointName(char32_t u) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (; u != 0 || hex.size() < 4; u >>= 4) {
        hex.insert(hex.begin(), digits[u & 0xF]);
    }
    return "U+" + hex;
}

std::string Utf8Of(char32_t u) {
    std::string text;
    AppendUtf8(text, u);
    return text;
}

char ToUpper(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') {
        return static_cast<char>(b - 0x20);
    }
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) {
        return static_cast<char>(b - 0x20);
    }
    switch (b) {
    case 0x9A:
        return static_cast<char>(0x8A); // š -> Š
    case 0x9C:
        return static_cast<char>(0x8C); // œ -> Œ
    case 0x9E:
        return static_cast<char>(0x8E); // ž -> Ž
    case 0xFF:
        return static_cast<char>(0x9F); // ÿ -> Ÿ
    default:
        return c;
    }
}

std::string ToUpper(std::string_view cp1252) {
    std::string out(cp1252);
    for (char& c : out) {
        c = ToUpper(c);
    }
    return out;
}

} // namespace Cp1252
