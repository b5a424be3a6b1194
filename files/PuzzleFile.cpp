#include "files/PuzzleFile.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/LineFile.h"
#include "model/TWordEntry.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace {

constexpr size_t CellWidth = 12;
constexpr size_t MarkLines = 20;
// Two size lines, at least one clue row, 20 mark lines and the word line.
constexpr size_t FixedLines = 2 + 1 + MarkLines + 1;
// The texts of a clue row as the program writes them: a clue number of at
// most 4 digits (9801), "waagerecht" or "senkrecht", a clue of a word entry.
constexpr size_t MaxNumberText = 4;
constexpr size_t MaxDirectionText = 10;
constexpr size_t MaxClueText = TWordEntry::MaxClueLength;
// A 99 x 99 puzzle with a clue row for every cell and direction (19,602 rows
// of at most 68 bytes) and its grid of 99 lines of 1,190 bytes stays below
// 1.5 MB.
constexpr size_t MaxFileBytes = 2 * 1024 * 1024;

// A puzzle of this size has at most one clue row per cell and direction.
size_t MaxLines(int32_t columns, int32_t rows) {
    const auto cells = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    return FixedLines - 1 + static_cast<size_t>(rows) + 2 * cells;
}

const std::string NoSolutionWord = "*";

bool IsControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

// A line end inside a text would split its line in two and shift every line
// after it; other control characters the reader refuses. Both become blanks.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (IsControl(c)) {
            c = ' ';
        }
    }
    return text;
}

// "The last 4 characters of '000' followed by the number": zero-padded to 4 digits.
std::string FourDigits(int32_t number) {
    const std::string text = "000" + std::to_string(number);
    return text.substr(text.size() - 4);
}

