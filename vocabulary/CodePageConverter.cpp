#include "vocabulary/CodePageConverter.h"

#include "base/Cp1252.h"

#include <cerrno>
#include <iconv.h>
#include <string>

struct CodePageConverter::MultiByte {
    explicit MultiByte(iconv_t handle) : cd(handle) {}
    ~MultiByte() { iconv_close(cd); }
    MultiByte(const MultiByte&) = delete;
    MultiByte& operator=(const MultiByte&) = delete;
    iconv_t cd;
};

namespace {

constexpr size_t kFailed = static_cast<size_t>(-1);

// Decodes one UTF-8 character produced by iconv; returns 0xFFFD on anything odd.
char32_t DecodeUtf8(const char* s, size_t n) {
    const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    if (n == 1 && b(0) < 0x80) {
        return b(0);
    }
    if (n == 2 && (b(0) & 0xE0) == 0xC0) {
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    }
    if (n == 3 && (b(0) & 0xF0) == 0xE0) {
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    }
    return 0xFFFD;
}

char Utf8ToCp1252(const std::string& utf8) {
    return utf8.empty() ? '?' : Cp1252::FromUnicode(DecodeUtf8(utf8.data(), utf8.size()));
}

// Converts as much of `in` as iconv takes in one step. Returns the UTF-8
// produced and advances `in`; `error` receives errno on failure.
std::string Step(iconv_t cd, const char*& in, size_t& left, int& error) {
    char buffer[16];
    char* out = buffer;
    size_t room = sizeof buffer;
    char* src = const_cast<char*>(in);
    error = 0;
    if (iconv(cd, &src, &left, &out, &room) == kFailed) {
        error = errno;
    }
    in = src;
    return std::string(buffer, out);
}

} // namespace

CodePageConverter::CodePageConverter(int codePage) : codePage_(codePage) {
    for (int i = 0; i < 256; ++i) {
        table_[i] = i < 0x80 ? static_cast<char>(i) : '?';
    }
    if (codePage == 1252) {
        for (int i = 0x80; i < 256; ++i) {
            table_[i] = static_cast<char>(i);
        }
        return;
    }
    const std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return; // unknown code page: plain ASCII survives, the rest becomes '?'
    }
    auto handle = std::make_shared<MultiByte>(cd);
    bool needsPairs = false;
    for (int i = 0; i < 256; ++i) {
        const char byte = static_cast<char>(i);
        const char* in = &byte;
        size_t left = 1;
        int error = 0;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const std::string utf8 = Step(cd, in, left, error);
        if (error == EINVAL) {
            needsPairs = true; // a lead byte that waits for its second half
            table_[i] = '?';
        } else {
            table_[i] = error == 0 ? Utf8ToCp1252(utf8) : '?';
        }
    }
    if (needsPairs) {
        multiByte_ = handle;
    }
}

void CodePageConverter::AppendCp1252(std::string_view bytes, std::string& out) const {
    if (codePage_ == 1252) {
        out.append(bytes);
    } else if (!multiByte_) {
        for (const char c : bytes) {
            out += table_[static_cast<unsigned char>(c)];
        }
    } else {
        out += ToCp1252(bytes);
    }
}

std::string CodePageConverter::ToCp1252(std::string_view bytes) const {
    if (codePage_ == 1252) {
        return std::string(bytes);
    }
    std::string result;
    result.reserve(bytes.size());
    if (!multiByte_) {
        for (char c : bytes) {
            result += table_[static_cast<unsigned char>(c)];
        }
        return result;
    }
    iconv_t cd = multiByte_->cd;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const char* in = bytes.data();
    const char* const end = bytes.data() + bytes.size();
    while (in < end) {
        // One character at a time: try one byte, then two.
        bool done = false;
        for (size_t width = 1; width <= 2 && in + width <= end && !done; ++width) {
            const char* probe = in;
            size_t left = width;
            int error = 0;
            const std::string utf8 = Step(cd, probe, left, error);
            if (error == 0) {
                result += Utf8ToCp1252(utf8);
                in += width;
                done = true;
            } else if (error != EINVAL) {
                break;
            }
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        if (!done) {
            result += '?';
            ++in;
        }
    }
    return result;
}
