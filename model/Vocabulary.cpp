#include "model/Vocabulary.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "model/FlatImage.h"

#include <algorithm>
#include <limits>
#include <utility>

struct Vocabulary::Builder::Texts {
    std::string Chars;
    std::vector<Vocabulary::Slot> Slots; // entry 0 reserved
};

Vocabulary::Builder::Builder() : texts_(std::make_shared<Texts>()) {
    texts_->Slots.emplace_back();
}

void Vocabulary::Builder::Reserve(size_t entries, size_t characters) {
    texts_->Slots.reserve(texts_->Slots.size() + entries);
    texts_->Chars.reserve(texts_->Chars.size() + characters);
}

void Vocabulary::Builder::Add(std::string_view word, std::string_view clue) {
    constexpr size_t kLongest = std::numeric_limits<uint16_t>::max();
    if (word.size() > kLongest || clue.size() > kLongest ||
        texts_->Chars.size() + word.size() + clue.size() > std::numeric_limits<uint32_t>::max() ||
        texts_->Slots.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw WabolexError(W("Der Wortschatz ist zu groß."));
    }
    texts_->Slots.push_back(Slot{static_cast<uint32_t>(texts_->Chars.size()),
                                 static_cast<uint16_t>(word.size()),
                                 static_cast<uint16_t>(clue.size())});
    texts_->Chars.append(word).append(clue);
}

size_t Vocabulary::Builder::Size() const {
    return texts_->Slots.size();
}

std::string_view Vocabulary::Builder::WordAt(size_t entry) const {
    const Slot& slot = texts_->Slots.at(entry);
    return std::string_view(texts_->Chars).substr(slot.Offset, slot.WordSize);
}

void Vocabulary::Builder::DropFrom(size_t entries) {
    if (entries == 0 || entries >= texts_->Slots.size()) {
        return;
    }
    texts_->Chars.resize(texts_->Slots[entries].Offset);
    texts_->Slots.resize(entries);
}

void Vocabulary::Builder::EndOfMainWords() {
    shortWordStart_ = static_cast<int32_t>(texts_->Slots.size());
}

Vocabulary Vocabulary::Builder::Build() {
    if (shortWordStart_ == 0) {
        EndOfMainWords();
    }
    const std::shared_ptr<const Texts> texts = std::move(texts_);
    return Vocabulary(texts, texts->Chars, texts->Slots, shortWordStart_, {});
}

Vocabulary::Vocabulary() : Vocabulary(Builder().Build()) {}

Vocabulary::Vocabulary(const std::vector<TWordEntry>& mainWords,
                       const std::vector<TWordEntry>& shortWords) {
    Builder builder;
    for (const auto* words : {&mainWords, &shortWords}) {
        for (const TWordEntry& entry : *words) {
            builder.Add(entry.Word, entry.Clue);
        }
        if (words == &mainWords) {
            builder.EndOfMainWords();
        }
    }
    *this = builder.Build();
}

Vocabulary::Vocabulary(std::shared_ptr<const void> storage, std::string_view chars,
                       std::span<const Slot> slots, int32_t shortWordStart,
                       std::vector<int32_t> order)
    : storage_(std::move(storage)), chars_(chars), slots_(slots), order_(std::move(order)),
      wordCount_(static_cast<int32_t>(slots_.size()) - 1), shortWordStart_(shortWordStart) {
    MakeIndex();
}

std::string_view Vocabulary::GridWordAt(size_t place) const {
    const Slot& slot = slots_[order_.empty() ? place : static_cast<size_t>(order_[place])];
    return chars_.substr(slot.Offset, std::min<size_t>(slot.WordSize, TWordEntry::MaxWordLength));
}

void Vocabulary::MakeIndex() {
    std::vector<std::string_view> gridWords(static_cast<size_t>(wordCount_) + 1);
    for (size_t place = 1; place < gridWords.size(); ++place) {
        gridWords[place] = GridWordAt(place);
    }
    index_ = std::make_shared<const WordIndex>(gridWords);
}

void Vocabulary::WriteTo(FlatImage::Writer& image) const {
    image.Number(shortWordStart_);
    image.Array(std::span<const char>(chars_));
    image.Array(slots_);
    image.Array(std::span<const int32_t>(order_));
    index_->WriteTo(image);
}

Vocabulary Vocabulary::ReadFrom(FlatImage::Reader& image, std::shared_ptr<const void> keep) {
    using FlatImage::Invalid;
    Vocabulary words{Unfilled{}};
    words.shortWordStart_ = static_cast<int32_t>(image.Number(1, INT32_MAX));
    const std::span<const char> chars = image.Array<char>();
    words.chars_ = std::string_view(chars.data(), chars.size());
    words.slots_ = image.Array<Slot>();
    if (words.slots_.empty() || words.slots_.size() > static_cast<size_t>(INT32_MAX) ||
        static_cast<size_t>(words.shortWordStart_) > words.slots_.size()) {
        throw Invalid{};
    }
    for (const Slot& slot : words.slots_) {
        if (slot.Offset > chars.size() ||
            size_t{slot.WordSize} + slot.ClueSize > chars.size() - slot.Offset) {
            throw Invalid{};
        }
    }
    words.wordCount_ = static_cast<int32_t>(words.slots_.size()) - 1;
    const std::span<const int32_t> order = image.Array<int32_t>();
    if (!order.empty()) {
        if (order.size() != words.slots_.size()) {
            throw Invalid{};
        }
        for (const int32_t entry : order) {
            if (entry < 0 || entry > words.wordCount_) {
                throw Invalid{};
            }
        }
        words.order_.assign(order.begin(), order.end());
    }
    words.index_ =
        std::make_shared<const WordIndex>(WordIndex::ReadFrom(image, words.wordCount_, keep));
    // The index must give each word the length it has, or a word would be
    // written into a place of another length.
    for (int32_t place = 1; place <= words.wordCount_; ++place) {
        if (words.index_->LengthOf(place) !=
            static_cast<int32_t>(words.GridWordAt(static_cast<size_t>(place)).size())) {
            throw Invalid{};
        }
    }
    words.storage_ = std::move(keep);
    return words;
}

Vocabulary Vocabulary::Reordered(std::vector<int32_t> order) const {
    if (order.size() != static_cast<size_t>(wordCount_) + 1) {
        throw WabolexError(W("Die neue Reihenfolge passt nicht zum Wortschatz."));
    }
    // Places name entries of this vocabulary, which may itself be reordered.
    if (!order_.empty()) {
        for (int32_t& entry : order) {
            entry = order_.at(static_cast<size_t>(entry));
        }
    }
    return Vocabulary(storage_, chars_, slots_, shortWordStart_, std::move(order));
}

VocabularyEntry Vocabulary::Entry(int32_t index) const {
    if (index < 0 || index > wordCount_) {
        ThrowOutOfRange("Wortliste", index, wordCount_);
    }
    const auto place = static_cast<size_t>(index);
    const Slot& slot = slots_[order_.empty() ? place : static_cast<size_t>(order_[place])];
    return {chars_.substr(slot.Offset, slot.WordSize),
            chars_.substr(slot.Offset + slot.WordSize, slot.ClueSize)};
}
