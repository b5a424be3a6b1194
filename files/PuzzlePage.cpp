#include "files/PuzzlePage.h"

#include "base/Cp1252.h"
#include "files/PuzzleWords.h"
#include "files/WebText.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

// The style sheet and the script, compiled in from files/web.
std::string_view PuzzlePageStyle();
std::string_view PuzzlePageScript();

namespace {

std::string Utf8(const std::string& cp1252) {
    return WebText::Html(Cp1252::ToUtf8(cp1252));
}

int32_t CellIndex(const Puzzle& puzzle, int32_t column, int32_t row) {
    return row * puzzle.Columns + column;
}

// One cell of the grid: black, or with its number, its bars, its circle and,
// in the solution, its letter. The grid's outer edges are its frame.
std::string CellHtml(const Puzzle& puzzle, int32_t c, int32_t r, OutputVariant variant) {
    const TGridCell& cell = puzzle.Grid.At(c, r);
    if (cell.Letter == '.') {
        return "<div class=\"cell black\"></div>";
    }
    std::string classes = "cell";
    if (cell.BarRight == 1 && c < puzzle.Columns - 1) {
        classes += " bar-right";
    }
    if (cell.BarBelow == 1 && r < puzzle.Rows - 1) {
        classes += " bar-below";
    }
    const SolutionMark* mark = PuzzleWords::MarkAt(puzzle, c, r);
    if (mark != nullptr) {
        classes += " circle";
    }
    std::string html = "<div class=\"" + classes + "\">";
    if (cell.ShownNumber() > 0) {
        html += "<span class=\"num\">" + std::to_string(cell.ShownNumber()) + "</span>";
    }
    if (mark != nullptr) {
        html += "<span class=\"pos\">" + std::to_string(mark->Position) + "</span>";
    }
    if (variant == OutputVariant::Solution) {
        html += "<span class=\"letter\">" + Utf8(std::string(1, cell.Letter)) + "</span>";
    }
    return html + "</div>";
}

std::string GridHtml(const Puzzle& puzzle, OutputVariant variant) {
    std::string html =
        "<div class=\"grid-frame\"><div class=\"grid\" id=\"grid\" style=\"--columns:" +
        std::to_string(puzzle.Columns) + ";--rows:" + std::to_string(puzzle.Rows) + "\">\n";
    for (int32_t r = 0; r < puzzle.Rows; ++r) {
        for (int32_t c = 0; c < puzzle.Columns; ++c) {
            html += CellHtml(puzzle, c, r, variant);
        }
        html += "\n";
    }
    return html + "</div></div>\n";
}

// The letters of the solution word by position, as the marks name them.
std::string SolutionLetters(const Puzzle& puzzle) {
    const auto marks = puzzle.ShownMarks();
    std::string letters(marks.size(), ' ');
    for (const SolutionMark& mark : marks) {
        if (mark.Position >= 1 && static_cast<size_t>(mark.Position) <= letters.size() &&
            puzzle.Grid.Contains(mark.Column, mark.Row)) {
            letters[static_cast<size_t>(mark.Position - 1)] =
                puzzle.Grid.At(mark.Column, mark.Row).Letter;
        }
    }
    return letters;
}

// The boxes of the solution word under the grid, one per circled cell.
std::string SolutionRowHtml(const Puzzle& puzzle, OutputVariant variant) {
    const std::string letters = SolutionLetters(puzzle);
    if (letters.empty()) {
        return {};
    }
    std::string html =
        "<div class=\"solution-row\"><span class=\"solution-label\">L\xC3\xB6sungswort"
        "</span><div class=\"solution-boxes\" id=\"solution-boxes\">";
    for (size_t i = 0; i < letters.size(); ++i) {
        html += "<span class=\"box\"><span class=\"num\">" + std::to_string(i + 1) +
                "</span><span class=\"letter\">";
        if (variant == OutputVariant::Solution) {
            html += Utf8(std::string(1, letters[i]));
        }
        html += "</span></span>";
    }
    return html + "</div></div>\n";
}

struct PageWord {
    ClueRow Row;
    std::vector<PuzzleWords::Cell> Cells;
};

std::vector<PageWord> WordsOf(const Puzzle& puzzle, Direction direction) {
    std::vector<PageWord> words;
    for (const ClueRow& row : puzzle.ClueRows) {
        if (row.Dir == direction) {
            words.push_back({row, PuzzleWords::Cells(puzzle.Grid, row)});
        }
    }
    return words;
}

// A clue list; each entry names its word by its place in the page's word list.
std::string ClueListHtml(const Puzzle& puzzle, const std::vector<PageWord>& words,
                         Direction direction, int32_t firstWord) {
    const bool across = direction == Direction::Across;
    std::string html = std::string("<div class=\"clue-list\"><h2>") +
                       (across ? "Waagerecht" : "Senkrecht") + "</h2><ol id=\"" +
                       (across ? "across" : "down") + "\">\n";
    for (size_t i = 0; i < words.size(); ++i) {
        const PageWord& word = words[i];
        html += "<li data-word=\"" + std::to_string(firstWord + static_cast<int32_t>(i)) +
                "\"><b>" + Utf8(word.Row.NumberText()) + "</b> " + Utf8(word.Row.Clue);
        const std::string enumeration =
            PuzzleWords::Enumeration(PuzzleWords::Answer(puzzle.Grid, word.Cells));
        if (!enumeration.empty()) {
            html += " <span class=\"enumeration\">(" + enumeration + ")</span>";
        }
        html += "</li>\n";
    }
    return html + "</ol></div>\n";
}

std::string ToolbarHtml() {
    return "<div class=\"toolbar\" role=\"toolbar\">"
           "<button type=\"button\" data-action=\"check\">Pr\xC3\xBC"
           "fen</button>"
           "<span class=\"reveal\"><button type=\"button\" data-action=\"reveal\" "
           "aria-haspopup=\"true\" aria-expanded=\"false\">Aufdecken</button>"
           "<span class=\"reveal-menu\" hidden>"
           "<button type=\"button\" data-action=\"reveal-letter\">einen Buchstaben</button>"
           "<button type=\"button\" data-action=\"reveal-word\">ein Wort</button></span></span>"
           "<button type=\"button\" data-action=\"show-solution\">L\xC3\xB6sung zeigen</button>"
           "<button type=\"button\" data-action=\"reset\">Zur\xC3\xBC"
           "cksetzen</button>"
           "</div>\n"
           "<p class=\"current-clue\" id=\"current-clue\"></p>\n";
}

std::string CellList(const Puzzle& puzzle, const std::vector<PuzzleWords::Cell>& cells) {
    std::string list = "[";
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            list += ',';
        }
        list += std::to_string(CellIndex(puzzle, cells[i].Column, cells[i].Row));
    }
    return list + "]";
}

