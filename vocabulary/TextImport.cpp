#include "vocabulary/TextImport.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/InputFile.h"
#include "vocabulary/ParadoxTable.h"

#include <algorithm>

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
    result.Warnings.push_back(W("Zeile ") + std::to_string(line) + ": " + W(utf8Why) +
                              W(" Die Zeile wird übergangen."));
    ++result.SkippedLines;
}

} // namespace

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
        result.Warnings.push_back(W("Zeile ") + std::to_string(number) +
                                  W(": Die Umschreibung hat mehr als 50 Zeichen und wurde "
                                    "gekürzt auf \"") +
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
    for (size_t number = 1; in.ReadLine(line, MaxLineBytes, tooLong); ++number) {
        if (tooLong) {
            Skip(result, number, "Die Zeile ist länger als 16 KB.");
            continue;
        }
        addLine(line, number);
        if (result.Records.size() > ParadoxTable::MaxRecords) {
            throw WabolexError(W("Zeile ") + std::to_string(number) +
                               W(": mehr Einträge, als eine Tabelle aufnehmen kann (höchstens ") +
                               std::to_string(ParadoxTable::MaxRecords) + ").");
        }
    }
}

} // namespace TextImport
