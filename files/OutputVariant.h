#pragma once

// What an export or a print shows: the puzzle to be solved (clue numbers only)
// or its solution (every letter written in).
enum class OutputVariant { Puzzle, Solution };
