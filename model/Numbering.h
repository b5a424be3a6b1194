#pragma once

class Puzzle;

// Turns the filled grid into a finished puzzle: clue numbers in reading order,
// the remaining bars, and the clue rows.
class Numbering {
public:
    // Replaces the word-list indices in AcrossNo/DownNo by clue numbers 1, 2, ...
    // in reading order and records the indices in AcrossWord/DownWord.
    static void NumberWords(Puzzle& puzzle);
    // Closes every edge that does not lie between two letters of one word.
    static void CompleteBars(Puzzle& puzzle);
    // One clue row per word, by number, across before down.
    static void FillClueList(Puzzle& puzzle);
};
