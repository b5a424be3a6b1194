#pragma once

#include "model/TWordEntry.h"
#include "model/Vocabulary.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The words of one vocabulary table in the order of its index "LängeAbsteigend":
// longest "Länge" first, records of equal length in stored order, records
// without a length last. Words are cut to 15 and clues to 50 characters;
// nothing else is changed.
namespace VocabularyTable {

// Throws WabolexError (naming the file or the missing field) when the file is
// not a readable table with the fields "Begriff", "Länge" and "Umschreibung".
std::vector<TWordEntry> Read(const std::filesystem::path& file);

// The same order with words and clues as long as the table holds them, for
// checking a table.
std::vector<TWordEntry> ReadUncut(const std::filesystem::path& file);

// The same for a table image already in memory (tests, damaged variants).
std::vector<TWordEntry> ReadImage(const std::string& image, const std::string& cp1252Name);

// A table read and checked, its records in the order above, to be added to a
// vocabulary without a copy of each record of its own.
class Ordered {
public:
    // Throws as Read does.
    static Ordered Open(const std::filesystem::path& file);
    ~Ordered();
    Ordered(Ordered&&) noexcept;

    // Appends the words and clues, cut to 15 and 50 characters.
    void AddTo(Vocabulary::Builder& builder) const;

private:
    struct Table;
    explicit Ordered(std::unique_ptr<Table> table);
    std::unique_ptr<Table> table_;
};

} // namespace VocabularyTable