// What the script needs beyond the markup: the scrambled letters, each
// word's cells in the order of the lists, the circled cells by position.
std::string DataJson(const Puzzle& puzzle, const std::vector<PageWord>& words,
                     OutputVariant variant) {
    std::string json = "{\"id\":" + WebText::Json(PuzzlePage::PuzzleId(puzzle)) +
                       ",\"columns\":" + std::to_string(puzzle.Columns) +
                       ",\"rows\":" + std::to_string(puzzle.Rows) +
                       ",\"solution\":" + (variant == OutputVariant::Solution ? "true" : "false") +
                       ",\n\"letters\":" + WebText::Json(PuzzlePage::ScrambledLetters(puzzle)) +
                       ",\n\"words\":[";
    for (size_t i = 0; i < words.size(); ++i) {
        const PageWord& word = words[i];
        json += (i == 0 ? "\n" : ",\n");
        json += "{\"number\":" + WebText::Json(Cp1252::ToUtf8(word.Row.NumberText())) +
                ",\"across\":" + (word.Row.Dir == Direction::Across ? "true" : "false") +
                ",\"clue\":" + WebText::Json(Cp1252::ToUtf8(word.Row.Clue)) +
                ",\"cells\":" + CellList(puzzle, word.Cells) + "}";
    }
    json += "],\n\"marks\":[";
    std::vector<SolutionMark> marks(puzzle.ShownMarks().begin(), puzzle.ShownMarks().end());
    std::sort(marks.begin(), marks.end(),
              [](const SolutionMark& a, const SolutionMark& b) { return a.Position < b.Position; });
    bool first = true;
    for (const SolutionMark& mark : marks) {
        if (!puzzle.Grid.Contains(mark.Column, mark.Row)) {
            continue;
        }
        if (!first) {
            json += ',';
        }
        json += std::to_string(CellIndex(puzzle, mark.Column, mark.Row));
        first = false;
    }
    return json + "]}";
}

} // namespace

char PuzzlePage::Scramble(char letter, int32_t cell) {
    if (letter < 'A' || letter > 'Z') {
        return letter;
    }
    const int shift = static_cast<int>((7LL * cell + 3) % 26);
    return static_cast<char>('A' + (letter - 'A' + shift) % 26);
}

