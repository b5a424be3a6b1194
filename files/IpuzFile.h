#pragma once

#include "files/ExportOptions.h"
#include "model/Puzzle.h"

#include <string>

// The puzzle as an ipuz crossword (ipuz v2, JSON in UTF-8), the open format of
// solving apps and web players. The grid keeps its clue numbers, black cells
// ("#") and bars (cell style "barred": "R", "B" or "RB" on the edges inside
// the grid); the cells of a marked solution word are circled ("shapebg") and
// carry their position in the lower right ("mark"), and the word itself is the
// explanation, with an intro that says how to read it. The letters go into
// "solution", the clue rows into "Across" and "Down" as [number, "clue"], or
// as an object with its "enumeration" where the answer is several words.
// Title, author and copyright come from the options.
class IpuzFile {
public:
    // The marks are those the picture draws (Puzzle::ShownMarks).
    static std::string Text(const Puzzle& puzzle, const ExportOptions& options = {});
};
