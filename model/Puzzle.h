#pragma once

#include "model/ClueRow.h"
#include "model/Direction.h"
#include "model/SolutionMark.h"
#include "model/TFeld.h"
#include "model/TWordEntry.h"

class WordIndex;

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The whole puzzle state the main window owns: grid, vocabulary, numbering,
// solution-word marks, solver entries and the view flags. Plain data with a few
// shared operations; the commands that change it live in their own classes.
class Puzzle {
public:
    Puzzle(); // 15 x 15 black cells without any bar, no vocabulary, all flags off

    // Grid size: 5..99 each once set by the settings or a puzzle file.
    int32_t Columns = 15;
    int32_t Rows = 15;
    TFeld Grid;
    TFeld SolverGrid; // the solver's entries while solving ('.', ' ' or the typed character)

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

    TSolutionMarks SolutionMarks;
    std::vector<ClueRow> ClueRows; // the clue list; one empty row before any puzzle

    // Name of the current table or puzzle file ("NoName" at start-up).
    std::string SourceName = "NoName";

    // Mode and view flags.
    bool ConfirmInsertions = false;
    bool ShowGenerated = false;
    bool ShowSolution = false;
    bool Solving = false;
    bool SolutionWordShown = false;
    bool PrintSolution = false;
    bool ExportSolution = false;

    // Solving counters and typing direction.
    int32_t Attempts = 0;
    int32_t CorrectCount = 0;
    int32_t LetterCount = 0;
    // After a typed letter the current cell moves one cell this way (none: it stays).
    std::optional<Direction> TypingDirection;

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
    void MarkAllAvailable();
    // Replaces the vocabulary: entries 1..n main words, then the short words.
    void SetVocabulary(std::vector<TWordEntry> mainWords, std::vector<TWordEntry> shortWords);
};
