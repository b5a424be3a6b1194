#include "vocabulary/VocabularyLoader.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"
#include "vocabulary/VocabularyTable.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace {

// The short-word table always has this exact name beside the chosen table.
const std::u8string kShortWordTable = u8"Kurzwörter2004.DB";

// A word with '.' would be written into the grid as black cells inside
// itself: the table is refused before anything of it is used.
void RefuseBlackCells(const std::vector<TWordEntry>& words, const std::string& tableName) {
    const auto first = std::find_if(words.begin(), words.end(),
                                    [](const TWordEntry& entry) { return entry.HoldsBlackCell(); });
    if (first == words.end()) {
        return;
    }
    const auto count = std::count_if(first, words.end(),
                                     [](const TWordEntry& entry) { return entry.HoldsBlackCell(); });
    throw WabolexError(W("Die Tabelle ") + tableName + W(" enthält ") + std::to_string(count) +
                       (count == 1 ? W(" Wort") : W(" Wörter")) + W(" mit einem Punkt, etwa „") +
                       first->Word + W("“; im Gitter steht ein Punkt für ein schwarzes Feld. "
                                       "Bitte die Tabelle berichtigen (wabolex-cli check-table)."));
}

bool Exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

} // namespace

std::filesystem::path VocabularyLoader::ShortWordTable(const std::filesystem::path& table) {
    return table.parent_path() / kShortWordTable;
}

LoadedVocabulary VocabularyLoader::Load(const std::filesystem::path& table) {
    LoadedVocabulary loaded;
    loaded.SourceName = FileError::NameOf(table);
    // A missing file, a folder, a pipe or a device is refused with its reason
    // before anything is read.
    const std::vector<TWordEntry> mainWords = VocabularyTable::Read(table);
    RefuseBlackCells(mainWords, loaded.SourceName);

    const std::filesystem::path shortTable = ShortWordTable(table);
    std::vector<TWordEntry> shortWords;
    if (table.filename() != shortTable.filename()) {
        try {
            if (!Exists(shortTable)) {
                throw WabolexError(W("Die Kurzworttabelle ") + FileError::NameOf(shortTable) +
                                   W(" fehlt im Ordner von ") + loaded.SourceName + ".");
            }
            shortWords = VocabularyTable::Read(shortTable);
            RefuseBlackCells(shortWords, FileError::NameOf(shortTable));
        } catch (const WabolexError& e) {
            // The main words stay usable without the short words.
            loaded.ShortWordsProblem = e.what() + W(" Die Wörter aus ") + loaded.SourceName +
                                       W(" sind ohne Kurzwörter geladen.");
        }
    }
    loaded.Words = std::make_shared<const Vocabulary>(mainWords, shortWords);
    return loaded;
}
