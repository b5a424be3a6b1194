// wabolex-cli export: the picture of the puzzle or its solution (BMP, PNG or SVG)
// with the clue text, or the puzzle as an ipuz crossword, a web page or a sheet.
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

const char* const kUsage = "Aufruf: wabolex-cli export RAETSEL.wbx -o "
                           "BILD.bmp|BILD.png|BILD.svg|RAETSEL.ipuz|SEITE.html|BLATT.pdf\n"
                           "    [--solution] [--clues UMSCHREIBUNGEN.txt]";

// Beside the bitmap under the same base name, as a user of the command expects.
QString DefaultCluePath(const QString& image) {
    const QFileInfo info(image);
    return info.dir().filePath(info.completeBaseName() + ".txt");
}

} // namespace

int Export(const Args& args) {
    const std::optional<OutputArgs> options = ParseOutputArgs(args, {"--clues"});
    if (!options) {
        return UsageError(kUsage);
    }
    const std::optional<ExportFormat> format = ExportFormats::Of(options->Output);
    if (!format) {
        return UsageError("Das Format wird an der Endung erkannt: .bmp, .png, .svg, .ipuz, "
                          ".html oder .pdf (ohne Endung BMP).\n" +
                          std::string(kUsage));
    }
    // A picture gets its clue text beside it; an ipuz file holds its clues
    // and gets one only when asked for.
    const QString imagePath = QString::fromStdString(options->Output);
    const auto clues = options->Values.find("--clues");
    std::optional<QString> cluePath;
    if (clues != options->Values.end()) {
        cluePath = QString::fromStdString(clues->second);
    } else if (ExportFormats::IsPicture(*format)) {
        cluePath = DefaultCluePath(imagePath);
    }
    // Each output would replace the puzzle or the other output.
    const std::string cluesFile = cluePath ? cluePath->toStdString() : std::string();
    if (SameFile(options->Output, options->Puzzle) ||
        (cluePath && SameFile(cluesFile, options->Puzzle))) {
        return UsageError("Bild und Umschreibungen dürfen die Rätseldatei nicht überschreiben.");
    }
    if (cluePath && SameFile(cluesFile, options->Output)) {
        return UsageError("Bild und Umschreibungen brauchen zwei verschiedene Dateien.");
    }
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options->Puzzle);
    ExportFiles::Save(*format, puzzle, options->Variant, ExportOptions{}, imagePath, cluePath);
    return Ok;
}

} // namespace Cli
