#include "vocabulary/VocabularyTable.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "vocabulary/ParadoxTable.h"

#include <algorithm>
#include <limits>
#include <numeric>
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

// The fields a vocabulary table must have.
struct Fields {
    int Word;
    int Clue;
    int Length;
};

Fields RequireFields(const ParadoxTable& table) {
    return {RequireField(table, "Begriff"), RequireField(table, "Umschreibung"),
            RequireField(table, "Länge")};
}

// The records in the order of the index "LängeAbsteigend": longest first,
// records without a length last, and records of equal length in table order.
// Lengths of real tables lie close together and are counted; others are sorted.
std::vector<uint32_t> OrderByLength(const ParadoxTable& table, const Fields& fields) {
    const size_t n = table.RecordCount();
    constexpr int64_t kNone = std::numeric_limits<int64_t>::max(); // after every length
    std::vector<int64_t> keys(n); // minus the length: ascending keys, descending lengths
    int64_t lowest = kNone;
    int64_t highest = std::numeric_limits<int64_t>::min();
    for (size_t i = 0; i < n; ++i) {
        const std::optional<int32_t> length = table.Integer(i, fields.Length);
        keys[i] = length ? -int64_t{*length} : kNone;
        if (length) {
            lowest = std::min(lowest, keys[i]);
            highest = std::max(highest, keys[i]);
        }
    }
    std::vector<uint32_t> order(n);
    constexpr int64_t kMostCounted = 4096;
    if (lowest != kNone && highest - lowest >= kMostCounted) {
        std::iota(order.begin(), order.end(), 0u);
        std::stable_sort(order.begin(), order.end(),
                         [&keys](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
        return order;
    }
    // One bucket per key from the lowest on, the last for records without a length.
    const size_t buckets = lowest == kNone ? 1 : static_cast<size_t>(highest - lowest) + 2;
    const auto bucket = [&](int64_t key) {
        return key == kNone ? buckets - 1 : static_cast<size_t>(key - lowest);
    };
    std::vector<uint32_t> next(buckets, 0);
    for (const int64_t key : keys) {
        ++next[bucket(key)];
    }
    uint32_t start = 0;
    for (uint32_t& slot : next) {
        start += std::exchange(slot, start);
    }
    for (size_t i = 0; i < n; ++i) {
        order[next[bucket(keys[i])]++] = static_cast<uint32_t>(i);
    }
    return order;
}

std::vector<TWordEntry> Entries(const ParadoxTable& table, bool cut = true) {
    const Fields fields = RequireFields(table);
    const int word = fields.Word;
    const int clue = fields.Clue;
    const size_t n = table.RecordCount();
    const std::vector<uint32_t> order = OrderByLength(table, fields);
    std::vector<TWordEntry> entries(n);
    for (size_t place = 0; place < n; ++place) {
        TWordEntry& entry = entries[place];
        entry.Word = table.Text(order[place], word).value_or(std::string());
        entry.Clue = table.Text(order[place], clue).value_or(std::string());
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

struct Ordered::Table {
    ParadoxTable Records;
    Fields Of;
    std::vector<uint32_t> Order; // the record at each place
};

Ordered::Ordered(std::unique_ptr<Table> table) : table_(std::move(table)) {}
Ordered::~Ordered() = default;
Ordered::Ordered(Ordered&&) noexcept = default;

Ordered Ordered::Open(const std::filesystem::path& file) {
    ParadoxTable records = ParadoxTable::Open(file);
    const Fields fields = RequireFields(records);
    std::vector<uint32_t> order = OrderByLength(records, fields);
    return Ordered(std::make_unique<Table>(Table{std::move(records), fields, std::move(order)}));
}

void Ordered::AddTo(Vocabulary::Builder& builder) const {
    const ParadoxTable& records = table_->Records;
    const Fields& fields = table_->Of;
    builder.Reserve(table_->Order.size(), table_->Order.size() * (TWordEntry::MaxWordLength / 2 +
                                                                  TWordEntry::MaxClueLength / 2));
    std::string word;
    std::string clue;
    for (const uint32_t record : table_->Order) {
        word.clear();
        clue.clear();
        records.AppendText(record, fields.Word, word);
        records.AppendText(record, fields.Clue, clue);
        builder.Add(std::string_view(word).substr(0, TWordEntry::MaxWordLength),
                    std::string_view(clue).substr(0, TWordEntry::MaxClueLength));
    }
}

} // namespace VocabularyTable
