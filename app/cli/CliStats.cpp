// wabolex-cli stats: the statistics window's labels and values, one a line.
#include "app/cli/CliCommands.h"
#include "files/PuzzleFile.h"
#include "model/Cp1252.h"
#include "model/Puzzle.h"
#include "model/PuzzleStatistics.h"

#include <string>

namespace Cli {

int Stats(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        return UsageError("Aufruf: wabolex-cli stats RAETSEL.wbx");
    }
    Puzzle puzzle;
    PuzzleFile::Apply(PuzzleFile::Read(args[0]), puzzle);
    const PuzzleStatistics statistics = PuzzleStatistics::Count(puzzle);

    Out("Zeilenanzahl: " + std::to_string(statistics.Rows));
    Out("Spaltenanzahl: " + std::to_string(statistics.Columns));
    Out(W("Überschneidungen: ") + std::to_string(statistics.Crossings));
    Out("in Prozenten: " + statistics.PercentText());
    Out("schwarze Felder: " + std::to_string(statistics.BlackCells));
    Out("waagerechte Worte: " + std::to_string(statistics.AcrossWords));
    Out("senkrechte Worte: " + std::to_string(statistics.DownWords));
    return Ok;
}

} // namespace Cli
