#include "vocabulary/TextImport.h"

#include "model/Cp1252.h"
#include "model/WabolexError.h"

#include <algorithm>

namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

[[noreturn]] void LineError(size_t line, const std::string& utf8What) {
    throw WabolexError(W("Zeile ") + std::to_string(line) + ": " + W(utf8What));
}

// UTF-8 to Windows-1252, refusing characters that would turn into '?'.
std::string Convert(std::string_view utf8, size_t line, const char* what) {
    const std::string text = Cp1252::FromUtf8(utf8);
    if (std::count(text.begin(), text.end(), '?') != std::count(utf8.begin(), utf8.end(), '?')) {
        LineError(line, std::string(what) + " enthält Zeichen, die es in Windows-1252 nicht gibt.");
    }
    return text;
}

} // namespace

namespace TextImport {

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(Cp1252::ToUpper(c));
    return (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7) || u == 0xDF ||
           u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9F;
}

std::vector<VocabularyRecord> Parse(std::string_view utf8) {
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8.remove_prefix(3); // byte order mark
    }
    std::vector<VocabularyRecord> records;
    size_t number = 0;
    while (!utf8.empty()) {
        const size_t end = std::min(utf8.find('\n'), utf8.size());
        const std::string_view line = Trim(utf8.substr(0, end));
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
        ++number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const size_t separator = line.find_first_of(";\t");
        if (separator == std::string_view::npos) {
            LineError(number, "Es fehlt das Trennzeichen \";\" oder ein Tabulator.");
        }
        VocabularyRecord record;
        record.Word =
            Cp1252::ToUpper(Convert(Trim(line.substr(0, separator)), number, "Der Begriff"));
        record.Clue = Convert(Trim(line.substr(separator + 1)), number, "Die Umschreibung");
        if (record.Word.empty() || record.Word.size() > 15) {
            LineError(number, "Der Begriff muss 1 bis 15 Buchstaben haben.");
        }
        if (!std::all_of(record.Word.begin(), record.Word.end(), IsLetter)) {
            LineError(number, "Der Begriff darf nur Buchstaben enthalten.");
        }
        if (record.Clue.empty() || record.Clue.size() > 50) {
            LineError(number, "Die Umschreibung muss 1 bis 50 Zeichen haben.");
        }
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace TextImport
