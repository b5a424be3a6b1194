#include "vocabulary/VocabularyTable.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "vocabulary/ParadoxTable.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace {

int RequireField(const ParadoxTable& table, const std::string& utf8Name) {
    const int field = table.FindField(W(utf8Name));
    if (field < 0) {
        throw WabolexError(W("In der Tabelle ") + table.DisplayName() + W(" fehlt das Feld „") +
                           W(utf8Name) + W("“."));
    }
    return field;
}

// Where each record goes in the order of the index "LängeAbsteigend": longest
// first, records without a length last, and records of equal length in table
// order. Counted per length rather than sorted.
std::vector<size_t> PlacesByLength(const std::vector<std::optional<int32_t>>& lengths) {
    // Runs of one length are common (tables are mostly kept by length), so a
    // length equal to the last one is not collected again before sorting.
    std::vector<int32_t> distinct;
    for (const auto& length : lengths) {
        if (length && (distinct.empty() || distinct.back() != *length)) {
            distinct.push_back(*length);
        }
    }
    std::sort(distinct.begin(), distinct.end(), std::greater<>());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    auto rank = [&](const std::optional<int32_t>& length) {
        if (!length) {
            return distinct.size(); // after every length
        }
        return static_cast<size_t>(
            std::lower_bound(distinct.begin(), distinct.end(), *length, std::greater<>()) -
            distinct.begin());
    };
    std::vector<size_t> next(distinct.size() + 1, 0);
    for (const auto& length : lengths) {
        ++next[rank(length)];
    }
    size_t start = 0;
    for (size_t& slot : next) {
        start += std::exchange(slot, start);
    }
    std::vector<size_t> places(lengths.size());
    for (size_t i = 0; i < lengths.size(); ++i) {
        places[i] = next[rank(lengths[i])]++;
    }
    return places;
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
    // The records are read in table order, each straight into its place, so
    // that the table is gone through once from front to back.
    const std::vector<size_t> places = PlacesByLength(lengths);
    std::vector<TWordEntry> entries(n);
    for (size_t i = 0; i < n; ++i) {
        TWordEntry& entry = entries[places[i]];
        entry.Word = table.Text(i, word).value_or(std::string());
        entry.Clue = table.Text(i, clue).value_or(std::string());
        if (cut && entry.Word.size() > TWordEntry::MaxWordLength) {
            entry.Word.resize(TWordEntry::MaxWordLength);
        }
        if (cut && entry.Clue.size() > TWordEntry::MaxClueLength) {
            entry.Clue.resize(TWordEntry::MaxClueLength);
        }
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
