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

struct ExportOptions {
    std::string Puzzle;
    std::string Image;
    std::optional<std::string> Clues;
    bool Solution = false;
};

std::optional<ExportOptions> ParseExport(const Args& args) {
    ExportOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size() && !args[i + 1].empty();
        if (arg == "-o" && hasValue && options.Image.empty()) {
            options.Image = args[++i];
        } else if (arg == "--clues" && hasValue && !options.Clues) {
            options.Clues = args[++i];
        } else if (arg == "--solution") {
            options.Solution = true;
        } else if (!arg.empty() && arg[0] != '-' && options.Puzzle.empty()) {
            options.Puzzle = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.Puzzle.empty() || options.Image.empty()) {
        return std::nullopt;
    }
    return options;
}

// Beside the bitmap under the same base name, as a user of the command expects.
QString DefaultCluePath(const QString& image) {
    const QFileInfo info(image);
    return info.dir().filePath(info.completeBaseName() + ".txt");
}

} // namespace

int Export(const Args& args) {
    const std::optional<ExportOptions> options = ParseExport(args);
    if (!options) {
        return UsageError(kUsage);
    }
    const QString imagePath = QString::fromStdString(options->Image);
    const QString cluePath =
        options->Clues ? QString::fromStdString(*options->Clues) : DefaultCluePath(imagePath);
    // Each output would replace the puzzle or the other output.
    const std::string clues = cluePath.toStdString();
    if (SameFile(options->Image, options->Puzzle) || SameFile(clues, options->Puzzle)) {
        return UsageError("Bild und Umschreibungen dürfen die Rätseldatei nicht überschreiben.");
    }
    if (SameFile(clues, options->Image)) {
        return UsageError("Bild und Umschreibungen brauchen zwei verschiedene Dateien.");
    }
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options->Puzzle);
    const QImage image = ExportImage::Render(puzzle, VariantOf(options->Solution));
    ExportFiles::Save(image, imagePath, puzzle.ClueRows, cluePath);
    return Ok;
}

} // namespace Cli