bool IsDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A decimal integer with an optional leading minus, within the 32-bit range.
bool ToInt(std::string_view text, int32_t& value) {
    const std::string_view digits = (!text.empty() && text[0] == '-') ? text.substr(1) : text;
    if (!IsDigits(digits)) {
        return false;
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::string GridLine(const Puzzle& puzzle, int32_t row, int32_t highestNumber) {
    std::string line;
    line.reserve(CellWidth * static_cast<size_t>(puzzle.Columns));
    for (int32_t column = 0; column < puzzle.Columns; ++column) {
        const TGridCell& cell = puzzle.Grid.At(column, row);
        const bool numbersFit = cell.AcrossNo >= 0 && cell.AcrossNo <= highestNumber &&
                                cell.DownNo >= 0 && cell.DownNo <= highestNumber;
        if (!numbersFit || cell.BarRight > 1 || cell.BarBelow > 1) {
            throw WabolexError(
                W("Das Feld (") + std::to_string(column) + ", " + std::to_string(row) +
                W(") ist unvollständig; das Rätsel kann so nicht gespeichert werden."));
        }
        line += OneLine(std::string(1, cell.Letter));
        line += cell.Mark.Char();
        line += FourDigits(cell.AcrossNo);
        line += FourDigits(cell.DownNo);
        line += cell.BarRight ? '1' : '0';
        line += cell.BarBelow ? '1' : '0';
    }
    return line;
}

// Collects what is wrong with one file, naming the file and the line (from 1).
class Checker {
public:
    Checker(const std::vector<std::string>& lines, const std::string& fileName)
        : lines_(lines), fileName_(fileName) {}

    [[noreturn]] void Fail(size_t index, const std::string& what) const {
        throw WabolexError(W("Die Rätseldatei \"") + fileName_ + W("\" ist fehlerhaft, Zeile ") +
                           std::to_string(index + 1) + ": " + what);
    }

    [[noreturn]] void FailFile(const std::string& what) const {
        throw WabolexError(W("Die Rätseldatei \"") + fileName_ + W("\" ist fehlerhaft: ") + what);
    }

    int32_t Size(size_t index, const char* name) const {
        if (index >= lines_.size()) {
            FailFile(W("die Angabe der ") + name + W(" fehlt."));
        }
        const std::string& line = lines_[index];
        const size_t equals = line.find('=');
        int32_t value = 0;
        if (equals == std::string::npos ||
            !ToInt(std::string_view(line).substr(equals + 1), value)) {
            Fail(index, W("die ") + name + W(" ist keine Zahl."));
        }
        if (!IsGridSide(value)) {
            Fail(index, W("die ") + name + " " + std::to_string(value) +
                            W(" liegt nicht zwischen 5 und 99."));
        }
        return value;
    }

    TFeld Grid(int32_t columns, int32_t rows) const {
        TFeld grid(columns, rows);
        const int32_t highestNumber = columns * rows;
        for (int32_t row = 0; row < rows; ++row) {
            const size_t index = 2 + static_cast<size_t>(row);
            const std::string& line = lines_[index];
            if (line.size() != CellWidth * static_cast<size_t>(columns)) {
                Fail(index, W("die Gitterzeile hat ") + std::to_string(line.size()) +
                                W(" Zeichen statt ") +
                                std::to_string(CellWidth * static_cast<size_t>(columns)) + ".");
            }
            for (int32_t column = 0; column < columns; ++column) {
                grid.At(column, row) = Cell(
                    index, column, std::string_view(line).substr(CellWidth * column, CellWidth),
                    highestNumber);
            }
        }
        return grid;
    }

    // Split as the list rows are filled: the text before the first "*", the
    // text before the next one, the rest. A missing "*" leaves its columns
    // empty; any texts are kept, and a row whose direction is neither word
    // belongs to neither section.
    ClueRow Clue(size_t index) const {
        std::string_view rest(lines_[index]);
        const size_t first = rest.find('*');
        const std::string_view number =
            first == rest.npos ? std::string_view() : rest.substr(0, first);
        rest.remove_prefix(first == rest.npos ? 0 : first + 1);
        const size_t second = rest.find('*');
        const std::string_view direction =
            second == rest.npos ? std::string_view() : rest.substr(0, second);
        rest.remove_prefix(second == rest.npos ? 0 : second + 1);
        const auto tooLong = [&](const char* what, std::string_view text, size_t most) {
            if (text.size() > most) {
                Fail(index, W(what) + std::to_string(text.size()) + W(" Zeichen, höchstens ") +
                                std::to_string(most) + W(" sind möglich."));
            }
        };
        tooLong("die Nummer der Umschreibung hat ", number, MaxNumberText);
        tooLong("die Richtung der Umschreibung hat ", direction, MaxDirectionText);
        tooLong("die Umschreibung hat ", rest, MaxClueText);
        return ClueRow::FromTexts(number, direction, std::string(rest));
    }

    // A file the program wrote holds no control characters; one that does is
    // damaged or no puzzle file at all.
    void NoControlCharacters() const {
        for (size_t index = 0; index < lines_.size(); ++index) {
            for (const char c : lines_[index]) {
                if (IsControl(c)) {
                    Fail(index, W("die Zeile enthält das Steuerzeichen ") +
                                    std::to_string(static_cast<unsigned char>(c)) + ".");
                }
            }
        }
    }

    SolutionMark Mark(size_t index) const {
        SolutionMark mark;
        if (!ReadMark(lines_[index], mark)) {
            Fail(index, W("die Markierungszeile braucht drei ganze Zahlen, getrennt durch \"|\"."));
        }
        return mark;
    }

    static bool ReadMark(std::string_view text, SolutionMark& mark) {
        const size_t first = text.find('|');
        const size_t second = first == std::string::npos ? first : text.find('|', first + 1);
        return second != std::string::npos && ToInt(text.substr(0, first), mark.Column) &&
               ToInt(text.substr(first + 1, second - first - 1), mark.Row) &&
               ToInt(text.substr(second + 1), mark.Position);
    }

    // An empty last line after a line that is no mark line is no empty
    // solution word but a line end too many.
    void NoBlankLineAtTheEnd() const {
        const size_t last = lines_.size() - 1;
        SolutionMark mark;
        if (lines_[last].empty() && !ReadMark(lines_[last - 1], mark)) {
            Fail(last, W("eine leere Zeile zu viel am Ende der Datei."));
        }
    }

    void MostLines(size_t most, int32_t columns, int32_t rows) const {
        if (lines_.size() > most) {
            Fail(most, W("ein Rätsel von ") + std::to_string(columns) + "x" + std::to_string(rows) +
                           W(" hat höchstens ") + std::to_string(most) + W(" Zeilen."));
        }
    }

private:
    TGridCell Cell(size_t index, int32_t column, std::string_view text,
                   int32_t highestNumber) const {
        const std::string where = W("Feld in Spalte ") + std::to_string(column + 1) + ": ";
        TGridCell cell;
        cell.Letter = text[0];
        const std::optional<CellMark> mark = CellMark::FromChar(text[1]);
        if (!mark) {
            Fail(index, where + W("unbekannte Markierung \"") + std::string(1, text[1]) + "\".");
        }
        cell.Mark = *mark;
        if (!IsDigits(text.substr(2, 4)) || !IsDigits(text.substr(6, 4))) {
            Fail(index, where + W("die Nummern sind keine vierstelligen Zahlen."));
        }
        ToInt(text.substr(2, 4), cell.AcrossNo);
        ToInt(text.substr(6, 4), cell.DownNo);
        if (cell.AcrossNo > highestNumber || cell.DownNo > highestNumber) {
            Fail(index, where + W("die Nummer ist größer als die Zahl der Felder."));
        }
        const char right = text[10];
        const char below = text[11];
        if ((right != '0' && right != '1') || (below != '0' && below != '1')) {
            Fail(index, where + W("die Balken müssen 0 oder 1 sein."));
        }
        cell.BarRight = right == '1' ? 1 : 0;
        cell.BarBelow = below == '1' ? 1 : 0;
        return cell;
    }

    const std::vector<std::string>& lines_;
    const std::string& fileName_;
};

} // namespace

std::vector<std::string> PuzzleFile::Lines(const Puzzle& puzzle) {
    if (!IsGridSide(puzzle.Columns) || !IsGridSide(puzzle.Rows) ||
        puzzle.Grid.Columns() != puzzle.Columns || puzzle.Grid.Rows() != puzzle.Rows) {
        throw WabolexError(W("Ein Gitter von ") + std::to_string(puzzle.Columns) + "x" +
                           std::to_string(puzzle.Rows) + W(" kann nicht gespeichert werden."));
    }
    const std::optional<std::string> word =
        puzzle.SolutionWord ? std::optional(OneLine(*puzzle.SolutionWord)) : std::nullopt;
    if (word && word->size() > static_cast<size_t>(MaxSolutionLength)) {
        throw WabolexError(W("Das Lösungswort ist länger als 20 Zeichen."));
    }

    std::vector<std::string> lines;
    lines.push_back("xMax=" + std::to_string(puzzle.Columns));
    lines.push_back("yMax=" + std::to_string(puzzle.Rows));
    for (int32_t row = 0; row < puzzle.Rows; ++row) {
        lines.push_back(GridLine(puzzle, row, puzzle.Columns * puzzle.Rows));
    }
    // The clue list never has fewer than one row; an empty list is its empty row.
    if (puzzle.ClueRows.empty()) {
        lines.push_back("**");
    }
    for (const ClueRow& row : puzzle.ClueRows) {
        lines.push_back(OneLine(row.NumberText()) + "*" + OneLine(row.DirectionText()) + "*" +
                        OneLine(row.Clue));
    }
    for (const SolutionMark& mark : puzzle.SolutionMarks) {
        lines.push_back(std::to_string(mark.Column) + "|" + std::to_string(mark.Row) + "|" +
                        std::to_string(mark.Position));
    }
    lines.push_back(word.value_or(NoSolutionWord));
    return lines;
}

void PuzzleFile::Save(const std::filesystem::path& file, const Puzzle& puzzle) {
    SaveLines(file, Lines(puzzle));
}

void PuzzleFile::SaveLines(const std::filesystem::path& file,
                           const std::vector<std::string>& lines) {
    LineFile::WriteReadOnly(file, lines, W("Die Rätseldatei"));
}

PuzzleFileContents PuzzleFile::Read(const std::filesystem::path& file) {
    return ParseText(LineFile::ReadText(file, MaxFileBytes), LineFile::DisplayName(file));
}

PuzzleFileContents PuzzleFile::ParseText(std::string_view text, const std::string& fileName) {
    LineFile::Lines cursor(text);
    std::vector<std::string> lines;
    std::string_view line;
    while (lines.size() < 2 && cursor.Next(line)) {
        lines.emplace_back(line);
    }
    // The size lines bound the rest: lines beyond what a puzzle of that size
    // can have are not even split off.
    const Checker check(lines, fileName);
    check.NoControlCharacters();
    const int32_t columns = check.Size(0, "Spaltenanzahl");
    const int32_t rows = check.Size(1, "Zeilenanzahl");
    const size_t most = MaxLines(columns, rows);
    while (lines.size() <= most && cursor.Next(line)) {
        lines.emplace_back(line);
    }
    check.MostLines(most, columns, rows);
    return Parse(lines, fileName);
}

PuzzleFileContents PuzzleFile::Parse(const std::vector<std::string>& lines,
                                     const std::string& fileName) {
    const Checker check(lines, fileName);
    check.NoControlCharacters();
    PuzzleFileContents contents;
    contents.Columns = check.Size(0, "Spaltenanzahl");
    contents.Rows = check.Size(1, "Zeilenanzahl");
    const size_t rows = static_cast<size_t>(contents.Rows);
    if (lines.size() < rows + FixedLines) {
        check.FailFile(W("sie hat ") + std::to_string(lines.size()) + W(" Zeilen, für ") +
                       std::to_string(rows) + W(" Gitterzeilen sind mindestens ") +
                       std::to_string(rows + FixedLines) + W(" nötig."));
    }
    check.MostLines(MaxLines(contents.Columns, contents.Rows), contents.Columns, contents.Rows);
    check.NoBlankLineAtTheEnd();
    contents.Grid = check.Grid(contents.Columns, contents.Rows);

    const size_t firstMark = lines.size() - 1 - MarkLines;
    for (size_t index = 2 + rows; index < firstMark; ++index) {
        contents.ClueRows.push_back(check.Clue(index));
    }
    for (size_t k = 0; k < MarkLines; ++k) {
        contents.Marks[k] = check.Mark(firstMark + k);
    }

    const size_t last = lines.size() - 1;
    if (lines[last] != NoSolutionWord) {
        if (lines[last].size() > static_cast<size_t>(MaxSolutionLength)) {
            check.Fail(last, W("das Lösungswort ist länger als 20 Zeichen."));
        }
        contents.SolutionWord = lines[last];
    }
    return contents;
}

void PuzzleFile::Apply(const PuzzleFileContents& contents, Puzzle& puzzle) {
    puzzle.ResizeGrid(contents.Columns, contents.Rows);
    puzzle.Grid = contents.Grid;
    puzzle.ClueRows = contents.ClueRows;
    puzzle.SolutionMarks = contents.Marks;
    puzzle.SolutionWord = contents.SolutionWord;
    if (contents.Marks[0].Column >= 0) {
        puzzle.SolutionWordShown = true;
    }
}

std::string PuzzleFile::ProposedName(const Puzzle& puzzle, const std::string& sourceName) {
    // A name without "." contributes nothing, so "NoName" proposes "-15x15-1".
    const size_t dot = sourceName.find('.');
    const std::string base = dot == std::string::npos ? "" : sourceName.substr(0, dot);
    const size_t clueRows = puzzle.ClueRows.empty() ? 1 : puzzle.ClueRows.size();
    return base + "-" + std::to_string(puzzle.Columns) + "x" + std::to_string(puzzle.Rows) + "-" +
           std::to_string(clueRows);
}
