#pragma once

#include <cstdint>
#include <string>

class Puzzle;

// What makes one generated puzzle better than another made from the same
// table and settings, in this order: the solution word was placed (or none was
// asked for), fewer black cells, more crossings, fewer answers of two letters.
// Used to keep the best of several tries.
struct PuzzleScore {
    enum class SolutionWord { Placed, NotAsked, NotFound };

    SolutionWord Word = SolutionWord::NotAsked;
    int32_t BlackCells = 0;
    int32_t Crossings = 0;        // cells marked '+'
    int32_t TwoLetterAnswers = 0; // words of two cells, across and down

    // Counts the numbered grid: a word runs from its numbered start cell up to
    // the first bar in its direction.
    static PuzzleScore Of(const Puzzle& puzzle, SolutionWord word);

    // Strictly better by the order above; equal scores are no improvement.
    bool BetterThan(const PuzzleScore& other) const;

    // "Lösungswort gefunden, 41 schwarze Felder, 78 Überschneidungen,
    // 3 Antworten mit 2 Buchstaben" (Windows-1252).
    std::string Text() const;
};