std::string PuzzlePage::ScrambledLetters(const Puzzle& puzzle) {
    std::string letters;
    for (int32_t r = 0; r < puzzle.Rows; ++r) {
        for (int32_t c = 0; c < puzzle.Columns; ++c) {
            letters += Scramble(puzzle.Grid.At(c, r).Letter, CellIndex(puzzle, c, r));
        }
    }
    return Cp1252::ToUtf8(letters);
}

std::string PuzzlePage::PuzzleId(const Puzzle& puzzle) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    const auto add = [&hash](std::string_view text) {
        for (const char c : text) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
        }
        hash = (hash ^ 0xFF) * 0x100000001b3ULL; // ends each field
    };
    add(std::to_string(puzzle.Columns) + "x" + std::to_string(puzzle.Rows));
    for (int32_t r = 0; r < puzzle.Rows; ++r) {
        for (int32_t c = 0; c < puzzle.Columns; ++c) {
            const TGridCell& cell = puzzle.Grid.At(c, r);
            std::string fields(1, cell.Letter);
            fields += std::to_string(cell.AcrossNo);
            fields += ',';
            fields += std::to_string(cell.DownNo);
            fields += cell.BarRight == 1 ? "R" : "";
            fields += cell.BarBelow == 1 ? "B" : "";
            add(fields);
        }
    }
    for (const ClueRow& row : puzzle.ClueRows) {
        add(row.NumberText() + "*" + row.DirectionText() + "*" + row.Clue);
    }
    for (const SolutionMark& mark : puzzle.ShownMarks()) {
        add(std::to_string(mark.Column) + "|" + std::to_string(mark.Row) + "|" +
            std::to_string(mark.Position));
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

std::string PuzzlePage::Text(const Puzzle& puzzle, OutputVariant variant,
                             const ExportOptions& options) {
    const bool solution = variant == OutputVariant::Solution;
    const std::string title = WebText::Html(options.TitleText());
    const std::vector<PageWord> across = WordsOf(puzzle, Direction::Across);
    const std::vector<PageWord> down = WordsOf(puzzle, Direction::Down);
    std::vector<PageWord> words = across;
    words.insert(words.end(), down.begin(), down.end());

    std::string html = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<meta name=\"generator\" content=\"Wabolex\">\n";
    if (!options.Author.empty()) {
        html += "<meta name=\"author\" content=\"" + WebText::Html(options.Author) + "\">\n";
    }
    html += "<title>" + title + (solution ? " \xE2\x80\x93 L\xC3\xB6sung" : "") + "</title>\n";
    html += "<style>\n" + std::string(PuzzlePageStyle()) + "</style>\n</head>\n";
    html += std::string("<body class=\"") + (solution ? "solution" : "puzzle") + "\">\n";
    html += "<header class=\"head\">\n<h1>" + title +
            (solution ? " <span class=\"variant\">L\xC3\xB6sung</span>" : "") + "</h1>\n";
    if (!options.Author.empty()) {
        html += "<p class=\"author\">" + WebText::Html(options.Author) + "</p>\n";
    }
    if (!puzzle.ShownMarks().empty()) {
        html += "<p class=\"intro\">" + WebText::Html(kSolutionWordIntro) + "</p>\n";
    }
    html += "</header>\n<main class=\"puzzle-area\">\n<section class=\"board\">\n";
    if (!solution) {
        html += ToolbarHtml();
    }
    html += GridHtml(puzzle, variant);
    html += SolutionRowHtml(puzzle, variant);
    html += "<p class=\"message\" id=\"message\" role=\"status\" aria-live=\"polite\"></p>\n";
    html += "</section>\n<section class=\"clues\">\n";
    html += ClueListHtml(puzzle, across, Direction::Across, 0);
    html += ClueListHtml(puzzle, down, Direction::Down, static_cast<int32_t>(across.size()));
    html += "</section>\n</main>\n<footer class=\"foot\">";
    html +=
        "<span class=\"keys\">Buchstaben tippen (\xC3\x84, \xC3\x96, \xC3\x9C und \xC3\x9F werden "
        "AE, OE, UE und SS) \xC2\xB7 Pfeiltasten bewegen \xC2\xB7 Tab: n\xC3\xA4"
        "chstes Wort \xC2\xB7 ein zweiter Klick auf ein Feld oder Enter wechselt die "
        "Richtung</span>";
    if (!options.Copyright.empty()) {
        html += "<span class=\"copyright\">" + WebText::Html(options.Copyright) + "</span> ";
    }
    html += "<span class=\"made-with\">Erstellt mit Wabolex</span></footer>\n";
    html += "<script type=\"application/json\" id=\"puzzle-data\">" +
            DataJson(puzzle, words, variant) + "</script>\n";
    html += "<script>\n" + std::string(PuzzlePageScript()) + "</script>\n</body>\n</html>\n";
    return html;
}
