#pragma once

#include "model/Puzzle.h"

#include <filesystem>
#include <string>

// The puzzle as an ipuz crossword (ipuz v2, JSON in UTF-8), the open format of
// solving apps and web players. The grid keeps its clue numbers, black cells
// ("#") and bars (cell style "barred": "R", "B" or "RB" on the edges inside
// the grid); the cells of a marked solution word are circled ("shapebg") and
// carry their position in the lower right ("mark"), and the word itself is the
// explanation. The letters go into "solution", the clue rows into "Across" and
// "Down" as [number, "clue"].
class IpuzFile {
public:
    // The marks are those the picture draws (Puzzle::ShownMarks).
    static std::string Text(const Puzzle& puzzle);

    // Writes Text whole or not at all; a failure throws WabolexError (German).
    static void Save(const std::filesystem::path& file, const Puzzle& puzzle);

    // The puzzle's title: its source name before the first "." (the whole
    // name when it has none).
    static std::string Title(const Puzzle& puzzle);
};
