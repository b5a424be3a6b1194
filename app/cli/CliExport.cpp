// wabolex-cli export: the picture of the puzzle or its solution (BMP, PNG or SVG)
// with the clue text, or the puzzle as an ipuz crossword.
#include "app/cli/CliCommands.h"
#include "app/cli/CliPuzzleOutput.h"
#include "files/ExportFiles.h"
#include "files/ExportFormat.h"
#include "io/FileError.h"
#include "io/FilePaths.h"

#include <filesystem>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace Cli {

namespace {

constexpr Form kForms[] = {
    {R"(wabolex-cli export RAETSEL.wbx -o DATEI [--solution] [--clues UMSCHREIBUNGEN.txt])",
     R"(Exportiert das Rätsel; das Format folgt aus der Endung von DATEI:
  .bmp, .png, .svg  das Rätselbild (mit --solution die Lösung) und daneben
                    die Umschreibungen als Text (BILD.txt oder --clues);
                    SVG mit Texten als Text, für Satzprogramme; ohne
                    Endung BMP
  .ipuz             ein ipuz-Kreuzworträtsel (JSON, UTF-8) für Rätsel-Apps:
                    Gitter mit Nummern, Trennstrichen und eingekreistem
                    Lösungswort, Lösung und Umschreibungen; eine Textdatei
                    nur mit --clues)"},
};

// Beside the picture under the same base name, as a user of the command expects.
fs::path DefaultCluePath(const fs::path& picture) {
    return picture.parent_path() / (picture.stem().string() + ".txt");
}

} // namespace

int Export(const Args& args) {
    OutputArgs options;
    std::optional<std::string> clues;
    CommandLine line(ExportCommand);
    OutputOptions(line, options).Value("--clues", [&clues](const std::string& value) {
        clues = value;
        return std::string();
    });
    if (const std::optional<int> status = ParseOutputArgs(line, args, options)) {
        return *status;
    }
    const std::optional<ExportFormat> format = ExportFormats::Of(options.Output);
    if (!format) {
        return line.Refuse("Das Format wird an der Endung erkannt: .bmp, .png, .svg oder .ipuz "
                           "(ohne Endung BMP).");
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
    // Each output would replace the puzzle or the other output, also through
    // a link, and a link that names a file not made yet.
    if (FilePaths::Same(picture, options.Puzzle) ||
        (cluePath && FilePaths::Same(*cluePath, options.Puzzle))) {
        return line.Refuse("Bild und Umschreibungen dürfen die Rätseldatei nicht überschreiben.");
    }
    if (cluePath && FilePaths::Same(*cluePath, picture)) {
        return line.Refuse("Bild und Umschreibungen brauchen zwei verschiedene Dateien.");
    }
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options.Puzzle);
    ExportFiles::Save(*format, puzzle, options.Variant, picture, cluePath);
    // The clue text's name was not given: say which file it went to, since a
    // file of that name is replaced.
    if (cluePath && !clues) {
        Error(W("Die Umschreibungen stehen in \"") + FileError::Shown(*cluePath) +
              W("\" (eine andere Datei nennt --clues)."));
    }
    return Ok;
}

const Command ExportCommand{"export", kForms, Export};

} // namespace Cli
