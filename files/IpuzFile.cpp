#include "files/IpuzFile.h"

#include "base/Cp1252.h"
#include "files/PuzzleWords.h"
#include "files/WebText.h"

#include <algorithm>

namespace {

// A JSON string from Windows-1252 text.
std::string Json(const std::string& cp1252) {
    return WebText::Json(Cp1252::ToUtf8(cp1252));
}

// One cell of "puzzle": its clue number (0 for none) or "#", as an object when
// it carries bars or a solution-word mark. The grid's outer edges are no bars.
std::string PuzzleCell(const Puzzle& puzzle, int c, int r) {
    const TGridCell& cell = puzzle.Grid.At(c, r);
    const bool black = cell.Letter == '.';
    // The across number wins where both words start, as in the picture.
    const int number = cell.AcrossNo != 0 ? cell.AcrossNo : cell.DownNo;
    const std::string value = black ? "\"#\"" : std::to_string(std::max(number, 0));

    std::string style;
    if (!black) {
        std::string bars;
        if (cell.BarRight == 1 && c < puzzle.Columns - 1) {
            bars += 'R';
        }
        if (cell.BarBelow == 1 && r < puzzle.Rows - 1) {
            bars += 'B';
        }
        if (!bars.empty()) {
            style += "\"barred\": \"" + bars + "\"";
        }
    }
    if (const SolutionMark* mark = PuzzleWords::MarkAt(puzzle, c, r)) {
        if (!style.empty()) {
            style += ", ";
        }
        style += "\"shapebg\": \"circle\", \"mark\": {\"BR\": \"" + std::to_string(mark->Position) +
                 "\"}";
    }
    if (style.empty()) {
        return value;
    }
    return "{\"cell\": " + value + ", \"style\": {" + style + "}}";
}

std::string SolutionCell(const TGridCell& cell) {
    return cell.Letter == '.' ? "\"#\"" : Json(std::string(1, cell.Letter));
}

template <typename CellText> std::string Rows(const Puzzle& puzzle, CellText cellText) {
    std::string out = "[\n";
    for (int r = 0; r < puzzle.Rows; ++r) {
        out += "    [";
        for (int c = 0; c < puzzle.Columns; ++c) {
            out += (c == 0 ? "" : ", ") + cellText(c, r);
        }
        out += r + 1 < puzzle.Rows ? "],\n" : "]\n";
    }
    return out + "  ]";
}

// A clue number as the list shows it: a number, or the text a file gave.
std::string ClueNumber(const ClueRow& row) {
    const std::string text = row.NumberText();
    return row.OtherNumber.empty() && row.Number > 0 ? text : Json(text);
}

std::string Clues(const Puzzle& puzzle, Direction direction) {
    std::string out = "[";
    bool first = true;
    for (const ClueRow& row : puzzle.ClueRows) {
        if (row.Dir != direction) {
            continue;
        }
        out += first ? "\n" : ",\n";
        const std::string enumeration = PuzzleWords::Enumeration(
            PuzzleWords::Answer(puzzle.Grid, PuzzleWords::Cells(puzzle.Grid, row)));
        if (enumeration.empty()) {
            out += "      [" + ClueNumber(row) + ", " + Json(row.Clue) + "]";
        } else {
            out += "      {\"number\": " + ClueNumber(row) + ", \"clue\": " + Json(row.Clue) +
                   ", \"enumeration\": " + WebText::Json(enumeration) + "}";
        }
        first = false;
    }
    return out + (first ? "]" : "\n    ]");
}

} // namespace

std::string IpuzFile::Text(const Puzzle& puzzle, const ExportOptions& options) {
    const bool marked = !puzzle.ShownMarks().empty();
    std::string out = "{\n";
    out += "  \"version\": \"http://ipuz.org/v2\",\n";
    out += "  \"kind\": [\"http://ipuz.org/crossword#1\"],\n";
    out += "  \"origin\": \"Wabolex\",\n";
    out += "  \"title\": " + WebText::Json(options.TitleText()) + ",\n";
    if (!options.Author.empty()) {
        out += "  \"author\": " + WebText::Json(options.Author) + ",\n";
    }
    if (!options.Copyright.empty()) {
        out += "  \"copyright\": " + WebText::Json(options.Copyright) + ",\n";
    }
    if (marked) {
        out += "  \"intro\": " + WebText::Json(kSolutionWordIntro) + ",\n";
    }
    out += "  \"dimensions\": {\"width\": " + std::to_string(puzzle.Columns) +
           ", \"height\": " + std::to_string(puzzle.Rows) + "},\n";
    out += "  \"block\": \"#\",\n";
    out += "  \"empty\": 0,\n";
    out += "  \"puzzle\": " + Rows(puzzle, [&](int c, int r) { return PuzzleCell(puzzle, c, r); }) +
           ",\n";
    out += "  \"solution\": " +
           Rows(puzzle, [&](int c, int r) { return SolutionCell(puzzle.Grid.At(c, r)); }) + ",\n";
    out += "  \"clues\": {\n";
    out += "    \"Across\": " + Clues(puzzle, Direction::Across) + ",\n";
    out += "    \"Down\": " + Clues(puzzle, Direction::Down) + "\n";
    out += "  }";
    if (marked) {
        out += ",\n  \"explanation\": " +
               Json(W("Lösungswort: ") + Cp1252::ToUpper(puzzle.SolutionWord.value_or("")));
    }
    return out + "\n}\n";
}
