#include "model/WordIndex.h"

#include <algorithm>
#include <utility>

namespace {

constexpr size_t kLetters = 256;

size_t Slot(int32_t position, unsigned char letter) {
    return static_cast<size_t>(position) * kLetters + letter;
}

} // namespace

WordIndex::WordIndex(std::span<const std::string_view> words)
    : wordCount_(words.empty() ? 0 : static_cast<int32_t>(words.size()) - 1),
      lengthOf_(static_cast<size_t>(wordCount_) + 1, 0),
      covered_(static_cast<size_t>(wordCount_) + 1, 0) {
    std::string_view previous;
    for (int32_t entry = 1; entry <= wordCount_; ++entry) {
        const std::string_view word = words[static_cast<size_t>(entry)];
        const std::string_view before = std::exchange(previous, word);
        const auto length = static_cast<int32_t>(word.size());
        lengthOf_[static_cast<size_t>(entry)] = static_cast<int8_t>(length);
        if (length == 0) {
            continue;
        }
        if (word.find('.') != std::string_view::npos) {
            uncovered_.push_back(entry);
            continue;
        }
        covered_[static_cast<size_t>(entry)] = 1;
        LengthList& list = lists_[static_cast<size_t>(length)];
        if (!list.Last.empty() && list.Last.back() == entry - 1 && before == word) {
            list.Last.back() = entry; // the same word once more
        } else {
            list.First.push_back(entry);
            list.Last.push_back(entry);
        }
    }

    // Count each (position, letter) first, so that only the sets that occur take room.
    size_t total = 0;
    for (int32_t length = 1; length <= MaxLength; ++length) {
        LengthList& list = lists_[static_cast<size_t>(length)];
        list.Blocks = static_cast<int32_t>((list.First.size() + 63) / 64);
        list.Sets.assign(static_cast<size_t>(length) * kLetters, {});
        for (const int32_t entry : list.First) {
            const std::string_view word = words[static_cast<size_t>(entry)];
            for (int32_t k = 0; k < length; ++k) {
                ++list.Sets[Slot(k, static_cast<unsigned char>(word[static_cast<size_t>(k)]))]
                      .Count;
            }
        }
        for (LengthList::Set& set : list.Sets) {
            if (set.Count > 0) {
                set.Offset = static_cast<int32_t>(total);
                total += static_cast<size_t>(list.Blocks);
            }
        }
    }
    sets_.assign(total, 0);
    for (int32_t length = 1; length <= MaxLength; ++length) {
        const LengthList& list = lists_[static_cast<size_t>(length)];
        for (size_t position = 0; position < list.First.size(); ++position) {
            const std::string_view word = words[static_cast<size_t>(list.First[position])];
            for (int32_t k = 0; k < length; ++k) {
                const auto letter = static_cast<unsigned char>(word[static_cast<size_t>(k)]);
                sets_[static_cast<size_t>(list.Sets[Slot(k, letter)].Offset) + position / 64] |=
                    uint64_t{1} << (position % 64);
            }
        }
    }
}

namespace {

// The first position whose value is at least `entry`, for a list in ascending order.
int32_t FirstAtLeast(const std::vector<int32_t>& entries, int32_t entry) {
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
    const std::vector<int32_t>& firsts = FirstEntries(length);
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
