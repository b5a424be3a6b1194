// wabolex-cli import: a vocabulary table from a text or an OpenThesaurus file.
#include "app/cli/CliCommands.h"
#include "model/Cp1252.h"
#include "model/WabolexError.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/ThesaurusImport.h"
#include "vocabulary/VocabularyRules.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
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

// "5-15": the lengths of words to keep.
bool ParseLengths(const std::string& text, size_t& shortest, size_t& longest) {
    const size_t dash = text.find('-');
    const auto number = [](const std::string& digits, size_t& value) {
        if (digits.empty() || digits.size() > 2 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        value = std::stoul(digits);
        return true;
    };
    return dash != std::string::npos && number(text.substr(0, dash), shortest) &&
           number(text.substr(dash + 1), longest) && shortest >= 1 && shortest <= longest &&
           longest <= LongestWord;
}

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
            } else if (!ParseLengths(args[++i], options.Shortest, options.Longest)) {
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

std::string NameOf(const fs::path& path) {
    const std::u8string name = path.filename().u8string();
    return Cp1252::FromUtf8(std::string(name.begin(), name.end()));
}

std::string ReadText(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        throw WabolexError(W("Die Datei ") + NameOf(file) + W(" existiert NICHT!"));
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        throw WabolexError(W("Die Datei ") + NameOf(file) + W(" kann nicht gelesen werden."));
    }
    return text.str();
}

} // namespace

int Import(const Args& args) {
    ImportOptions options;
    if (const std::string problem = ParseImportOptions(args, options); !problem.empty()) {
        return UsageError(problem);
    }
    const std::string text = ReadText(options.Input);
    std::vector<VocabularyRecord> records;
    if (options.Thesaurus) {
        Lexicon lexicon;
        for (const fs::path& list : options.KnownWords) {
            lexicon.AddKnownWords(ReadText(list));
        }
        for (const fs::path& list : options.Rankings) {
            lexicon.AddRanking(ReadText(list));
        }
        ThesaurusImport::Options thesaurus;
        thesaurus.MinLength = options.Shortest;
        thesaurus.MaxLength = options.Longest;
        thesaurus.Banned = &VocabularyRules::BanList::Shipped();
        if (lexicon.HasKnownWords() || lexicon.HasRanking()) {
            thesaurus.Words = &lexicon;
        }
        records = ThesaurusImport::Parse(text, thesaurus);
    } else {
        try {
            records = TextImport::Parse(text);
        } catch (const WabolexError& e) {
            throw WabolexError(NameOf(options.Input) + ", " + e.what());
        }
        if (options.LengthsGiven) {
            std::erase_if(records, [&](const VocabularyRecord& r) {
                return r.Word.size() < options.Shortest || r.Word.size() > options.Longest;
            });
        }
    }
    const size_t written = ParadoxWriter::WriteVocabulary(options.Output, records);
    Out(std::to_string(written) + W(" Einträge in ") + NameOf(options.Output) + W(" geschrieben."));
    return Ok;
}

} // namespace Cli
