// wabolex-cli import: a vocabulary table from a text or an OpenThesaurus file.
#include "app/cli/CliCommands.h"
#include "model/Cp1252.h"
#include "model/WabolexError.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/TextImport.h"
#include "vocabulary/ThesaurusImport.h"

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
    bool ShortWordsOnly = false;
};

std::string ParseImportOptions(const Args& args, ImportOptions& options) {
    bool inputGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return "Zur Angabe -o fehlt der Wert.";
            }
            options.Output = args[++i];
        } else if (arg == "--thesaurus") {
            options.Thesaurus = true;
        } else if (arg == "--short-words") {
            options.ShortWordsOnly = true;
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
    const size_t longest = options.ShortWordsOnly ? LongestShortWord : LongestWord;
    std::vector<VocabularyRecord> records;
    if (options.Thesaurus) {
        records = ThesaurusImport::Parse(text, ShortestWord, longest);
    } else {
        try {
            records = TextImport::Parse(text);
        } catch (const WabolexError& e) {
            throw WabolexError(NameOf(options.Input) + ", " + e.what());
        }
        if (options.ShortWordsOnly) {
            std::erase_if(records, [&](const VocabularyRecord& r) {
                return r.Word.size() < ShortestWord || r.Word.size() > longest;
            });
        }
    }
    const size_t written = ParadoxWriter::WriteVocabulary(options.Output, records);
    Out(std::to_string(written) + W(" Einträge in ") + NameOf(options.Output) + W(" geschrieben."));
    return Ok;
}

} // namespace Cli
