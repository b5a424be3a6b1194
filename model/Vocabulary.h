#pragma once

#include "model/TWordEntry.h"
#include "model/WordIndex.h"

#include <cstdint>
#include <memory>
#include <span>
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
//
// The texts, the entries, the order and the index are read through views, so
// that a vocabulary read back from a flat image (a mapped cache file) is used
// where it lies, the same way as one built in memory.
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

    // Everything above into a flat image, and back: ReadFrom checks the image
    // (every text, entry and index position in range) and leaves its arrays
    // where they are, in memory that `keep` keeps alive. A damaged or foreign
    // image throws FlatImage::Invalid.
    void WriteTo(FlatImage::Writer& image) const;
    static Vocabulary ReadFrom(FlatImage::Reader& image, std::shared_ptr<const void> keep);

private:
    struct Slot {
        uint32_t Offset = 0; // the word, then the clue, in the texts
        uint16_t WordSize = 0;
        uint16_t ClueSize = 0;
    };
    struct Unfilled {};
    explicit Vocabulary(Unfilled) {} // for ReadFrom to fill in
    Vocabulary(std::shared_ptr<const void> storage, std::string_view chars,
               std::span<const Slot> slots, int32_t shortWordStart, std::vector<int32_t> order);
    std::string_view GridWordAt(size_t place) const;
    void MakeIndex();

    std::shared_ptr<const void> storage_; // what chars_ and slots_ lie in
    std::string_view chars_;
    std::span<const Slot> slots_; // entry 0 reserved
    std::vector<int32_t> order_;  // empty: the order of the tables
    int32_t wordCount_ = 0;
    int32_t shortWordStart_ = 1;
    std::shared_ptr<const WordIndex> index_;
};
