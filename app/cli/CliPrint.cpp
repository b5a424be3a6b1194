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

// A4 unless --paper names another size; nullopt for a size it does not know.
std::optional<QPageSize::PageSizeId> PaperOf(const OutputArgs& options) {
    const auto given = options.Values.find("--paper");
    if (given == options.Values.end()) {
        return QPageSize::A4;
    }
    const std::string& name = given->second;
    if (name == "A4" || name == "a4") {
        return QPageSize::A4;
    }
    if (name == "Letter" || name == "letter") {
        return QPageSize::Letter;
    }
    return std::nullopt;
}

} // namespace

int Print(const Args& args) {
    const std::optional<OutputArgs> options = ParseOutputArgs(args, {"--paper"});
    const std::optional<QPageSize::PageSizeId> paper = options ? PaperOf(*options) : std::nullopt;
    if (!paper) {
        return UsageError(kUsage);
    }
    if (SameFile(options->Output, options->Puzzle)) {
        return UsageError("Die PDF-Datei darf die Rätseldatei nicht überschreiben.");
    }
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options->Puzzle);
    PrintJob::PrintToPdf(QString::fromStdString(options->Output), QPageSize(*paper), puzzle,
                         CaptionAfterLoading(puzzle), options->Variant);
    return Ok;
}

} // namespace Cli
