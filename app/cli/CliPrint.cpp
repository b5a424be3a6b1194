// wabolex-cli print: the print job of the puzzle or its solution as a PDF file
// whose printable area is the whole page.
#include "app/cli/CliCommands.h"
#include "app/cli/CliPuzzleOutput.h"
#include "files/PrintJob.h"

#include <QPageSize>
#include <QString>

#include <optional>
#include <string>

namespace Cli {

namespace {

const char* const kUsage =
    "Aufruf: wabolex-cli print RAETSEL.wbx -o DATEI.pdf [--solution] [--paper A4|Letter]";

struct PrintOptions {
    std::string Puzzle;
    std::string Pdf;
    bool Solution = false;
    QPageSize::PageSizeId Paper = QPageSize::A4;
};

std::optional<QPageSize::PageSizeId> ParsePaper(const std::string& name) {
    if (name == "A4" || name == "a4") {
        return QPageSize::A4;
    }
    if (name == "Letter" || name == "letter") {
        return QPageSize::Letter;
    }
    return std::nullopt;
}

std::optional<PrintOptions> ParsePrint(const Args& args) {
    PrintOptions options;
    bool paperGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size() && !args[i + 1].empty();
        if (arg == "-o" && hasValue && options.Pdf.empty()) {
            options.Pdf = args[++i];
        } else if (arg == "--paper" && hasValue && !paperGiven) {
            const auto paper = ParsePaper(args[++i]);
            if (!paper) {
                return std::nullopt;
            }
            options.Paper = *paper;
            paperGiven = true;
        } else if (arg == "--solution") {
            options.Solution = true;
        } else if (!arg.empty() && arg[0] != '-' && options.Puzzle.empty()) {
            options.Puzzle = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.Puzzle.empty() || options.Pdf.empty()) {
        return std::nullopt;
    }
    return options;
}

} // namespace

int Print(const Args& args) {
    const std::optional<PrintOptions> options = ParsePrint(args);
    if (!options) {
        return UsageError(kUsage);
    }
    if (SameFile(options->Pdf, options->Puzzle)) {
        return UsageError("Die PDF-Datei darf die Rätseldatei nicht überschreiben.");
    }
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options->Puzzle);
    PrintJob::PrintToPdf(QString::fromStdString(options->Pdf), QPageSize(options->Paper), puzzle,
                         CaptionAfterLoading(puzzle), VariantOf(options->Solution));
    return Ok;
}

} // namespace Cli
