#include "model/WordIndex.h"

#include "model/FlatImage.h"

#include <algorithm>
#include <utility>

namespace {

constexpr size_t kLetters = 256;

size_t Slot(int32_t position, unsigned char letter) {
    return static_cast<size_t>(position) * kLetters + letter;
}

} // namespace

// The arrays of an index built here.
struct WordIndex::Built {
    std::vector<int8_t> LengthOf;
    std::vector<uint8_t> Covered;
    std::vector<int32_t> Uncovered;
    std::array<std::vector<int32_t>, MaxLength + 1> First;
    std::array<std::vector<int32_t>, MaxLength + 1> Last;
    std::array<std::vector<LengthList::Set>, MaxLength + 1> Sets;
    std::vector<uint64_t> Bits;
};

WordIndex::WordIndex(std::span<const std::string_view> words)
    : wordCount_(words.empty() ? 0 : static_cast<int32_t>(words.size()) - 1) {
    auto built = std::make_shared<Built>();
    built->LengthOf.assign(static_cast<size_t>(wordCount_) + 1, 0);
    built->Covered.assign(static_cast<size_t>(wordCount_) + 1, 0);
    std::string_view previous;
    for (int32_t entry = 1; entry <= wordCount_; ++entry) {
        const std::string_view word = words[static_cast<size_t>(entry)];
        const std::string_view before = std::exchange(previous, word);
        const auto length = static_cast<int32_t>(word.size());
        built->LengthOf[static_cast<size_t>(entry)] = static_cast<int8_t>(length);
        if (length == 0) {
            continue;
        }
        if (word.find('.') != std::string_view::npos) {
            built->Uncovered.push_back(entry);
            continue;
        }
        built->Covered[static_cast<size_t>(entry)] = 1;
        std::vector<int32_t>& first = built->First[static_cast<size_t>(length)];
        std::vector<int32_t>& last = built->Last[static_cast<size_t>(length)];
        if (!last.empty() && last.back() == entry - 1 && before == word) {
            last.back() = entry; // the same word once more
        } else {
            first.push_back(entry);
            last.push_back(entry);
        }
    }

    // Count each (position, letter) first, so that only the sets that occur take room.
    size_t total = 0;
    for (int32_t length = 1; length <= MaxLength; ++length) {
        const std::vector<int32_t>& first = built->First[static_cast<size_t>(length)];
        std::vector<LengthList::Set>& sets = built->Sets[static_cast<size_t>(length)];
        const auto blocks = static_cast<int32_t>((first.size() + 63) / 64);
        sets.assign(static_cast<size_t>(length) * kLetters, {});
        for (const int32_t entry : first) {
            const std::string_view word = words[static_cast<size_t>(entry)];
            for (int32_t k = 0; k < length; ++k) {
                ++sets[Slot(k, static_cast<unsigned char>(word[static_cast<size_t>(k)]))].Count;
            }
        }
        for (LengthList::Set& set : sets) {
            if (set.Count > 0) {
                set.Offset = static_cast<int32_t>(total);
                total += static_cast<size_t>(blocks);
            }
        }
        lists_[static_cast<size_t>(length)] = {first, built->Last[static_cast<size_t>(length)],
                                               blocks, sets};
    }
    built->Bits.assign(total, 0);
    for (int32_t length = 1; length <= MaxLength; ++length) {
        const LengthList& list = lists_[static_cast<size_t>(length)];
        for (size_t position = 0; position < list.First.size(); ++position) {
            const std::string_view word = words[static_cast<size_t>(list.First[position])];
            for (int32_t k = 0; k < length; ++k) {
                const auto letter = static_cast<unsigned char>(word[static_cast<size_t>(k)]);
                built->Bits[static_cast<size_t>(list.Sets[Slot(k, letter)].Offset) +
                            position / 64] |= uint64_t{1} << (position % 64);
            }
        }
    }
    lengthOf_ = built->LengthOf;
    covered_ = built->Covered;
    uncovered_ = built->Uncovered;
    sets_ = built->Bits;
    storage_ = std::move(built);
}

void WordIndex::WriteTo(FlatImage::Writer& image) const {
    image.Number(wordCount_);
    image.Array(lengthOf_);
    image.Array(covered_);
    image.Array(uncovered_);
    for (int32_t length = 1; length <= MaxLength; ++length) {
        const LengthList& list = lists_[static_cast<size_t>(length)];
        image.Array(list.First);
        image.Array(list.Last);
        image.Array(list.Sets);
    }
    image.Array(sets_);
}

