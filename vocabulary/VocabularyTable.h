#pragma once

#include "model/TWordEntry.h"

#include <filesystem>
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

} // namespace VocabularyTable
