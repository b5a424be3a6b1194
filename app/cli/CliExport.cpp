// wabolex-cli export: the bitmap of the puzzle or its solution and the clue text.
#include "app/cli/CliCommands.h"
#include "app/cli/CliPuzzleOutput.h"
#include "files/ExportFiles.h"
#include "files/ExportImage.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <optional>
#include <string>

namespace Cli {

namespace {

const char* const kUsage =
    "Aufruf: wabolex-cli export RAETSEL.wbx -o BILD.bmp [--solution] [--clues UMSCHREIBUNGEN.txt]";

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
    const QString imagePath = QString::fromStdString(options->Output);
    const auto clues = options->Values.find("--clues");
    const QString cluePath = clues != options->Values.end() ? QString::fromStdString(clues->second)
                                                            : DefaultCluePath(imagePath);
    // Each output would replace the puzzle or the other output.
    const std::string cluesFile = cluePath.toStdString();
    if (SameFile(options->Output, options->Puzzle) || SameFile(cluesFile, options->Puzzle)) {
        return UsageError("Bild und Umschreibungen dürfen die Rätseldatei nicht überschreiben.");
    }
    if (SameFile(cluesFile, options->Output)) {
        return UsageError("Bild und Umschreibungen brauchen zwei verschiedene Dateien.");
    }
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options->Puzzle);
    const QImage image = ExportImage::Render(puzzle, options->Variant);
    ExportFiles::Save(image, imagePath, puzzle.ClueRows, cluePath);
    return Ok;
}

} // namespace Cli
