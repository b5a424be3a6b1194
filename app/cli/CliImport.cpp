// wabolex-cli import: a vocabulary table from a text or an OpenThesaurus file.
#include "app/cli/CliCommands.h"
#include "app/cli/CliNumbers.h"
#include "io/FileError.h"
#include "io/InputFile.h"
#include "io/OutputFile.h"
#include "model/Cp1252.h"
#include "model/WabolexError.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/ThesaurusImport.h"
#include "vocabulary/VocabularyRules.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace Cli {

namespace {

constexpr size_t ShortestWord = 2;
constexpr size_t LongestShortWord = 4;
constexpr size_t LongestWord = 15;

struct ImportOptions {
    fs::path Input;
    fs::path Output;
    bool Thesaurus = false;
    size_t Shortest = ShortestWord;
    size_t Longest = LongestWord;
    bool LengthsGiven = false;
    std::vector<fs::path> KnownWords;
    std::vector<fs::path> Rankings;
};

std::string ParseImportOptions(const Args& args, ImportOptions& options) {
    bool inputGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue =
            arg == "-o" || arg == "--lengths" || arg == "--known-words" || arg == "--ranking";
        if (takesValue && (i + 1 >= args.size() || args[i + 1].empty())) {
            return "Zur Angabe " + arg + " fehlt der Wert.";
        }
        if (arg == "-o") {
            options.Output = args[++i];
        } else if (arg == "--thesaurus") {
            options.Thesaurus = true;
        } else if (arg == "--short-words" || arg == "--lengths") {
            if (options.LengthsGiven) {
                return "--short-words und --lengths gehen nur einmal.";
            }
            options.LengthsGiven = true;
            if (arg == "--short-words") {
                options.Longest = LongestShortWord;
            } else if (!ParseLengths(args[++i], options.Shortest, options.Longest) ||
                       options.Longest > LongestWord) {
                return "--lengths erwartet VON-BIS mit 1 <= VON <= BIS <= 15: " + args[i];
            }
        } else if (arg == "--known-words") {
            options.KnownWords.push_back(args[++i]);
        } else if (arg == "--ranking") {
            options.Rankings.push_back(args[++i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "Unbekannte Angabe: " + arg;
        } else if (inputGiven) {
            return "Nur eine Eingabedatei ist erlaubt: " + arg;
        } else {
            options.Input = arg;
            inputGiven = true;
        }
    }
    if (!inputGiven || options.Input.empty()) {
        return "Es fehlt die Eingabedatei.";
    }
    if (options.Output.empty()) {
        return "Es fehlt die Zieltabelle (-o TABELLE.db).";
    }
    if (!options.Thesaurus && (!options.KnownWords.empty() || !options.Rankings.empty())) {
        return "--known-words und --ranking gelten nur mit --thesaurus.";
    }
    std::error_code ec;
    if (fs::equivalent(options.Input, options.Output, ec)) {
        return "Die Zieltabelle darf nicht die Eingabedatei sein.";
    }
    return {};
}

// A word list for the lexicon: read whole, within a size no word list reaches.
std::string ReadList(const fs::path& file) {
    constexpr uint64_t kLargestList = 64 * 1024 * 1024;
    InputFile in(file);
    return in.ReadAll(kLargestList);
}

// Reads the input line by line into entries; what was left out goes into the result.
ImportResult ReadInput(const ImportOptions& options) {
    Lexicon lexicon;
    ThesaurusImport::Options thesaurus;
    if (options.Thesaurus) {
        for (const fs::path& list : options.KnownWords) {
            lexicon.AddKnownWords(ReadList(list));
        }
        for (const fs::path& list : options.Rankings) {
            lexicon.AddRanking(ReadList(list));
        }
        thesaurus.MinLength = options.Shortest;
        thesaurus.MaxLength = options.Longest;
        thesaurus.Banned = &VocabularyRules::BanList::Shipped();
        thesaurus.NotAnswers = &ThesaurusImport::ShippedNotAnswers();
        if (lexicon.HasKnownWords() || lexicon.HasRanking()) {
            thesaurus.Words = &lexicon;
        }
    }
    ImportResult result;
    ThesaurusImport::Importer importer(thesaurus);
    TextImport::ReadLines(
        options.Input,
        [&](std::string_view line, size_t number) {
            if (options.Thesaurus) {
                importer.AddLine(line);
            } else {
                TextImport::AddLine(line, number, result);
            }
        },
        result);
    if (options.Thesaurus) {
        result.Records = importer.Finish();
    }
    if (options.LengthsGiven && !options.Thesaurus) {
        std::erase_if(result.Records, [&](const VocabularyRecord& r) {
            return r.Word.size() < options.Shortest || r.Word.size() > options.Longest;
        });
    }
    return result;
}

} // namespace

int Import(const Args& args) {
    ImportOptions options;
    if (const std::string problem = ParseImportOptions(args, options); !problem.empty()) {
        return UsageError(problem);
    }
    // A target that cannot be written is named before the input is read.
    OutputFile::Check(options.Output, W("Die Tabelle"));
    const ImportResult input = ReadInput(options);
    const std::string inputName = FileError::NameOf(options.Input);
    for (const std::string& warning : input.Warnings) {
        Error(inputName + ", " + warning);
    }
    if (input.Records.empty()) {
        Error(W("In ") + inputName + W(" steht kein Eintrag für die Tabelle; ") +
              FileError::NameOf(options.Output) + W(" wurde nicht geschrieben."));
        return Failure;
    }
    // The thesaurus gives its words most common first, for the generator to
    // meet in that order; a word list is kept by word, as a keyed table.
    const size_t written = ParadoxWriter::WriteVocabulary(
        options.Output, input.Records,
        options.Thesaurus ? ParadoxWriter::Order::AsGiven : ParadoxWriter::Order::ByWord);
    Out(std::to_string(written) + (written == 1 ? W(" Eintrag in ") : W(" Einträge in ")) +
        FileError::NameOf(options.Output) + W(" geschrieben, ") +
        std::to_string(input.SkippedLines) +
        (input.SkippedLines == 1 ? W(" Zeile übergangen.") : W(" Zeilen übergangen.")));
    return Ok;
}

} // namespace Cli
