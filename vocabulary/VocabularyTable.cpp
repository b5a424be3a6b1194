#include "vocabulary/VocabularyTable.h"

#include "model/Cp1252.h"
#include "model/WabolexError.h"
#include "vocabulary/ParadoxTable.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

int RequireField(const ParadoxTable& table, const std::string& utf8Name) {
    const int field = table.FindField(W(utf8Name));
    if (field < 0) {
        throw WabolexError(W("In der Tabelle ") + table.DisplayName() + W(" fehlt das Feld „") +
                           W(utf8Name) + W("“."));
    }
    return field;
}

std::vector<TWordEntry> Entries(const ParadoxTable& table, bool cut = true) {
    const int word = RequireField(table, "Begriff");
    const int clue = RequireField(table, "Umschreibung");
    const int length = RequireField(table, "Länge");

    const size_t n = table.RecordCount();
    std::vector<std::optional<int32_t>> lengths(n);
    for (size_t i = 0; i < n; ++i) {
        lengths[i] = table.Integer(i, length);
    }
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (!lengths[b]) {
            return lengths[a].has_value();
        }
        return lengths[a] && *lengths[a] > *lengths[b];
    });

    std::vector<TWordEntry> entries;
    entries.reserve(n);
    for (size_t i : order) {
        TWordEntry entry;
        entry.Word = table.Text(i, word).value_or(std::string());
        entry.Clue = table.Text(i, clue).value_or(std::string());
        if (cut && entry.Word.size() > TWordEntry::MaxWordLength) {
            entry.Word.resize(TWordEntry::MaxWordLength);
        }
        if (cut && entry.Clue.size() > TWordEntry::MaxClueLength) {
            entry.Clue.resize(TWordEntry::MaxClueLength);
        }
        entry.Available = 1;
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace

namespace VocabularyTable {

std::vector<TWordEntry> Read(const std::filesystem::path& file) {
    return Entries(ParadoxTable::Open(file));
}

std::vector<TWordEntry> ReadUncut(const std::filesystem::path& file) {
    return Entries(ParadoxTable::Open(file), false);
}

std::vector<TWordEntry> ReadImage(const std::string& image, const std::string& cp1252Name) {
    return Entries(ParadoxTable::Parse(image, cp1252Name));
}

} // namespace VocabularyTable
