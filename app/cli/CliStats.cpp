// wabolex-cli stats: the statistics window's labels and values, one a line,
// and the score by which the best of several tries is kept.
#include "app/cli/CliCommands.h"
#include "app/cli/CommandLine.h"
#include "base/Cp1252.h"
#include "files/PuzzleFile.h"
#include "model/Puzzle.h"
#include "model/PuzzleScore.h"
#include "model/PuzzleStatistics.h"
#include "session/Messages.h"
#include "vocabulary/ShippedCommonWords.h"

#include <optional>
#include <string>

namespace Cli {

namespace {

constexpr Form kForms[] = {
    {R"(wabolex-cli stats RAETSEL.wbx)",
     R"(Zeigt die Statistik des Rätsels und in der achten Zeile seine Bewertung:
Lösungswort gefunden (oder keins verlangt), dann weniger schwarze Felder,
der Anteil der Antworten unter den 20 000 häufigsten Wörtern (nach den
Häufigkeitslisten, aus denen Allgemein.db entsteht; für jede Tabelle
dieselbe Liste), mehr Überschneidungen, weniger Antworten mit 2 Buchstaben.)"},
};

} // namespace

int Stats(const Args& args) {
    std::string file;
    CommandLine line(StatsCommand);
    line.Operand(file, "Es fehlt die Rätseldatei.", "Nur eine Rätseldatei ist erlaubt: ");
    if (const std::optional<int> status = line.Parse(args)) {
        return *status;
    }
    Puzzle puzzle;
    const PuzzleFileContents contents = PuzzleFile::Read(file);
    PuzzleFile::Apply(contents, puzzle);
    const PuzzleStatistics statistics = PuzzleStatistics::Count(puzzle);

    Out("Zeilenanzahl: " + std::to_string(statistics.Rows));
    Out("Spaltenanzahl: " + std::to_string(statistics.Columns));
    Out(W("Überschneidungen: ") + std::to_string(statistics.Crossings));
    Out("in Prozenten: " + Messages::Percent(statistics));
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
    Out("Bewertung: " + Messages::Score(PuzzleScore::Of(puzzle, word, &ShippedCommonWords())));
    return Ok;
}

const Command StatsCommand{"stats", kForms, Stats};

} // namespace Cli
