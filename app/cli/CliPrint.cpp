// wabolex-cli print: the print job of the puzzle or its solution as a PDF file
// whose printable area is the whole page.
#include "app/cli/CliCommands.h"
#include "app/cli/CliPuzzleOutput.h"
#include "files/PrintJob.h"
#include "io/FilePaths.h"

#include <QPageSize>

#include <optional>
#include <string>

namespace Cli {

int Print(const Command& command, const Args& args) {
    OutputArgs options;
    QPageSize::PageSizeId paper = QPageSize::A4;
    CommandLine line(command);
    OutputOptions(line, options).Value("--paper", [&paper](const std::string& value) {
        const std::optional<Paper> known = PaperNamed(value);
        if (!known) {
            return "Das Papierformat (--paper) ist A4 oder Letter: " + value;
        }
        paper = *known == Paper::Letter ? QPageSize::Letter : QPageSize::A4;
        return std::string();
    });
    if (const std::optional<int> status = ParseOutputArgs(line, args, options)) {
        return *status;
    }
    if (!HasExtension(options.Output, ".pdf")) {
        return line.Refuse("Die PDF-Datei braucht einen Namen mit der Endung .pdf: " +
                           options.Output);
    }
    if (FilePaths::Same(options.Output, options.Puzzle)) {
        return line.Refuse("Die PDF-Datei darf die Rätseldatei nicht überschreiben.");
    }
    const auto application = OffscreenApplication();
    const Puzzle puzzle = LoadPuzzle(options.Puzzle);
    PrintJob::PrintToPdf(options.Output, QPageSize(paper), puzzle,
                         CaptionAfterLoading(options.Puzzle), options.Variant);
    return Ok;
}

} // namespace Cli

extern "C" int WabolexCliPrint(const Cli::Command& command, const Cli::Args& args) {
    return Cli::Guarded([&] { return Cli::Print(command, args); });
}
