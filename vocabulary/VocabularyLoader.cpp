#include "vocabulary/VocabularyLoader.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"
#include "vocabulary/VocabularyCache.h"
#include "vocabulary/VocabularyTable.h"

#include <string>
#include <system_error>

namespace {

// The short-word table always has this exact name beside the chosen table.
const std::u8string kShortWordTable = u8"Kurzwörter2004.DB";

// A word with '.' would be written into the grid as black cells inside
// itself: the table is refused before anything of it is used. Looks at the
// entries from `from` on.
void RefuseBlackCells(const Vocabulary::Builder& words, size_t from, const std::string& tableName) {
    size_t count = 0;
    std::string_view first;
    for (size_t entry = from; entry < words.Size(); ++entry) {
        if (words.WordAt(entry).find('.') != std::string_view::npos) {
            first = count++ == 0 ? words.WordAt(entry) : first;
        }
    }
    if (count == 0) {
        return;
    }
    throw WabolexError(W("Die Tabelle ") + tableName + W(" enthält ") + std::to_string(count) +
                       (count == 1 ? W(" Wort") : W(" Wörter")) + W(" mit einem Punkt, etwa „") +
                       std::string(first) +
                       W("“; im Gitter steht ein Punkt für ein schwarzes Feld. "
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

LoadedVocabulary VocabularyLoader::Load(const std::filesystem::path& table,
                                        const VocabularyCache* cache) {
    LoadedVocabulary loaded;
    loaded.SourceName = FileError::NameOf(table);
    // The tables' state is taken before they are read: a table changed while
    // it is read leaves a key that no longer matches.
    const std::filesystem::path shortTable = ShortWordTable(table);
    const std::string key = cache ? VocabularyCache::Key(table, shortTable) : std::string();
    if (cache) {
        if (std::shared_ptr<const Vocabulary> words = cache->Find(key, table)) {
            loaded.Words = std::move(words);
            return loaded;
        }
    }
    // A missing file, a folder, a pipe or a device is refused with its reason
    // before anything is read. The records go straight into the vocabulary.
    Vocabulary::Builder words;
    VocabularyTable::Ordered::Open(table).AddTo(words);
    RefuseBlackCells(words, 1, loaded.SourceName);
    words.EndOfMainWords();

    if (table.filename() != shortTable.filename()) {
        const size_t mainEnd = words.Size();
        try {
            if (!Exists(shortTable)) {
                throw WabolexError(W("Die Kurzworttabelle ") + FileError::NameOf(shortTable) +
                                   W(" fehlt im Ordner von ") + loaded.SourceName + ".");
            }
            VocabularyTable::Ordered::Open(shortTable).AddTo(words);
            RefuseBlackCells(words, mainEnd, FileError::NameOf(shortTable));
        } catch (const WabolexError& e) {
            // The main words stay usable without the short words.
            words.DropFrom(mainEnd);
            loaded.ShortWordsProblem = e.what() + W(" Die Wörter aus ") + loaded.SourceName +
                                       W(" sind ohne Kurzwörter geladen.");
        }
    }
    loaded.Words = std::make_shared<const Vocabulary>(words.Build());
    // A vocabulary without its short words says why each time it is loaded.
    if (cache && !loaded.ShortWordsProblem) {
        cache->Keep(key, table, *loaded.Words);
    }
    return loaded;
}
