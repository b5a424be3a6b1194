#pragma once

#include "model/Vocabulary.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class VocabularyCache;

// A table loaded as a vocabulary, with what the window and the command line
// need to know about it.
struct LoadedVocabulary {
    std::shared_ptr<const Vocabulary> Words;
    // The table's file name with extension, without folder (Windows-1252).
    std::string SourceName;
    // Why the short-word table was left out (Windows-1252): the main words are
    // loaded all the same. nullopt when the short words are in, or when the
    // table is the short-word table itself.
    std::optional<std::string> ShortWordsProblem;
};

// "Ö&ffnen" without its dialog: reads a vocabulary table and the short-word
// table "Kurzwörter2004.DB" from the same folder into one vocabulary.
class VocabularyLoader {
public:
    // A missing or unreadable main table throws WabolexError. With a cache,
    // tables loaded before and unchanged since come from it, and tables
    // loaded whole (short words included) are kept in it.
    static LoadedVocabulary Load(const std::filesystem::path& table,
                                 const VocabularyCache* cache = nullptr);

    // The short-word table of a main table: "Kurzwörter2004.DB" in its folder.
    static std::filesystem::path ShortWordTable(const std::filesystem::path& table);
};
