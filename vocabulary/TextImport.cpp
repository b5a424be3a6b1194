#include "vocabulary/TextImport.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/InputFile.h"
#include "vocabulary/ParadoxTable.h"

#include <algorithm>
#include <optional>

namespace {

constexpr size_t kWordLength = 15;
constexpr size_t kClueLength = 50;

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

void Skip(ImportResult& result, size_t line, const std::string& utf8Why) {
    result.Warn(W("Zeile ") + std::to_string(line) + ": " + W(utf8Why) +
                W(" Die Zeile wird übergangen."));
    ++result.SkippedLines;
}

// The first control character of a text (NUL, ESC, a tab inside it ...).
std::optional<char32_t> FirstControl(std::string_view text) {
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F) {
            return code;
        }
    }
    return std::nullopt;
}

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t lowest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace

void ImportResult::Warn(std::string cp1252) {
    if (Warnings.size() < MaxWarnings) {
        Warnings.push_back(std::move(cp1252));
    } else {
        ++MoreWarnings;
    }
}

namespace TextImport {

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(Cp1252::ToUpper(c));
    return (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7) || u == 0xDF ||
           u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9F;
}

std::string CutClue(std::string_view clue, size_t limit) {
    if (clue.size() <= limit) {
        return std::string(clue);
    }
    // A boundary right behind the limit still keeps `limit` characters.
    const std::string_view head = clue.substr(0, limit + 1);
    size_t cut = head.find_last_of(";,");
    if (cut == std::string_view::npos || cut < limit / 2) {
        cut = head.find_last_of(' ');
    }
    std::string_view kept = clue.substr(0, std::min(cut, limit));
    while (!kept.empty() && std::string_view(" ,;-").find(kept.back()) != std::string_view::npos) {
        kept.remove_suffix(1);
    }
    return std::string(kept.empty() ? clue.substr(0, limit) : kept);
}

void AddLine(std::string_view utf8, size_t number, ImportResult& result) {
    if (number == 1 && utf8.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8.remove_prefix(3); // byte order mark
    }
    const std::string_view line = Trim(utf8);
    if (line.empty() || line.front() == '#') {
        return;
    }
    const size_t separator = line.find_first_of(";\t");
    if (separator == std::string_view::npos) {
        Skip(result, number, "Es fehlt das Trennzeichen \";\" oder ein Tabulator.");
        return;
    }
    const std::string_view word = Trim(line.substr(0, separator));
    const std::string_view clue = Trim(line.substr(separator + 1));
    // A control character would reach the grid, the files and the terminal.
    for (const auto& [what, text] :
         {std::pair{"Der Begriff", word}, std::pair{"Die Umschreibung", clue}}) {
        if (const std::optional<char32_t> c = FirstControl(text)) {
            Skip(result, number,
                 std::string(what) + " enthält das Steuerzeichen " + Cp1252::CodePointName(*c) +
                     ".");
            return;
        }
    }
    // The character itself has no place in a Windows-1252 message; its number has.
    if (const char32_t c = Cp1252::FirstWithoutForm(word); c != 0) {
        Skip(result, number,
             "Der Begriff enthält das Zeichen " + Cp1252::CodePointName(c) +
                 ", das es in Windows-1252 nicht gibt.");
        return;
    }
    if (const char32_t c = Cp1252::FirstWithoutForm(clue); c != 0) {
        Skip(result, number,
             "Die Umschreibung enthält das Zeichen " + Cp1252::CodePointName(c) +
                 ", das es in Windows-1252 nicht gibt.");
        return;
    }
    VocabularyRecord record;
    record.Word = Cp1252::ToUpper(Cp1252::FromUtf8(word));
    const std::string fullClue = Cp1252::FromUtf8(clue);
    if (record.Word.empty()) {
        Skip(result, number, "Der Begriff fehlt.");
        return;
    }
    if (!std::all_of(record.Word.begin(), record.Word.end(), IsLetter)) {
        Skip(result, number, "Der Begriff darf nur Buchstaben enthalten.");
        return;
    }
    if (record.Word.size() > kWordLength) {
        Skip(result, number, "Der Begriff hat mehr als 15 Buchstaben.");
        return;
    }
    if (fullClue.empty()) {
        Skip(result, number, "Die Umschreibung fehlt.");
        return;
    }
    record.Clue = CutClue(fullClue, kClueLength);
    if (record.Clue.size() < fullClue.size()) {
        result.Warn(W("Zeile ") + std::to_string(number) +
                    W(": Die Umschreibung hat mehr als 50 Zeichen und wurde gekürzt auf \"") +
                    record.Clue + "\".");
    }
    result.Records.push_back(std::move(record));
}

ImportResult Parse(std::string_view utf8) {
    ImportResult result;
    size_t number = 0;
    while (!utf8.empty()) {
        const size_t end = std::min(utf8.find('\n'), utf8.size());
        AddLine(utf8.substr(0, end), ++number, result);
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
    }
    return result;
}

void ReadLines(const std::filesystem::path& file,
               const std::function<void(std::string_view line, size_t number)>& addLine,
               ImportResult& result) {
    InputFile in(file);
    if (in.Size() > MaxFileBytes) {
        in.ThrowTooLarge(MaxFileBytes);
    }
    std::string line;
    bool tooLong = false;
    size_t firstNotUtf8 = 0;
    size_t notUtf8 = 0;
    for (size_t number = 1; in.ReadLine(line, MaxLineBytes, tooLong); ++number) {
        if (tooLong) {
            Skip(result, number, "Die Zeile ist länger als 16 KB.");
            continue;
        }
        // A text saved as Windows-1252 (or a line of one pasted in): read so.
        if (!IsUtf8(line)) {
            firstNotUtf8 = firstNotUtf8 == 0 ? number : firstNotUtf8;
            ++notUtf8;
            line = Cp1252::ToUtf8(line);
        }
        addLine(line, number);
        if (result.Records.size() > ParadoxTable::MaxRecords) {
            throw WabolexError(W("Zeile ") + std::to_string(number) +
                               W(": mehr Einträge, als eine Tabelle aufnehmen kann (höchstens ") +
                               std::to_string(ParadoxTable::MaxRecords) + ").");
        }
    }
    if (notUtf8 > 0) {
        result.Warnings.insert(result.Warnings.begin(),
                               W("Zeile ") + std::to_string(firstNotUtf8) +
                                   W(": die Datei ist kein UTF-8; ") +
                                   (notUtf8 == 1 ? W("diese Zeile wurde")
                                                 : std::to_string(notUtf8) + W(" Zeilen wurden")) +
                                   W(" als Windows-1252 gelesen."));
    }
}

} // namespace TextImport
