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
// (alpha 50), code page 1252, without duplicates and with equal words
// together.
namespace ParadoxWriter {

// How the records are stored. The loader reads the words of one length in
// stored order, and the generator tries them in that order.
enum class Order {
    ByWord,  // as a keyed table keeps them: by word, length and clue
    AsGiven, // in the caller's order; the entries of a word join its first
};

// Throws WabolexError on a word or clue that is too long, too many records, or
// when the file cannot be written. The file is replaced only when complete.
// Returns the number of records written.
size_t WriteVocabulary(const std::filesystem::path& file, std::vector<VocabularyRecord> records,
                       Order order = Order::ByWord);

// The file image for a table named `tableName`; `written` receives the record count.
std::string VocabularyImage(std::vector<VocabularyRecord> records, const std::string& tableName,
                            size_t* written = nullptr, Order order = Order::ByWord);

} // namespace ParadoxWriter
