#include "vocabulary/VocabularyLoader.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"
#include "vocabulary/VocabularyTable.h"

#include <string>
#include <system_error>

namespace {

// The short-word table always has this exact name beside the chosen table.
const std::u8string kShortWordTable = u8"Kurzwörter2004.DB";

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

    const std::filesystem::path shortTable = ShortWordTable(table);
    std::vector<TWordEntry> shortWords;
    if (table.filename() != shortTable.filename()) {
        try {
            if (!Exists(shortTable)) {
                throw WabolexError(W("Die Kurzworttabelle ") + FileError::NameOf(shortTable) +
                                   W(" fehlt im Ordner von ") + loaded.SourceName + ".");
            }
            shortWords = VocabularyTable::Read(shortTable);
        } catch (const WabolexError& e) {
            // The main words stay usable without the short words.
            loaded.ShortWordsProblem = e.what() + W(" Die Wörter aus ") + loaded.SourceName +
                                       W(" sind ohne Kurzwörter geladen.");
        }
    }
    loaded.Words = std::make_shared<const Vocabulary>(mainWords, shortWords);
    return loaded;
}