WordIndex WordIndex::ReadFrom(FlatImage::Reader& image, int32_t wordCount,
                              std::shared_ptr<const void> keep) {
    using FlatImage::Invalid;
    WordIndex index;
    const int64_t count = wordCount;
    index.wordCount_ = static_cast<int32_t>(image.Number(count, count));
    const auto entries = static_cast<size_t>(count) + 1;
    index.lengthOf_ = image.Array<int8_t>(static_cast<int64_t>(entries));
    index.covered_ = image.Array<uint8_t>(static_cast<int64_t>(entries));
    index.uncovered_ = image.Array<int32_t>();
    // The uncovered entries are the words left out, in order.
    size_t uncovered = 0;
    for (size_t entry = 1; entry < entries; ++entry) {
        const int8_t length = index.lengthOf_[entry];
        const uint8_t covers = index.covered_[entry];
        if (length < 0 || length > MaxLength || covers > 1 || (covers == 1 && length == 0)) {
            throw Invalid{};
        }
        if (length > 0 && covers == 0) {
            if (uncovered >= index.uncovered_.size() ||
                index.uncovered_[uncovered++] != static_cast<int32_t>(entry)) {
                throw Invalid{};
            }
        }
    }
    if (uncovered != index.uncovered_.size()) {
        throw Invalid{};
    }
    for (int32_t length = 1; length <= MaxLength; ++length) {
        LengthList& list = index.lists_[static_cast<size_t>(length)];
        list.First = image.Array<int32_t>();
        list.Last = image.Array<int32_t>(static_cast<int64_t>(list.First.size()));
        list.Sets = image.Array<LengthList::Set>(int64_t{length} * kLetters);
        list.Blocks = static_cast<int32_t>((list.First.size() + 63) / 64);
        // Positions in ascending entry order, each a run of covered entries
        // of this length.
        int32_t after = 0;
        for (size_t position = 0; position < list.First.size(); ++position) {
            const int32_t first = list.First[position];
            const int32_t last = list.Last[position];
            if (first <= after || last < first || last > count) {
                throw Invalid{};
            }
            for (int32_t entry = first; entry <= last; ++entry) {
                const auto at = static_cast<size_t>(entry);
                if (index.covered_[at] != 1 || index.lengthOf_[at] != length) {
                    throw Invalid{};
                }
            }
            after = last;
        }
    }
    index.sets_ = image.Array<uint64_t>();
    // Every set lies inside the bits. Bits past a length's last position are
    // never read: the search masks each block with its own bits of the
    // positions (AvailableWords).
    for (int32_t length = 1; length <= MaxLength; ++length) {
        const LengthList& list = index.lists_[static_cast<size_t>(length)];
        const auto blocks = static_cast<size_t>(list.Blocks);
        for (const LengthList::Set& set : list.Sets) {
            if (set.Offset == -1 && set.Count == 0) {
                continue;
            }
            if (set.Offset < 0 || blocks == 0 || blocks > index.sets_.size() ||
                static_cast<size_t>(set.Offset) > index.sets_.size() - blocks || set.Count < 0 ||
                static_cast<size_t>(set.Count) > list.First.size()) {
                throw Invalid{};
            }
        }
    }
    // Every entry has its length; no covered entry is missing from the lists.
    size_t listed = 0;
    for (int32_t length = 1; length <= MaxLength; ++length) {
        const LengthList& list = index.lists_[static_cast<size_t>(length)];
        for (size_t position = 0; position < list.First.size(); ++position) {
            listed += static_cast<size_t>(list.Last[position] - list.First[position]) + 1;
        }
    }
    if (listed != static_cast<size_t>(
                      std::count(index.covered_.begin() + 1, index.covered_.end(), uint8_t{1}))) {
        throw Invalid{};
    }
    index.storage_ = std::move(keep);
    return index;
}

namespace {

// The first position whose value is at least `entry`, for a list in ascending order.
int32_t FirstAtLeast(std::span<const int32_t> entries, int32_t entry) {
    if (entries.empty() || entry <= entries.front()) {
        return 0;
    }
    if (entry > entries.back()) {
        return static_cast<int32_t>(entries.size());
    }
    return static_cast<int32_t>(std::lower_bound(entries.begin(), entries.end(), entry) -
                                entries.begin());
}

} // namespace

int32_t WordIndex::PositionAtOrAfter(int32_t length, int32_t entry) const {
    return FirstAtLeast(LastEntries(length), entry);
}

int32_t WordIndex::PositionAfter(int32_t length, int32_t entry) const {
    const std::span<const int32_t> firsts = FirstEntries(length);
    if (firsts.empty() || entry >= firsts.back()) {
        return static_cast<int32_t>(firsts.size());
    }
    return FirstAtLeast(firsts, entry + 1);
}

WordIndex::LetterSet WordIndex::EntriesWith(int32_t length, int32_t position,
                                            unsigned char letter) const {
    const LengthList::Set& set = lists_[static_cast<size_t>(length)].Sets[Slot(position, letter)];
    return {set.Offset < 0 ? nullptr : sets_.data() + set.Offset, set.Count};
}
