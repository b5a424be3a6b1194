#pragma once

#include "vocabulary/ParadoxWriter.h"

#include <string>
#include <string_view>
#include <vector>

// Vocabulary from a UTF-8 text, one entry a line: "WORT;Umschreibung" or
// "WORT<Tab>Umschreibung". Empty lines and lines starting with '#' are skipped.
// Words are upper-cased; a line that cannot become a table entry is an error
// naming its number, so nothing is silently lost.
namespace TextImport {

std::vector<VocabularyRecord> Parse(std::string_view utf8);

// True for the letters a word may hold (Windows-1252, any case).
bool IsLetter(char cp1252);

} // namespace TextImport
