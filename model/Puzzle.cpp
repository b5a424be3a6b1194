#include "model/Puzzle.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "model/WordIndex.h"

#include <algorithm>
#include <string>

namespace {

[[noreturn]] void ThrowIndex(const char* what, int32_t index, int32_t last) {
    throw WabolexError(W("Bereichsüberschreitung: ") + what + " " + std::to_string(index) +
                       W(" liegt außerhalb von 0..") + std::to_string(last));
}

} // namespace

Puzzle::Puzzle() : Grid(StartGridSide, StartGridSide), WordList(1), ClueRows(1) {}

TWordEntry& Puzzle::Entry(int32_t index) {
    if (index < 0 || index > WordCount || static_cast<size_t>(index) >= WordList.size()) {
        ThrowIndex("Wortliste", index, WordCount);
    }
    return WordList[static_cast<size_t>(index)];
}

const TWordEntry& Puzzle::Entry(int32_t index) const {
    return const_cast<Puzzle*>(this)->Entry(index);
}

int32_t& Puzzle::AcrossWordAt(int32_t number) {
    if (number < 0 || static_cast<size_t>(number) >= AcrossWord.size()) {
        ThrowIndex("AcrossWord", number, static_cast<int32_t>(AcrossWord.size()) - 1);
    }
    return AcrossWord[static_cast<size_t>(number)];
}

int32_t& Puzzle::DownWordAt(int32_t number) {
    if (number < 0 || static_cast<size_t>(number) >= DownWord.size()) {
        ThrowIndex("DownWord", number, static_cast<int32_t>(DownWord.size()) - 1);
    }
    return DownWord[static_cast<size_t>(number)];
}

int32_t Puzzle::AcrossWordAt(int32_t number) const {
    return const_cast<Puzzle*>(this)->AcrossWordAt(number);
}

int32_t Puzzle::DownWordAt(int32_t number) const {
    return const_cast<Puzzle*>(this)->DownWordAt(number);
}

void Puzzle::ResizeGrid(int32_t columns, int32_t rows) {
    Grid.Resize(columns, rows);
    Columns = columns;
    Rows = rows;
}

void Puzzle::ResetGrid() {
    for (int32_t c = 0; c < Columns; ++c) {
        for (int32_t r = 0; r < Rows; ++r) {
            TGridCell& cell = Grid.At(c, r);
            cell = TGridCell{};
            cell.BarRight = (c == Columns - 1) ? 1 : 0;
            cell.BarBelow = (r == Rows - 1) ? 1 : 0;
        }
    }
}

void Puzzle::ClearSolutionMarks() {
    SolutionMarks.fill(SolutionMark{});
}

std::span<const SolutionMark> Puzzle::ShownMarks() const {
    if (!SolutionWordShown) {
        return {};
    }
    return std::span(SolutionMarks).first(std::min(SolutionWord.size(), SolutionMarks.size()));
}

void Puzzle::MarkAllAvailable() {
    for (int32_t i = 0; i <= WordCount; ++i) {
        Entry(i).Available = 1;
    }
}

void Puzzle::SetVocabulary(std::vector<TWordEntry> mainWords, std::vector<TWordEntry> shortWords) {
    std::vector<TWordEntry> list;
    list.reserve(1 + mainWords.size() + shortWords.size());
    list.emplace_back();
    for (auto& e : mainWords) {
        e.Available = 1;
        list.push_back(std::move(e));
    }
    for (auto& e : shortWords) {
        list.push_back(std::move(e));
    }
    ShortWordStart = static_cast<int32_t>(mainWords.size()) + 1;
    WordCount = static_cast<int32_t>(list.size()) - 1;
    WordList = std::move(list);
    VocabularyIndex.reset();
}
