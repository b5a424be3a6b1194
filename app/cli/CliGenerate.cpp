// wabolex-cli generate: "Ö&ffnen", "&Generieren" and "&Speichern" without a window.
#include "app/cli/CliCommands.h"
#include "app/cli/CliNumbers.h"
#include "app/cli/CliPaths.h"
#include "app/cli/CommandLine.h"
#include "app/cli/PuzzleBatch.h"
#include "app/cli/PuzzleMaker.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/PuzzleFile.h"
#include "io/FileError.h"
#include "io/FilePaths.h"
#include "io/OutputFile.h"
#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"
#include "model/WordIndex.h"
#include "vocabulary/ShippedCommonWords.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/VocabularyCache.h"
#include "vocabulary/VocabularyLoader.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace Cli {

namespace {

struct Options {
    // The most that --count, --jobs and --tries take.
    static constexpr uint64_t MaxCount = 1000000;
    static constexpr uint64_t MaxJobs = 256;
    static constexpr uint64_t MaxTries = 100;

    fs::path Table;
    fs::path Output; // the puzzle file, or with Count the folder
    MakeOptions Make;
    std::optional<uint64_t> Seed;
    std::optional<uint64_t> Count; // a batch of puzzles with consecutive seeds
    std::optional<uint64_t> Jobs;
};

// Loads the table and the short words beside it; nullptr after a message.
// A missing short-word table only matters when the short words are to be used.
// Tables loaded before come from the user's cache folder.
std::shared_ptr<const Vocabulary> LoadVocabulary(const Options& options) {
    const VocabularyCache cache(VocabularyCache::UserFolder());
    // Only a vocabulary built anew needs megabytes of fresh memory.
    if (!cache.Holds(options.Table)) {
        PrepareHeap();
    }
    const LoadedVocabulary loaded = VocabularyLoader::Load(options.Table, &cache);
    if (loaded.ShortWordsProblem && options.Make.Settings.UseShortWords) {
        Error(*loaded.ShortWordsProblem);
        const fs::path shortWords = VocabularyLoader::ShortWordTable(options.Table);
        Error(W("Ohne ") + FileError::NameOf(shortWords) +
              W(" kann nur mit --no-short-words erzeugt werden."));
        return nullptr;
    }
    // The window's "no table chosen" message would puzzle a user who named one.
    if (loaded.Words->WordCount() == 0) {
        Error(W("Die Wortschatztabelle ") + loaded.SourceName + W(" enthält keine Begriffe."));
        return nullptr;
    }
    return loaded.Words;
}

// The tables a puzzle is made from; writing it over one would destroy it.
std::vector<fs::path> Tables(const Options& options) {
    return {options.Table, VocabularyLoader::ShortWordTable(options.Table)};
}

bool OverwritesATable(const Options& options) {
    const std::vector<fs::path> tables = Tables(options);
    return std::any_of(tables.begin(), tables.end(), [&](const fs::path& table) {
        return FilePaths::Same(options.Output, table);
    });
}

// Why the solution word could never be placed or read back as it was
// given, or empty: it is searched letter by letter among the grid's
// letters, at most 20, and a file names "no solution word" with "*".
std::string SolutionWordProblem(const std::string& cp1252) {
    if (cp1252.find_first_not_of(' ') == std::string::npos) {
        return cp1252.empty() ? "Das Lösungswort fehlt!!!"
                              : "Das Lösungswort besteht nur aus Leerzeichen.";
    }
    for (const char c : cp1252) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F) {
            return "Das Lösungswort enthält das Steuerzeichen " + Cp1252::CodePointName(code) + ".";
        }
        if (!TextImport::IsLetter(c)) {
            return "Das Lösungswort darf nur Buchstaben enthalten, nicht „" +
                   Cp1252::ToUtf8(std::string(1, c)) + "“.";
        }
    }
    const auto longest = static_cast<size_t>(MaxSolutionLength);
    if (cp1252.size() > longest) {
        return "Das Lösungswort hat " + std::to_string(cp1252.size()) + " Buchstaben, höchstens " +
               std::to_string(longest) + " sind möglich.";
    }
    return {};
}

