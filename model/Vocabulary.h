#pragma once

#include "model/TWordEntry.h"
#include "model/WordIndex.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One word of a vocabulary as the generator reads it (Windows-1252 texts that
// live as long as the vocabulary they came from).
struct VocabularyEntry {
    std::string_view Word; // its first 15 characters are its letters in the grid
    std::string_view Clue;

    std::string_view GridWord() const { return Word.substr(0, TWordEntry::MaxWordLength); }
    int32_t GridLength() const { return static_cast<int32_t>(GridWord().size()); }
};

// The words of a loaded table followed by its short words: entry 0 reserved,
// 1 .. ShortWordStart-1 the main words (longest first), ShortWordStart ..
// WordCount the short words; with the word index the placement search reads.
// Made once when a table is loaded and never changed afterwards, so every run
// and every job of a batch reads one vocabulary at the same time. What a run
// changes (which words are still free) is the run's own (GenerationRun).
class Vocabulary {
public:
    // Appends entries one by one; the texts go into one block of memory.
    class Builder {
    public:
        Builder();
        void Reserve(size_t entries, size_t characters);
        void Add(std::string_view word, std::string_view clue);
        // Entries added so far, entry 0 included; the word of one of them.
        size_t Size() const;
        std::string_view WordAt(size_t entry) const;
        // Takes back the entries from `entries` on.
        void DropFrom(size_t entries);
        // The entries added so far are the main words; the rest are short words.
        void EndOfMainWords();
        Vocabulary Build();

    private:
        friend class Vocabulary;
        struct Texts;
        std::shared_ptr<Texts> texts_;
        int32_t shortWordStart_ = 0;
    };

    Vocabulary(); // no words: a generation refuses to run
    Vocabulary(const std::vector<TWordEntry>& mainWords, const std::vector<TWordEntry>& shortWords);

    // The same words in another order, sharing their texts: place i holds the
    // entry order[i] of this vocabulary. The word index follows the new order.
    Vocabulary Reordered(std::vector<int32_t> order) const;

    int32_t WordCount() const { return wordCount_; }
    int32_t ShortWordStart() const { return shortWordStart_; }
    // Checked access: 0 .. WordCount.
    VocabularyEntry Entry(int32_t index) const;
    // The words arranged for the placement search, made with the vocabulary.
    const WordIndex& Index() const { return *index_; }

private:
    struct Slot {
        uint32_t Offset = 0; // the word, then the clue, in the texts
        uint16_t WordSize = 0;
        uint16_t ClueSize = 0;
    };
    Vocabulary(std::shared_ptr<const Builder::Texts> texts, int32_t shortWordStart,
               std::vector<int32_t> order);
    void MakeIndex();

    std::shared_ptr<const Builder::Texts> texts_;
    std::vector<int32_t> order_; // empty: the order of the tables
    int32_t wordCount_ = 0;
    int32_t shortWordStart_ = 1;
    std::shared_ptr<const WordIndex> index_;
};
