#pragma once

#include "model/ClueRow.h"
#include "model/SolutionMark.h"
#include "model/TFeld.h"
#include "model/TWordEntry.h"

class WordIndex;

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The grid's size: columns and rows each within these bounds.
constexpr int32_t MinGridSide = 5;
constexpr int32_t MaxGridSide = 99;
constexpr int32_t StartGridSide = 15; // at start-up, and where no size is given

constexpr bool IsGridSide(int32_t side) {
    return side >= MinGridSide && side <= MaxGridSide;
}

// The puzzle: grid, vocabulary, numbering, clue rows and the solution word with
// its marks; what puzzle files, export and print read. Plain data with a few
// shared operations; the commands that change it live in their own classes.
// Solving on screen keeps its own state (SolvingSession), and what the window
// shows is its own (ViewFlags).
class Puzzle {
public:
    Puzzle(); // 15 x 15 black cells without any bar, no vocabulary, no marks shown

    // Grid size: within the bounds above once set by the settings or a puzzle file.
    int32_t Columns = StartGridSide;
    int32_t Rows = StartGridSide;
    TFeld Grid;

    // Vocabulary: entry 0 is reserved; 1 .. ShortWordStart-1 main words (longest
    // first), ShortWordStart .. WordCount the short words.
    std::vector<TWordEntry> WordList;
    int32_t WordCount = 0;
    int32_t ShortWordStart = 1;
    // The word list arranged for the placement search: made by the first
    // generation after loading, dropped by SetVocabulary. The list changes only
    // through SetVocabulary.
    std::shared_ptr<const WordIndex> VocabularyIndex;

    // Numbering: index n holds the word-list index of the word numbered n, or 0.
    std::vector<int32_t> AcrossWord;
    std::vector<int32_t> DownWord;
    int32_t CellCount = 0; // Columns * Rows at the start of the last generation

    // The solution word: the text of the settings' solution-word field, kept
    // equal to it by the window (Windows-1252, at most 20 characters there).
    std::string SolutionWord = "HOCHZEITSTAG";
    TSolutionMarks SolutionMarks;
    // The marks hold a placed solution word that is drawn, printed and exported.
    bool SolutionWordShown = false;
    // While set, each placement of a generation's passes is first shown for
    // confirmation; a Cancel clears it. The run's state, kept here for the
    // driver and the word placer to share.
    bool ConfirmInsertions = false;
    std::vector<ClueRow> ClueRows; // the clue list; one empty row before any puzzle

    // Name of the current table or puzzle file ("NoName" at start-up).
    std::string SourceName = "NoName";

    // Checked access to the word list (0 .. WordCount).
    TWordEntry& Entry(int32_t index);
    const TWordEntry& Entry(int32_t index) const;

    // Checked access to the numbering arrays (0 .. CellCount-1).
    int32_t& AcrossWordAt(int32_t number);
    int32_t& DownWordAt(int32_t number);
    int32_t AcrossWordAt(int32_t number) const;
    int32_t DownWordAt(int32_t number) const;

    // Sets Columns and Rows and gives Grid that shape (cells empty, no bars).
    void ResizeGrid(int32_t columns, int32_t rows);
    // Every cell '.', ' ', 0, 0; bars exactly on the right and bottom border.
    void ResetGrid();
    void ClearSolutionMarks();
    // The marks that are drawn, printed and exported: none unless a solution
    // word is shown, else one per letter of the solution word (at most 20).
    std::span<const SolutionMark> ShownMarks() const;
    void MarkAllAvailable();
    // Replaces the vocabulary: entries 1..n main words, then the short words.
    void SetVocabulary(std::vector<TWordEntry> mainWords, std::vector<TWordEntry> shortWords);
};
