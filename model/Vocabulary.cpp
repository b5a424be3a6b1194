#include "model/Vocabulary.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"

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
    return Vocabulary(std::move(texts_), shortWordStart_, {});
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

Vocabulary::Vocabulary(std::shared_ptr<const Builder::Texts> texts, int32_t shortWordStart,
                       std::vector<int32_t> order)
    : texts_(std::move(texts)), order_(std::move(order)),
      wordCount_(static_cast<int32_t>(texts_->Slots.size()) - 1), shortWordStart_(shortWordStart) {
    MakeIndex();
}

void Vocabulary::MakeIndex() {
    std::vector<std::string_view> gridWords(static_cast<size_t>(wordCount_) + 1);
    for (int32_t entry = 1; entry <= wordCount_; ++entry) {
        gridWords[static_cast<size_t>(entry)] = Entry(entry).GridWord();
    }
    index_ = std::make_shared<const WordIndex>(gridWords);
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
    return Vocabulary(texts_, shortWordStart_, std::move(order));
}

VocabularyEntry Vocabulary::Entry(int32_t index) const {
    if (index < 0 || index > wordCount_) {
        ThrowOutOfRange("Wortliste", index, wordCount_);
    }
    const auto place = static_cast<size_t>(index);
    const Slot& slot = texts_->Slots[order_.empty() ? place : static_cast<size_t>(order_[place])];
    const std::string_view chars = texts_->Chars;
    return {chars.substr(slot.Offset, slot.WordSize),
            chars.substr(slot.Offset + slot.WordSize, slot.ClueSize)};
}