// What the options say together; the reason they do not fit, or empty.
std::string Check(Options& options, bool wordGiven, bool noWordGiven) {
    if (options.Output.empty()) {
        return options.Count ? "Es fehlt der Ordner für die Rätsel (-o ORDNER)."
                             : "Es fehlt die Rätseldatei (-o RAETSEL.wbx).";
    }
    if (options.Jobs && !options.Count) {
        return "--jobs gilt nur zusammen mit --count.";
    }
    if (options.Count && options.Seed &&
        *options.Seed > std::numeric_limits<uint64_t>::max() - (*options.Count - 1)) {
        return "Die Startwerte von --seed bis --seed + --count - 1 müssen ganze Zahlen bleiben.";
    }
    if (wordGiven && noWordGiven) {
        return "--solution-word und --no-solution-word schließen sich aus.";
    }
    if (options.Make.Settings.UseSolutionWord) {
        if (std::string problem = SolutionWordProblem(options.Make.Settings.SolutionWord);
            !problem.empty()) {
            return problem;
        }
    }
    if (!options.Count && OverwritesATable(options)) {
        return "Die Rätseldatei darf keine der Wortschatztabellen überschreiben.";
    }
    if (!options.Count && !HasExtension(options.Output, ".wbx")) {
        return IsOnlyExtension(options.Output)
                   ? OnlyExtensionReason(options.Output)
                   : "Die Rätseldatei braucht einen Namen mit der Endung .wbx: " +
                         options.Output.string();
    }
    // The settings dialog raises its lowest pass count with the grid's longer side.
    options.Make.Settings.Passes = std::max(options.Make.Settings.Passes,
                                            MinimumPasses(options.Make.Columns, options.Make.Rows));
    options.Make.Settings.ShowInsertions = false;
    // The common words weight --vary's draw and decide between tries; a plain
    // run reads none of them, and their list takes longer to read than a
    // small puzzle to make.
    if (options.Make.Vary || options.Make.Tries > 1) {
        options.Make.Common = &ShippedCommonWords();
    }
    return {};
}

constexpr Form kForms[] = {
    {R"(wabolex-cli generate TABELLE.db -o RAETSEL.wbx [--size SxZ] [--passes N]
    [--no-short-words] [--solution-word WORT | --no-solution-word] [--seed N]
    [--tries K] [--vary] [--reference-scan])",
     R"(Lädt die Tabelle (mit "Kurzwörter2004.DB" daneben), erzeugt ein Rätsel ohne
Rückfragen und speichert es. Vorgaben: 15x15, 4 Durchläufe, Kurzwörter an,
Lösungswort HOCHZEITSTAG. Ohne --seed wird der Startwert aus der Uhr gezogen.
--tries K   erzeugt K Kandidaten und behält den besten (K = 1 bis 100): der
            erste mit dem Startwert S selbst (--tries 1 ist also ein
            gewöhnlicher Lauf), Kandidat k = 2..K mit dem Startwert
            splitmix64(splitmix64(S) + k - 1). Besser ist, der Reihe nach:
            Lösungswort gefunden (oder keins verlangt), weniger schwarze
            Felder, ein höherer Anteil der Antworten unter den 20 000
            häufigsten Wörtern, mehr Überschneidungen, weniger Antworten mit
            2 Buchstaben; bei Gleichstand bleibt der frühere Kandidat.
--vary      bringt vor jedem Lauf die Wörter jeder Länge in eine neue
            Reihenfolge, gezogen aus dem Startwert des Laufs (die Einträge
            eines Worts bleiben beieinander), statt der Reihenfolge der
            Tabelle: die Suche trifft so in jedem Rätsel auf andere Wörter.
            Gezogen wird gewichtet, Platz für Platz unter den übrigen
            Wörtern: ein Wort unter den 1000 häufigsten mit Gewicht 12, bis
            3000 mit 8, bis 10 000 mit 4, bis 20 000 mit 2, jedes andere
            mit 1. Häufige Wörter kommen so öfter früh, seltene seltener.
            Mit demselben Startwert entsteht dasselbe Rätsel.
--reference-scan prüft für jeden Begriff jede Position im Gitter, statt die
            Plätze über das Wortverzeichnis zu suchen: die langsame
            Referenz, die mit demselben --seed genau dasselbe Rätsel ergeben
            muss.)"},
    {R"(wabolex-cli generate TABELLE.db -o ORDNER --count N [--jobs J] [--seed N] ...)",
     R"(Erzeugt N Rätsel (N = 1 bis 1000000) mit den Startwerten S bis S+N-1 als
ORDNER/<Tabelle>-<Startwert>.wbx, etwa Allgemein-17.wbx; jede Datei gleicht
Byte für Byte der eines einzelnen Aufrufs mit ihrem Startwert und denselben
Angaben. Ohne --seed wird S gezogen und ausgegeben. Die Tabelle wird einmal
geladen; J Aufträge (Vorgabe: einer je Prozessorkern) arbeiten parallel, bei
großen Gittern und Tabellen höchstens so viele, wie der Speicher fasst.
Der Ordner wird bei Bedarf angelegt; steht eine Datei im Weg, wird nichts
erzeugt. Auf einem Terminal zeigt stderr einen Fortschrittsbalken; am Ende
steht auf stdout eine Zeile mit Rätseln, Zeit und Rätseln je Sekunde.)"},
};

