// wabolex-cli export: the picture of the puzzle or its solution (BMP, PNG or SVG)
// with the clue text, or the puzzle as an ipuz crossword, a web page or a sheet.
#include "app/cli/CliCommands.h"
#include "app/cli/CliPuzzleOutput.h"
#include "files/ExportFiles.h"
#include "files/ExportFormat.h"
#include "files/ExportOptions.h"
#include "io/FileError.h"
#include "io/FilePaths.h"

#include <filesystem>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace Cli {

namespace {

// Beside the picture under the same base name, as a user of the command expects.
fs::path DefaultCluePath(const fs::path& picture) {
    return picture.parent_path() / (picture.stem().string() + ".txt");
}

// A text for the file's metadata: UTF-8 from the terminal, one line.
CommandLine::Take Metadata(const std::string& what, std::optional<std::string>& target) {
    return [what, &target](const std::string& value) {
        if (QString::fromUtf8(value).toUtf8().toStdString() != value) {
            return what + " ist kein gültiger UTF-8-Text.";
        }
        for (const char c : value) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                return what + " darf keine Steuerzeichen (etwa Zeilenwechsel) enthalten.";
            }
        }
        target = value;
        return std::string();
    };
}

std::optional<TextEncoding> EncodingNamed(const std::string& name) {
    const QString lower = QString::fromStdString(name).toLower();
    if (lower == "utf-8" || lower == "utf8") {
        return TextEncoding::Utf8;
    }
    if (lower == "windows-1252" || lower == "cp1252") {
        return TextEncoding::Windows1252;
    }
    return std::nullopt;
}

// What the options ask of a format that has no place for it, or empty.
std::string Misplaced(ExportFormat format, bool clueText, const std::optional<std::string>& title,
                      const std::optional<std::string>& author,
                      const std::optional<std::string>& copyright,
                      const std::optional<Paper>& paper,
                      const std::optional<TextEncoding>& encoding) {
    const bool picture = ExportFormats::IsPicture(format);
    if (title && picture && format != ExportFormat::Svg) {
        return "--title gilt für .svg, .ipuz, .html und .pdf.";
    }
    if ((author || copyright) && picture) {
        return "--author und --copyright gelten für .ipuz, .html und .pdf.";
    }
    if (paper && format != ExportFormat::Sheet) {
        return "--paper gilt nur für das Rätselblatt (.pdf).";
    }
    if (encoding && !clueText) {
        return "--encoding gilt für die Textdatei der Umschreibungen (Bild oder --clues).";
    }
    return {};
}

} // namespace

int Export(const Command& command, const Args& args) {
    OutputArgs options;
    std::optional<std::string> clues;
    std::optional<std::string> title;
    std::optional<std::string> author;
    std::optional<std::string> copyright;
    std::optional<Paper> paper;
    std::optional<TextEncoding> encoding;
    CommandLine line(command);
    OutputOptions(line, options)
        .Value("--clues",
               [&clues](const std::string& value) {
                   clues = value;
                   return std::string();
               })
        .Value("--title", Metadata("Der Titel (--title)", title))
        .Value("--author", Metadata("Der Name (--author)", author))
        .Value("--copyright", Metadata("Der Urheberrechtsvermerk (--copyright)", copyright))
        .Value("--paper",
               [&paper](const std::string& value) {
                   paper = PaperNamed(value);
                   return paper ? std::string()
                                : "Das Papierformat (--paper) ist A4 oder Letter: " + value;
               })
        .Value("--encoding", [&encoding](const std::string& value) {
            encoding = EncodingNamed(value);
            return encoding ? std::string()
                            : "Die Kodierung (--encoding) ist utf-8 oder windows-1252: " + value;
        });
    if (const std::optional<int> status = ParseOutputArgs(line, args, options)) {
        return *status;
    }
    const std::optional<ExportFormat> format = ExportFormats::Of(options.Output);
    if (!format) {
        return line.Refuse("Das Format wird an der Endung erkannt: .bmp, .png, .svg, .ipuz, "
                           ".html oder .pdf (ohne Endung BMP).");
    }
    // A picture gets its clue text beside it; an ipuz file holds its clues
    // and gets one only when asked for. Paths stay the bytes given.
    const fs::path picture = options.Output;
    std::optional<fs::path> cluePath;
    if (clues) {
        if (IsOnlyExtension(*clues)) {
            return line.Refuse(OnlyExtensionReason(*clues));
        }
        cluePath = *clues;
    } else if (ExportFormats::IsPicture(*format)) {
        cluePath = DefaultCluePath(picture);
    }
    const std::string misplaced =
        Misplaced(*format, cluePath.has_value(), title, author, copyright, paper, encoding);
    if (!misplaced.empty()) {
        return line.Refuse(misplaced);
    }
    // Each output would replace the puzzle or the other output, also through
    // a link, and a link that names a file not made yet.
    if (FilePaths::Same(picture, options.Puzzle) ||
        (cluePath && FilePaths::Same(*cluePath, options.Puzzle))) {
        return line.Refuse("Bild und Umschreibungen dürfen die Rätseldatei nicht überschreiben.");
    }
    if (cluePath && FilePaths::Same(*cluePath, picture)) {
        return line.Refuse("Bild und Umschreibungen brauchen zwei verschiedene Dateien.");
    }
    ExportOptions exportOptions;
    exportOptions.SourceName = FileError::NameOf(options.Puzzle);
    exportOptions.Title = title;
    exportOptions.Author = author.value_or("");
    exportOptions.Copyright = copyright.value_or("");
    exportOptions.SheetPaper = paper.value_or(Paper::A4);
    exportOptions.ClueEncoding = encoding.value_or(TextEncoding::Windows1252);
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options.Puzzle);
    ExportFiles::Save(*format, puzzle, options.Variant, exportOptions, picture, cluePath);
    // The clue text's name was not given: say which file it went to, since a
    // file of that name is replaced.
    if (cluePath && !clues) {
        Error(W("Die Umschreibungen stehen in \"") + FileError::Shown(*cluePath) +
              W("\" (eine andere Datei nennt --clues)."));
    }
    return Ok;
}

} // namespace Cli

extern "C" int WabolexCliExport(const Cli::Command& command, const Cli::Args& args) {
    return Cli::Guarded([&] { return Cli::Export(command, args); });
}
