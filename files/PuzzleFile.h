#pragma once

#include "model/ClueRow.h"
#include "model/Puzzle.h"
#include "model/SolutionMark.h"
#include "model/TFeld.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Everything a puzzle file holds, read and checked but not yet applied.
struct PuzzleFileContents {
    int32_t Columns = 0;
    int32_t Rows = 0;
    TFeld Grid;
    std::vector<ClueRow> ClueRows;
    TSolutionMarks Marks;
    // The last line: the solution word, or nullopt when the file says "*" (none).
    std::optional<std::string> SolutionWord;
};

// The puzzle file (".wbx"): Windows-1252 text lines ended by CR LF — two size
// lines, one line per grid row, the clue rows, 20 mark lines, the solution word.
class PuzzleFile {
public:
    // The file's lines for the current puzzle. The solution word line is the
    // puzzle's solution word, "*" for none. Throws WabolexError for a state
    // that could not be read back (size outside 5..99, word longer than 20, ...).
    static std::vector<std::string> Lines(const Puzzle& puzzle);

    // Writes the lines and makes the file read-only. A read-only file is never
    // replaced, and a failed write leaves any old file as it was.
    static void Save(const std::filesystem::path& file, const Puzzle& puzzle);
    // Writes lines made by Lines exactly as Save does.
    static void SaveLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

    // Reads and checks the whole file; throws WabolexError naming the file and
    // the line at the first fault. Nothing of any puzzle is touched.
    static PuzzleFileContents Read(const std::filesystem::path& file);
    // Parses a whole file's bytes: LF, CR LF and a CR alone end a line; more
    // lines than a puzzle of the file's size can hold are refused before
    // they are split off. fileName is for messages.
    static PuzzleFileContents ParseText(std::string_view text, const std::string& fileName);
    // Parses lines already split (without line ends).
    static PuzzleFileContents Parse(const std::vector<std::string>& lines,
                                    const std::string& fileName);

    // Puts what was read into the puzzle: size, grid, clue rows, marks and the
    // solution word (nullopt for none). A first mark that names a cell switches
    // the solution word display on; otherwise the display flag keeps its value.
    static void Apply(const PuzzleFileContents& contents, Puzzle& puzzle);

    // The name the save dialog proposes: the source's name (the table or
    // puzzle file loaded last) cut before its first "." (nothing without a
    // "."), then "-", columns, "x", rows, "-", number of clue rows
    // ("Tiere-15x15-42").
    static std::string ProposedName(const Puzzle& puzzle, const std::string& sourceName);
};