// Reads the command line into the options; nullopt when the command goes on,
// else the status to exit with.
std::optional<int> ParseOptions(const Args& args, Options& options) {
    std::string table;
    std::optional<uint64_t> passes;
    std::optional<uint64_t> tries;
    bool wordGiven = false;
    bool noWordGiven = false;
    CommandLine line(GenerateCommand);
    line.Operand(table, "Es fehlt die Wortschatztabelle.",
                 "Nur eine Wortschatztabelle kann angegeben werden: ")
        .Value("-o", Store(options.Output))
        .Value("--size",
               [&](const std::string& value) -> std::string {
                   if (!ParseSize(value, options.Make.Columns, options.Make.Rows) ||
                       !IsGridSide(options.Make.Columns) || !IsGridSide(options.Make.Rows)) {
                       return "Die Größe muss SpaltenxZeilen sein, jeweils 5 bis 99, etwa 15x15.";
                   }
                   return {};
               })
        .Value("--passes",
               NumberIn(MinimumPasses(MinGridSide, MinGridSide), MaxPasses,
                        "Die Zahl der Durchläufe muss zwischen 2 und 20 liegen.", passes))
        .Value("--solution-word",
               [&](const std::string& value) -> std::string {
                   // The puzzle's character set must hold every letter, or the
                   // search would look for '?'.
                   if (const char32_t c = Cp1252::FirstWithoutForm(value); c != 0) {
                       return "Das Lösungswort enthält das Zeichen „" + Cp1252::Utf8Of(c) + "“ (" +
                              Cp1252::CodePointName(c) + "), das es in Windows-1252 nicht gibt.";
                   }
                   wordGiven = true;
                   options.Make.Settings.SolutionWord = Cp1252::ToUpper(Cp1252::FromUtf8(value));
                   return {};
               })
        .EmptyAllowed()
        .Flag("--no-solution-word", Set(noWordGiven))
        .Value("--seed",
               NumberIn(0, std::numeric_limits<uint64_t>::max(),
                        "Der Startwert (--seed) muss eine ganze Zahl ab 0 sein.", options.Seed))
        .Value("--count",
               NumberIn(1, Options::MaxCount,
                        "Die Zahl der Rätsel (--count) muss zwischen 1 und 1000000 liegen.",
                        options.Count))
        .Value("--jobs", NumberIn(1, Options::MaxJobs,
                                  "Die Zahl der Aufträge (--jobs) muss zwischen 1 und 256 liegen.",
                                  options.Jobs))
        .Value("--tries",
               NumberIn(1, Options::MaxTries,
                        "Die Zahl der Versuche (--tries) muss zwischen 1 und 100 liegen.", tries))
        .Flag("--reference-scan", Set(options.Make.ReferenceScan))
        .Flag("--vary", Set(options.Make.Vary))
        .Flag("--no-short-words", [&](const std::string&) {
            options.Make.Settings.UseShortWords = false;
            return std::string();
        });
    if (const std::optional<int> status = line.Parse(args)) {
        return status;
    }
    options.Table = table;
    if (passes) {
        options.Make.Settings.Passes = static_cast<int32_t>(*passes);
    }
    if (tries) {
        options.Make.Tries = static_cast<int32_t>(*tries);
    }
    if (noWordGiven) {
        options.Make.Settings.UseSolutionWord = false;
        options.Make.Settings.SolutionWord.clear();
    }
    const std::string reason = Check(options, wordGiven, noWordGiven);
    if (!reason.empty()) {
        return line.Refuse(reason);
    }
    return std::nullopt;
}

} // namespace

int Generate(const Args& args) {
    Options options;
    if (const std::optional<int> status = ParseOptions(args, options)) {
        return *status;
    }
    // A target that cannot be written is reported before the generation runs.
    if (!options.Count) {
        OutputFile::Check(options.Output, W("Die Rätseldatei"));
    }

    const std::shared_ptr<const Vocabulary> words = LoadVocabulary(options);
    if (!words) {
        return Failure;
    }
    if (options.Count) {
        BatchOptions batch;
        batch.Folder = options.Output;
        batch.Base = options.Table.stem().string();
        batch.Count = *options.Count;
        batch.Jobs = options.Jobs ? static_cast<unsigned>(*options.Jobs) : 0;
        batch.Inputs = Tables(options);
        if (options.Seed) {
            batch.FirstSeed = *options.Seed;
        } else {
            // Drawn so that the seeds of the batch stay whole numbers; printed
            // so that any of its puzzles can be made again.
            batch.FirstSeed = RandomSource::ClockSeed() % (uint64_t{1} << 62);
            Out("Erster Startwert: " + std::to_string(batch.FirstSeed));
        }
        return RunBatch(*words, options.Make, batch);
    }

    if (!options.Seed) {
        // Drawn from the clock and printed, so that the puzzle can be made again.
        options.Seed = RandomSource::ClockSeed();
        Error(W("Startwert: ") + std::to_string(*options.Seed));
    }
    PuzzleMaker maker(*words, options.Make);
    const MadePuzzle made = maker.Make(*options.Seed);
    for (const std::string& message : made.Messages) {
        Error(message);
    }
    if (made.Outcome == MadePuzzle::Result::NotMade) {
        return Failure;
    }
    PuzzleFile::SaveLines(options.Output, made.Lines);
    return made.Outcome == MadePuzzle::Result::Made ? Ok : WithoutSolutionWord;
}

const Command GenerateCommand{"generate", kForms, Generate, true};

} // namespace Cli
