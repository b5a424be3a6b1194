#pragma once

#include "model/Puzzle.h"

#include <optional>
#include <string>

// The paper of a puzzle sheet, portrait.
enum class Paper { A4, Letter };

// How the clue text beside a picture is written: Windows-1252 with CR LF, as
// the export has always written it, or UTF-8 with LF for Linux tools.
enum class TextEncoding { Windows1252, Utf8 };

// What an export carries beyond the puzzle: the title, author and copyright
// of ipuz files, web pages and puzzle sheets (UTF-8, as given on the command
// line; they never enter the model), the sheet's paper and the clue text's
// encoding. The window exports with the defaults.
struct ExportOptions {
    // The name of the table or puzzle file the puzzle came from (Windows-1252);
    // "NoName" for a puzzle from before anything was loaded.
    std::string SourceName = "NoName";
    std::optional<std::string> Title; // nullopt: the source's name
    std::string Author;               // empty: none
    std::string Copyright;            // empty: none
    Paper SheetPaper = Paper::A4;
    TextEncoding ClueEncoding = TextEncoding::Windows1252;

    // The title given, else the source's name before its first "." (the
    // whole name when it has none), as UTF-8.
    std::string TitleText() const;
};

// The sentence that explains the circled cells (UTF-8).
constexpr const char* kSolutionWordIntro =
    "Die Buchstaben in den Kreisfeldern ergeben, der Zahl nach gelesen, das L\xC3\xB6sungswort.";
