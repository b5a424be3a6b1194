// wabolex-cli generate: "Ö&ffnen", "&Generieren" and "&Speichern" without a window.
#include "app/cli/CliCommands.h"
#include "app/cli/CliNumbers.h"
#include "app/cli/PuzzleBatch.h"
#include "app/cli/PuzzleMaker.h"
#include "files/PuzzleFile.h"
#include "io/FileError.h"
#include "io/OutputFile.h"
#include "model/Cp1252.h"
#include "model/GenerationSettings.h"
#include "model/Generator.h"
#include "model/Puzzle.h"
#include "model/RandomSource.h"
#include "model/UserDialogs.h"
#include "model/WabolexError.h"
#include "model/WordIndex.h"
#include "vocabulary/VocabularyLoader.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace Cli {

namespace {

constexpr uint64_t MaxCount = 1000000;
constexpr uint64_t MaxJobs = 256;
constexpr uint64_t MaxTries = 100;

struct Options {
    fs::path Table;
    fs::path Output; // the puzzle file, or with Count the folder
    int32_t Columns = StartGridSide;
    int32_t Rows = StartGridSide;
    MakeOptions Make;
    std::optional<uint64_t> Seed;
    std::optional<uint64_t> Count; // a batch of puzzles with consecutive seeds
    std::optional<uint64_t> Jobs;
};

// Reads the command line; returns an error text for wrong usage, else empty.
std::string ParseOptions(const Args& args, Options& options) {
    bool wordGiven = false;
    bool noWordGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "-o" || arg == "--size" || arg == "--passes" || arg == "--solution-word" ||
            arg == "--seed" || arg == "--count" || arg == "--jobs" || arg == "--tries") {
            if (!hasValue) {
                return "Zur Angabe " + arg + " fehlt der Wert.";
            }
            const std::string& value = args[++i];
            if (arg == "-o") {
                options.Output = value;
            } else if (arg == "--size") {
                if (!ParseSize(value, options.Columns, options.Rows) ||
                    !IsGridSide(options.Columns) || !IsGridSide(options.Rows)) {
                    return "Die Größe muss SpaltenxZeilen sein, jeweils 5 bis 99, etwa 15x15.";
                }
            } else if (arg == "--passes") {
                uint64_t passes = 0;
                if (!ParseNumber(value, passes) ||
                    passes < MinimumPasses(MinGridSide, MinGridSide) || passes > MaxPasses) {
                    return "Die Zahl der Durchläufe muss zwischen 2 und 20 liegen.";
                }
                options.Make.Settings.Passes = static_cast<int32_t>(passes);
            } else if (arg == "--solution-word") {
                // The puzzle's character set must hold every letter, or the
                // search would look for '?'.
                if (const char32_t c = Cp1252::FirstWithoutForm(value); c != 0) {
                    return "Das Lösungswort enthält das Zeichen „" + Cp1252::Utf8Of(c) + "“ (" +
                           Cp1252::CodePointName(c) + "), das es in Windows-1252 nicht gibt.";
                }
                wordGiven = true;
                options.Make.Settings.SolutionWord = Cp1252::ToUpper(Cp1252::FromUtf8(value));
            } else if (arg == "--seed") {
                uint64_t seed = 0;
                if (!ParseNumber(value, seed)) {
                    return "Der Startwert (--seed) muss eine ganze Zahl ab 0 sein.";
                }
                options.Seed = seed;
            } else if (arg == "--count") {
                uint64_t count = 0;
                if (!ParseNumber(value, count) || count < 1 || count > MaxCount) {
                    return "Die Zahl der Rätsel (--count) muss zwischen 1 und 1000000 liegen.";
                }
                options.Count = count;
            } else if (arg == "--jobs") {
                uint64_t jobs = 0;
                if (!ParseNumber(value, jobs) || jobs < 1 || jobs > MaxJobs) {
                    return "Die Zahl der Aufträge (--jobs) muss zwischen 1 und 256 liegen.";
                }
                options.Jobs = jobs;
            } else {
                uint64_t tries = 0;
                if (!ParseNumber(value, tries) || tries < 1 || tries > MaxTries) {
                    return "Die Zahl der Versuche (--tries) muss zwischen 1 und 100 liegen.";
                }
                options.Make.Tries = static_cast<int32_t>(tries);
            }
        } else if (arg == "--reference-scan") {
            options.Make.ReferenceScan = true;
        } else if (arg == "--vary") {
            options.Make.Vary = true;
        } else if (arg == "--no-short-words") {
            options.Make.Settings.UseShortWords = false;
        } else if (arg == "--no-solution-word") {
            noWordGiven = true;
            options.Make.Settings.UseSolutionWord = false;
            options.Make.Settings.SolutionWord.clear();
        } else if (!arg.empty() && arg[0] == '-') {
            return "Unbekannte Angabe: " + arg;
        } else if (options.Table.empty()) {
            options.Table = arg;
        } else {
            return "Nur eine Wortschatztabelle kann angegeben werden: " + arg;
        }
    }
    if (options.Table.empty()) {
        return "Es fehlt die Wortschatztabelle.";
    }
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
    // The settings field takes at most 20 characters and refuses to be empty.
    const auto longest = static_cast<size_t>(MaxSolutionLength);
    if (options.Make.Settings.SolutionWord.size() > longest) {
        options.Make.Settings.SolutionWord.resize(longest);
    }
    if (options.Make.Settings.UseSolutionWord && options.Make.Settings.SolutionWord.empty()) {
        return "Das Lösungswort fehlt!!!";
    }
    // The settings dialog raises its lowest pass count with the grid's longer side.
    options.Make.Settings.Passes =
        std::max(options.Make.Settings.Passes, MinimumPasses(options.Columns, options.Rows));
    options.Make.Settings.ShowInsertions = false;
    return {};
}

