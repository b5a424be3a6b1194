#include "files/WebText.h"

#include <cstdio>

namespace WebText {

namespace {

// Appends each character as `escape` writes it; an empty answer keeps it.
template <typename Write>
void AppendEscaped(std::string& out, std::string_view utf8, Write escape) {
    out.reserve(out.size() + utf8.size());
    for (const char c : utf8) {
        const std::string_view written = escape(c);
        if (written.empty()) {
            out += c;
        } else {
            out += written;
        }
    }
}

struct Escape {
    char Character;
    std::string_view Written;
};

constexpr Escape kJson[] = {{'"', "\\\""}, {'\\', "\\\\"}, {'\n', "\\n"},
                            {'\r', "\\r"}, {'\t', "\\t"},  {'<', "\\u003c"}};
constexpr Escape kHtml[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}};

// The character as the table writes it; empty when the table keeps it.
template <size_t N> std::string_view Lookup(const Escape (&table)[N], char c) {
    for (const Escape& escape : table) {
        if (escape.Character == c) {
            return escape.Written;
        }
    }
    return {};
}

} // namespace

std::string Json(std::string_view utf8) {
    std::string out = "\"";
    // Other control characters as \u00XX.
    char control[8];
    AppendEscaped(out, utf8, [&control](char c) -> std::string_view {
        const std::string_view named = Lookup(kJson, c);
        if (named.empty() && static_cast<unsigned char>(c) < 0x20) {
            std::snprintf(control, sizeof control, "\\u%04x", c);
            return control;
        }
        return named;
    });
    return out + "\"";
}

std::string Html(std::string_view utf8) {
    std::string out;
    AppendEscaped(out, utf8, [](char c) { return Lookup(kHtml, c); });
    return out;
}

} // namespace WebText
