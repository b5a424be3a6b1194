#pragma once

#include "model/Puzzle.h"

#include <filesystem>

// "Ö&ffnen" without its dialog: reads a vocabulary table and the short-word
// table "Kurzwörter2004.DB" from the same folder into the word list.
class VocabularyLoader {
public:
    // A missing or unreadable main table throws WabolexError and changes nothing.
    // On success WordList, WordCount, ShortWordStart and SourceName are replaced.
    // A missing or unreadable short-word table leaves the main words loaded
    // (and SourceName set) and then throws WabolexError naming that table.
    static void Load(const std::filesystem::path& table, Puzzle& puzzle);

    // The short-word table of a main table: "Kurzwörter2004.DB" in its folder.
    static std::filesystem::path ShortWordTable(const std::filesystem::path& table);
};