// Loads the table and the short words beside it. A missing short-word table
// only matters when the short words are to be used.
bool LoadVocabulary(const Options& options, Puzzle& puzzle) {
    puzzle.SourceName.clear();
    try {
        VocabularyLoader::Load(options.Table, puzzle);
    } catch (const WabolexError& e) {
        // The loader names the puzzle after the table once the main words are in.
        const bool mainLoaded = !puzzle.SourceName.empty();
        if (!mainLoaded || options.Make.Settings.UseShortWords) {
            Error(e.what());
            if (mainLoaded) {
                const fs::path shortWords = VocabularyLoader::ShortWordTable(options.Table);
                Error(W("Ohne ") + FileError::NameOf(shortWords) +
                      W(" kann nur mit --no-short-words erzeugt werden."));
            }
            return false;
        }
    }
    return true;
}

// Writing the puzzle over one of the tables it is made from would destroy that table.
bool OverwritesATable(const Options& options) {
    std::error_code ec;
    if (!fs::exists(options.Output, ec)) {
        return false;
    }
    const fs::path shortWords = VocabularyLoader::ShortWordTable(options.Table);
    return fs::equivalent(options.Output, options.Table, ec) ||
           fs::equivalent(options.Output, shortWords, ec);
}

} // namespace

int Generate(const Args& args) {
    Options options;
    std::string usage = ParseOptions(args, options);
    if (usage.empty() && !options.Count && OverwritesATable(options)) {
        usage = "Die Rätseldatei darf keine der Wortschatztabellen überschreiben.";
    }
    if (!usage.empty()) {
        return UsageError(usage);
    }
    // A target that cannot be written is reported before the generation runs.
    if (!options.Count) {
        OutputFile::Check(options.Output, W("Die Rätseldatei"));
    }

    Puzzle vocabulary;
    vocabulary.ResizeGrid(options.Columns, options.Rows);
    vocabulary.ResetGrid();
    if (!LoadVocabulary(options, vocabulary)) {
        return Failure;
    }
    // The window's "no table chosen" message would puzzle a user who named one.
    if (vocabulary.WordCount == 0) {
        Error(W("Die Wortschatztabelle ") + vocabulary.SourceName + W(" enthält keine Begriffe."));
        return Failure;
    }

    // Made once and shared by every job; a run with --vary makes its own.
    if (!options.Make.Vary) {
        vocabulary.VocabularyIndex =
            std::make_shared<const WordIndex>(vocabulary.WordList, vocabulary.WordCount);
    }

    if (options.Count) {
        BatchOptions batch;
        batch.Folder = options.Output;
        batch.Base = options.Table.stem().string();
        batch.Count = *options.Count;
        batch.Jobs = options.Jobs ? static_cast<unsigned>(*options.Jobs) : 0;
        if (options.Seed) {
            batch.FirstSeed = *options.Seed;
        } else {
            // Drawn so that the seeds of the batch stay whole numbers; printed
            // so that any of its puzzles can be made again.
            batch.FirstSeed = RandomSource::ClockSeed() % (uint64_t{1} << 62);
            Out("Erster Startwert: " + std::to_string(batch.FirstSeed));
        }
        return RunBatch(vocabulary, options.Make, batch);
    }

    PuzzleMaker maker(std::move(vocabulary), options.Make);
    const MadePuzzle made = maker.Make(options.Seed.value_or(RandomSource::ClockSeed()));
    for (const std::string& message : made.Messages) {
        Error(message);
    }
    if (made.Outcome == GenerationOutcome::NotRun) {
        return Failure;
    }
    PuzzleFile::SaveLines(options.Output, made.Lines);
    return made.Outcome == GenerationOutcome::Generated ? Ok : Failure;
}

} // namespace Cli
