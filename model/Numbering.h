#pragma once

class GenerationRun;
class Puzzle;

// Turns the filled grid into a finished puzzle: clue numbers in reading order,
// the remaining bars, and the clue rows.
class Numbering {
public:
    // Gives the words that start in the run's cells clue numbers 1, 2, ... in
    // reading order: into AcrossNo/DownNo of the grid, and the word of each
    // number into the run.
    static void NumberWords(Puzzle& puzzle, GenerationRun& run);
    // Closes every edge that does not lie between two letters of one word.
    static void CompleteBars(Puzzle& puzzle, const GenerationRun& run);
    // One clue row per word, by number, across before down.
    static void FillClueList(Puzzle& puzzle, const GenerationRun& run);
};
