// wabolex-cli generate: "Ö&ffnen", "&Generieren" and "&Speichern" without a window.
#include "app/cli/CliCommands.h"
#include "app/cli/CliNumbers.h"
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
#include "vocabulary/VocabularyLoader.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace Cli {

namespace {

// Asks nothing: every proposal is accepted, messages go to stderr.
class SilentDialogs : public AcceptingDialogs {
public:
    void ShowError(const std::string& text) override { Report(text); }
    void ShowRetryError(const std::string& text) override { Report(text); }

    int Messages() const { return messages_; }

private:
    void Report(const std::string& text) {
        Error(text);
        ++messages_;
    }
    int messages_ = 0;
};

struct Options {
    fs::path Table;
    fs::path Output;
    int32_t Columns = StartGridSide;
    int32_t Rows = StartGridSide;
    GenerationSettings Settings;
    std::optional<uint64_t> Seed;
    bool ReferenceScan = false;
};

// Reads the command line; returns an error text for wrong usage, else empty.
std::string ParseOptions(const Args& args, Options& options) {
    bool wordGiven = false;
    bool noWordGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "-o" || arg == "--size" || arg == "--passes" || arg == "--solution-word" ||
            arg == "--seed") {
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
                options.Settings.Passes = static_cast<int32_t>(passes);
            } else if (arg == "--solution-word") {
                // The puzzle's character set must hold every letter, or the
                // search would look for '?'.
                if (const char32_t c = Cp1252::FirstWithoutForm(value); c != 0) {
                    return "Das Lösungswort enthält das Zeichen „" + Cp1252::Utf8Of(c) + "“ (" +
                           Cp1252::CodePointName(c) + "), das es in Windows-1252 nicht gibt.";
                }
                wordGiven = true;
                options.Settings.SolutionWord = Cp1252::ToUpper(Cp1252::FromUtf8(value));
            } else {
                uint64_t seed = 0;
                if (!ParseNumber(value, seed)) {
                    return "Der Startwert (--seed) muss eine ganze Zahl ab 0 sein.";
                }
                options.Seed = seed;
            }
        } else if (arg == "--reference-scan") {
            options.ReferenceScan = true;
        } else if (arg == "--no-short-words") {
            options.Settings.UseShortWords = false;
        } else if (arg == "--no-solution-word") {
            noWordGiven = true;
            options.Settings.UseSolutionWord = false;
            options.Settings.SolutionWord.clear();
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
        return "Es fehlt die Rätseldatei (-o RAETSEL.wbx).";
    }
    if (wordGiven && noWordGiven) {
        return "--solution-word und --no-solution-word schließen sich aus.";
    }
    // The settings field takes at most 20 characters and refuses to be empty.
    const auto longest = static_cast<size_t>(MaxSolutionLength);
    if (options.Settings.SolutionWord.size() > longest) {
        options.Settings.SolutionWord.resize(longest);
    }
    if (options.Settings.UseSolutionWord && options.Settings.SolutionWord.empty()) {
        return "Das Lösungswort fehlt!!!";
    }
    // The settings dialog raises its lowest pass count with the grid's longer side.
    options.Settings.Passes =
        std::max(options.Settings.Passes, MinimumPasses(options.Columns, options.Rows));
    options.Settings.ShowInsertions = false;
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
        if (!mainLoaded || options.Settings.UseShortWords) {
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
    if (usage.empty() && OverwritesATable(options)) {
        usage = "Die Rätseldatei darf keine der Wortschatztabellen überschreiben.";
    }
    if (!usage.empty()) {
        return UsageError(usage);
    }
    // A target that cannot be written is reported before the generation runs.
    OutputFile::Check(options.Output, W("Die Rätseldatei"));

    Puzzle puzzle;
    puzzle.ResizeGrid(options.Columns, options.Rows);
    puzzle.ResetGrid();
    if (!LoadVocabulary(options, puzzle)) {
        return Failure;
    }
    // The window's "no table chosen" message would puzzle a user who named one.
    if (puzzle.WordCount == 0) {
        Error(W("Die Wortschatztabelle ") + puzzle.SourceName + W(" enthält keine Begriffe."));
        return Failure;
    }

    SilentDialogs dialogs;
    RandomSource random(options.Seed.value_or(RandomSource::ClockSeed()));
    Generator generator(puzzle, dialogs, random);
    generator.UseReferenceScan(options.ReferenceScan);
    const GenerationOutcome outcome = generator.RGenerieren(options.Settings);
    if (outcome == GenerationOutcome::NotRun) {
        if (dialogs.Messages() == 0) {
            Error(W("Es wurde kein Rätsel erzeugt."));
        }
        return Failure;
    }
    if (outcome == GenerationOutcome::SolutionWordNotFound) {
        if (dialogs.Messages() == 0) {
            Error(W("Lösungswort ") + options.Settings.SolutionWord + " NICHT gefunden");
        }
        // The search leaves the cells of the letters it did find in the marks;
        // the puzzle is kept, but without a partial marking.
        puzzle.ClearSolutionMarks();
        puzzle.SolutionWordShown = false;
    }
    puzzle.SolutionWord = options.Settings.SolutionWord;
    PuzzleFile::Save(options.Output, puzzle, options.Settings.UseSolutionWord);
    return outcome == GenerationOutcome::Generated ? Ok : Failure;
}

} // namespace Cli
