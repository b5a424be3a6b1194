// wabolex-cli stats: the statistics window's labels and values, one a line,
// and the score by which the best of several tries is kept.
#include "app/cli/CliCommands.h"
#include "files/PuzzleFile.h"
#include "model/Cp1252.h"
#include "model/Puzzle.h"
#include "model/PuzzleScore.h"
#include "model/PuzzleStatistics.h"

#include <string>

namespace Cli {

int Stats(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        return UsageError("Aufruf: wabolex-cli stats RAETSEL.wbx");
    }
    Puzzle puzzle;
    const PuzzleFileContents contents = PuzzleFile::Read(args[0]);
    PuzzleFile::Apply(contents, puzzle);
    const PuzzleStatistics statistics = PuzzleStatistics::Count(puzzle);

    Out("Zeilenanzahl: " + std::to_string(statistics.Rows));
    Out("Spaltenanzahl: " + std::to_string(statistics.Columns));
    Out(W("Überschneidungen: ") + std::to_string(statistics.Crossings));
    Out("in Prozenten: " + statistics.PercentText());
    Out("schwarze Felder: " + std::to_string(statistics.BlackCells));
    Out("waagerechte Worte: " + std::to_string(statistics.AcrossWords));
    Out("senkrechte Worte: " + std::to_string(statistics.DownWords));
    // A file names its solution word when one was asked for; its marks are
    // set only when the word was placed.
    PuzzleScore::SolutionWord word = PuzzleScore::SolutionWord::NotAsked;
    if (contents.SolutionWord) {
        word = contents.Marks[0].Column >= 0 ? PuzzleScore::SolutionWord::Placed
                                             : PuzzleScore::SolutionWord::NotFound;
    }
    Out("Bewertung: " + PuzzleScore::Of(puzzle, word).Text());
    return Ok;
}

} // namespace Cli
