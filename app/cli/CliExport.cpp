// wabolex-cli export: the picture of the puzzle or its solution (BMP, PNG or SVG)
// with the clue text, or the puzzle as an ipuz crossword.
#include "app/cli/CliCommands.h"
#include "app/cli/CliPuzzleOutput.h"
#include "files/ExportFiles.h"
#include "files/ExportFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <optional>
#include <string>

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

// Beside the bitmap under the same base name, as a user of the command expects.
QString DefaultCluePath(const QString& image) {
    const QFileInfo info(image);
    return info.dir().filePath(info.completeBaseName() + ".txt");
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
    // and gets one only when asked for.
    const QString imagePath = QString::fromStdString(options.Output);
    std::optional<QString> cluePath;
    if (clues) {
        cluePath = QString::fromStdString(*clues);
    } else if (ExportFormats::IsPicture(*format)) {
        cluePath = DefaultCluePath(imagePath);
    }
    // Each output would replace the puzzle or the other output.
    const std::string cluesFile = cluePath ? cluePath->toStdString() : std::string();
    if (SameFile(options.Output, options.Puzzle) ||
        (cluePath && SameFile(cluesFile, options.Puzzle))) {
        return line.Refuse("Bild und Umschreibungen dürfen die Rätseldatei nicht überschreiben.");
    }
    if (cluePath && SameFile(cluesFile, options.Output)) {
        return line.Refuse("Bild und Umschreibungen brauchen zwei verschiedene Dateien.");
    }
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options.Puzzle);
    ExportFiles::Save(*format, puzzle, options.Variant, imagePath, cluePath);
    return Ok;
}

const Command ExportCommand{"export", kForms, Export};

} // namespace Cli
