#include "tests/fuzz/FuzzTargets.h"

#include "base/WabolexError.h"
#include "files/PuzzleFile.h"
#include "model/Puzzle.h"
#include "model/Vocabulary.h"
#include "vocabulary/ParadoxTable.h"
#include "vocabulary/VocabularyTable.h"

#include <string_view>

namespace FuzzTargets {

std::string ParadoxTable(const uint8_t* data, size_t size) {
    const std::string image(reinterpret_cast<const char*>(data), size);
    try {
        const ::ParadoxTable table = ::ParadoxTable::Parse(image, "fuzz.db");
        for (size_t record = 0; record < table.RecordCount(); ++record) {
            for (size_t field = 0; field < table.Fields().size(); ++field) {
                try {
                    table.Text(record, static_cast<int>(field));
                } catch (const WabolexError&) {
                }
                try {
                    table.Integer(record, static_cast<int>(field));
                } catch (const WabolexError&) {
                }
            }
        }
    } catch (const WabolexError&) {
    }
    try {
        std::vector<TWordEntry> words = VocabularyTable::ReadImage(image, "fuzz.db");
        for (const TWordEntry& word : words) {
            if (word.Word.size() > TWordEntry::MaxWordLength ||
                word.Clue.size() > TWordEntry::MaxClueLength) {
                return "a word or clue longer than the word list allows";
            }
        }
        // The vocabulary and its index are made from whatever the table held.
        const Vocabulary vocabulary(words, {});
        if (vocabulary.WordCount() != static_cast<int32_t>(words.size())) {
            return "the vocabulary lost entries";
        }
    } catch (const WabolexError&) {
    }
    return {};
}

std::string PuzzleFile(const uint8_t* data, size_t size) {
    PuzzleFileContents contents;
    try {
        contents = ::PuzzleFile::ParseText(
            std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.wbx");
    } catch (const WabolexError&) {
        return {};
    }
    Puzzle puzzle;
    ::PuzzleFile::Apply(contents, puzzle);
    std::vector<std::string> written;
    try {
        // Apply took the solution word into the puzzle.
        written = ::PuzzleFile::Lines(puzzle);
    } catch (const WabolexError& e) {
        return std::string("a file that was read cannot be written back: ") + e.what();
    }
    PuzzleFileContents back;
    try {
        back = ::PuzzleFile::Parse(written, "fuzz.wbx");
    } catch (const WabolexError& e) {
        return std::string("a file written back cannot be read: ") + e.what();
    }
    if (back.Columns != contents.Columns || back.Rows != contents.Rows ||
        !(back.Grid == contents.Grid)) {
        return "the grid changed on the way back";
    }
    // An empty clue list is written as its one empty row.
    const std::vector<ClueRow> rows =
        contents.ClueRows.empty() ? std::vector<ClueRow>{ClueRow{}} : contents.ClueRows;
    if (back.ClueRows != rows) {
        return "the clue rows changed on the way back";
    }
    if (back.Marks != contents.Marks || back.SolutionWord != contents.SolutionWord) {
        return "the marks or the solution word changed on the way back";
    }
    return {};
}

} // namespace FuzzTargets
