#pragma once

#include "vocabulary/ParadoxWriter.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What reading a word list gave: the entries, and what was left out or changed,
// each line named.
struct ImportResult {
    // At most this many warnings are kept; the others are only counted, so
    // that a file of millions of bad lines costs no memory for them.
    static constexpr size_t MaxWarnings = 1000;

    std::vector<VocabularyRecord> Records;
    std::vector<std::string> Warnings; // Windows-1252: "Zeile 7: ..."
    size_t MoreWarnings = 0;           // warnings beyond MaxWarnings
    size_t SkippedLines = 0;

    void Warn(std::string cp1252);
};

// Vocabulary from a UTF-8 text, one entry a line: "WORT;Umschreibung" or
// "WORT<Tab>Umschreibung". Empty lines and lines starting with '#' are skipped.
// Words are upper-cased. A line that cannot become an entry (no separator, a
// word of more than 15 letters or with other characters than letters,
// characters Windows-1252 lacks, control characters, no clue) is skipped with
// a warning; a clue of more than 50 characters is cut between terms or words,
// with a warning. A line that is no UTF-8 is read as Windows-1252, and the
// first warning says so.
namespace TextImport {

// Larger files are refused at once; longer lines are skipped unread.
constexpr uint64_t MaxFileBytes = 256ull * 1024 * 1024;
constexpr size_t MaxLineBytes = 16 * 1024;

// One line (UTF-8, without its line end); number counts from 1.
void AddLine(std::string_view utf8, size_t number, ImportResult& result);

// Every line of a text in memory.
ImportResult Parse(std::string_view utf8);

// Reads a file line by line and hands each line to addLine (as UTF-8): no more
// than one line is held at a time. LF, CR LF and a CR alone end a line. A
// pipe, a device or a folder is refused, so are files above MaxFileBytes and
// more entries than a table may hold.
void ReadLines(const std::filesystem::path& file,
               const std::function<void(std::string_view line, size_t number)>& addLine,
               ImportResult& result);

// The clue cut to at most `limit` characters: after the last term (";" or ",")
// that keeps at least half of it, else after the last whole word.
std::string CutClue(std::string_view cp1252, size_t limit);

// True for the letters a word may hold (Windows-1252, any case).
bool IsLetter(char cp1252);

} // namespace TextImport
