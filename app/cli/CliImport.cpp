// wabolex-cli import: a vocabulary table from a text or an OpenThesaurus file.
#include "app/cli/CliCommands.h"
#include "app/cli/CliNumbers.h"
#include "app/cli/CommandLine.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"
#include "io/FilePaths.h"
#include "io/InputFile.h"
#include "io/OutputFile.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/ReviewedClues.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/ThesaurusImport.h"
#include "vocabulary/VocabularyRules.h"

#include <algorithm>
#include <filesystem>
#include <optional>
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

// What the options say together; the reason they do not fit, or empty.
std::string Check(const ImportOptions& options) {
    if (options.Output.empty()) {
        return "Es fehlt die Zieltabelle (-o TABELLE.db).";
    }
    if (!options.Thesaurus && (!options.KnownWords.empty() || !options.Rankings.empty())) {
        return "--known-words und --ranking gelten nur mit --thesaurus.";
    }
    // Writing the table over one of the files it is read from would destroy it.
    if (FilePaths::Same(options.Input, options.Output)) {
        return "Die Zieltabelle darf nicht die Eingabedatei sein.";
    }
    for (const auto* lists : {&options.KnownWords, &options.Rankings}) {
        for (const fs::path& list : *lists) {
            if (FilePaths::Same(list, options.Output)) {
                return "Die Zieltabelle darf keine der Wortlisten sein: " + list.string();
            }
        }
    }
    return {};
}

constexpr Form kForms[] = {
    {R"(wabolex-cli import EINGABE -o TABELLE.db [--thesaurus] [--short-words | --lengths VON-BIS]
    [--known-words LISTE]... [--ranking LISTE]...)",
     R"(Liest eine UTF-8-Textdatei (eine Zeile je Eintrag: "WORT;UMSCHREIBUNG" oder
"WORT<Tab>UMSCHREIBUNG", Zeilen mit # werden übergangen) oder mit --thesaurus
eine OpenThesaurus-Textdatei und schreibt eine Paradox-Wortschatztabelle.
--short-words übernimmt nur Wörter mit 2 bis 4 Buchstaben (Kurzwörter),
--lengths nur Wörter dieser Längen (etwa 5-15).
Nur mit --thesaurus: Gruppen mit einem anstößig markierten oder gesperrten
Begriff, regional oder veraltet markierte Begriffe, Füllwörter wie "sowie"
und Umschreibungen, die das Wort verraten, bleiben draußen; eine Umschreibung
hat ein oder zwei Begriffe, aus der gewöhnlichen Bedeutung des Worts, höchstens
zwei Umschreibungen je Wort. --known-words nimmt nur Wörter, die so in einer
der Listen stehen (eine Zeile je Wort, hunspell-Wörterbuch oder JSON-Feld)
oder in einer Liste von --ranking; --ranking (nach Häufigkeit geordnete
Listen) stellt häufige Begriffe und Wörter nach vorn und lässt Fachwörter nur
zu, wenn sie darin stehen.)"},
};

// Reads the command line into the options; nullopt when the command goes on,
// else the status to exit with.
std::optional<int> ParseImportOptions(const Args& args, ImportOptions& options) {
    std::string input;
    // --short-words and --lengths set the same bounds.
    auto lengthsOnce = [&options]() -> std::string {
        if (options.LengthsGiven) {
            return "--short-words und --lengths gehen nur einmal.";
        }
        options.LengthsGiven = true;
        return {};
    };
    CommandLine line(ImportCommand);
    line.Operand(input, "Es fehlt die Eingabedatei.", "Nur eine Eingabedatei ist erlaubt: ")
        .Value("-o", Store(options.Output))
        .Flag("--thesaurus", Set(options.Thesaurus))
        .Flag("--short-words",
              [&](const std::string&) {
                  options.Longest = LongestShortWord;
                  return lengthsOnce();
              })
        .Value("--lengths",
               [&](const std::string& value) -> std::string {
                   if (!ParseLengths(value, options.Shortest, options.Longest) ||
                       options.Longest > LongestWord) {
                       return "--lengths erwartet VON-BIS mit 1 <= VON <= BIS <= 15: " + value;
                   }
                   return lengthsOnce();
               })
        .Values("--known-words",
                [&](const std::string& value) {
                    options.KnownWords.emplace_back(value);
                    return std::string();
                })
        .Values("--ranking", [&](const std::string& value) {
            options.Rankings.emplace_back(value);
            return std::string();
        });
    if (const std::optional<int> status = line.Parse(args)) {
        return status;
    }
    options.Input = input;
    if (const std::string reason = Check(options); !reason.empty()) {
        return line.Refuse(reason);
    }
    return std::nullopt;
}

// A word list for the lexicon: read whole, within a size no word list reaches
// (the largest, wngerman, has 4.7 MB).
std::string ReadList(const fs::path& file) {
    constexpr uint64_t kLargestList = 16 * 1024 * 1024;
    InputFile in(file);
    return in.ReadAll(kLargestList);
}

// The lexicon refuses more words than any real lists hold; the message names
// the list that went beyond.
template <typename Add> void AddList(const fs::path& file, Add add) {
    try {
        add(ReadList(file));
    } catch (const Lexicon::TooManyWords& e) {
        throw WabolexError(W("Die Wortliste ") + FileError::NameOf(file) + ": " + e.what());
    }
}

// Reads the input line by line into entries; what was left out goes into the result.
ImportResult ReadInput(const ImportOptions& options) {
    Lexicon lexicon;
    ThesaurusImport::Options thesaurus;
    if (options.Thesaurus) {
        for (const fs::path& list : options.KnownWords) {
            AddList(list, [&](std::string_view text) { lexicon.AddKnownWords(text); });
        }
        for (const fs::path& list : options.Rankings) {
            AddList(list, [&](std::string_view text) { lexicon.AddRanking(text); });
        }
        thesaurus.MinLength = options.Shortest;
        thesaurus.MaxLength = options.Longest;
        thesaurus.Banned = &VocabularyRules::BanList::Shipped();
        thesaurus.NotAnswers = &ThesaurusImport::ShippedNotAnswers();
        thesaurus.SideSenses = &ThesaurusImport::ShippedSideSenses();
        thesaurus.Reviewed = &ReviewedClues::Shipped();
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
    if (const std::optional<int> status = ParseImportOptions(args, options)) {
        return *status;
    }
    // A target that cannot be written is named before the input is read.
    OutputFile::Check(options.Output, W("Die Tabelle"));
    const ImportResult input = ReadInput(options);
    const std::string inputName = FileError::NameOf(options.Input);
    for (const std::string& warning : input.Warnings) {
        Error(inputName + ", " + warning);
    }
    if (input.MoreWarnings > 0) {
        Error(inputName + W(": ") + std::to_string(input.MoreWarnings) +
              W(" weitere Warnungen nicht gezeigt."));
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

const Command ImportCommand{"import", kForms, Import};

} // namespace Cli
