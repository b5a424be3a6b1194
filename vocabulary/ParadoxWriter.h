#pragma once

#include <filesystem>
#include <string>
#include <vector>

// One word of a vocabulary table to be written (Windows-1252 texts).
struct VocabularyRecord {
    std::string Word; // at most 15 characters
    std::string Clue; // at most 50 characters

    bool operator==(const VocabularyRecord&) const = default;
};

// Writes vocabulary tables in the Paradox 7 format with the fields "Nr"
// (auto-increment), "Begriff" (alpha 15), "Länge" (short), "Umschreibung"
// (alpha 50), code page 1252. The records are stored as a keyed table keeps
// them: ordered by word, length and clue, without duplicates, so that equal
// words stand together.
namespace ParadoxWriter {

// Throws WabolexError on a word or clue that is too long, too many records, or
// when the file cannot be written. The file is replaced only when complete.
// Returns the number of records written.
size_t WriteVocabulary(const std::filesystem::path& file, std::vector<VocabularyRecord> records);

// The file image for a table named `tableName`; `written` receives the record count.
std::string VocabularyImage(std::vector<VocabularyRecord> records, const std::string& tableName,
                            size_t* written = nullptr);

} // namespace ParadoxWriter
