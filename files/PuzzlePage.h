#pragma once

#include "files/ExportOptions.h"
#include "files/OutputVariant.h"
#include "model/Puzzle.h"

#include <cstdint>
#include <string>

// The puzzle as one web page to solve in any browser: a single HTML file in
// UTF-8 with its style sheet and script inside, no external files and no
// network. The grid is drawn as in the window's solving view; the clue lists
// stand beside it (below on a narrow screen); typing, checking, revealing and
// the progress kept in the browser are the script's (files/web/puzzle.js).
// The print style gives the empty puzzle sheet.
//
// The answers are not in the page as plain text. The grid's letters are
// stored row by row, and the letter A..Z of cell i (from 0) is moved
// (7 * i + 3) mod 26 places on in the alphabet ("A" in cell 0 becomes "D");
// black cells are ".", other characters stay as they are. The solution
// variant shows every letter and takes no input.
class PuzzlePage {
public:
    static std::string Text(const Puzzle& puzzle, OutputVariant variant,
                            const ExportOptions& options);

    // The scrambled letters, as the page stores them (UTF-8).
    static std::string ScrambledLetters(const Puzzle& puzzle);
    static char Scramble(char letter, int32_t cell);

    // 16 hexadecimal digits that name the puzzle (FNV-1a over its grid, clue
    // rows and marks): the key of its progress in the browser's storage.
    static std::string PuzzleId(const Puzzle& puzzle);
};
