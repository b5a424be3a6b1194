// wabolex-cli check-table: what a vocabulary table holds and which entries
// break a rule, in German; exit status 1 when a hard rule is broken.
#include "app/cli/CliCommands.h"
#include "app/cli/CliNumbers.h"
#include "app/cli/CommandLine.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"
#include "io/InputFile.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/TableCheck.h"
#include "vocabulary/VocabularyLoader.h"
#include "vocabulary/VocabularyRules.h"
#include "vocabulary/VocabularyTable.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace Cli {

namespace {

struct CheckOptions {
    fs::path Table;
    fs::path Thesaurus;
    size_t Examples = 5;
    size_t MinLength = 0;
    size_t MaxLength = 0;
    std::vector<fs::path> KnownWords;
    std::vector<fs::path> Rankings;
};

constexpr Form kForms[] = {
    {R"(wabolex-cli check-table TABELLE.db [--lengths VON-BIS] [--thesaurus DATEI] [--examples N]
    [--known-words LISTE]... [--ranking LISTE]...)",
     R"(Prüft eine Wortschatztabelle: Einträge, verschiedene Wörter je Länge,
Umschreibungslänge im Median und die Einträge, die eine Regel verletzen
(mit je N Beispielen, Vorgabe 5). Harte Regeln: keine Umschreibung verrät
ihr Wort (auch nicht durch einen gemeinsamen Wortteil), kein Begriff der
Sperrliste (auch nicht in einem Wort), keine leere Umschreibung, kein Wort
auch in "Kurzwörter2004.DB" daneben, die Einträge eines Worts stehen
beieinander, kein Wort mit einem Punkt (im Gitter ein schwarzes Feld); mit
--lengths: jedes Wort hat eine dieser Längen; mit
--thesaurus: kein Eintrag, den OpenThesaurus nur aus Gruppen mit anstößig
markierten Begriffen hergibt; mit --known-words und --ranking (Listen wie
bei import): jedes Wort steht so in einer der Listen.
Rückgabewert 1, wenn eine harte Regel verletzt ist.)"},
};

// Reads the command line into the options; nullopt when the command goes on,
// else the status to exit with.
std::optional<int> ParseCheckOptions(const Args& args, CheckOptions& options) {
    std::string table;
    CommandLine line(CheckTableCommand);
    line.Operand(table, "Es fehlt die Tabelle.", "Nur eine Tabelle ist erlaubt: ")
        .Value("--thesaurus", Store(options.Thesaurus))
        .Values("--known-words",
                [&](const std::string& value) -> std::string {
                    options.KnownWords.push_back(value);
                    return {};
                })
        .Values("--ranking",
                [&](const std::string& value) -> std::string {
                    options.Rankings.push_back(value);
                    return {};
                })
        .Value("--lengths",
               [&](const std::string& value) -> std::string {
                   if (!ParseLengths(value, options.MinLength, options.MaxLength)) {
                       return "--lengths erwartet VON-BIS mit 1 <= VON <= BIS: " + value;
                   }
                   return {};
               })
        .Value("--examples", [&](const std::string& value) -> std::string {
            uint64_t examples = 0;
            if (!ParseNumber(value, examples)) {
                return "--examples erwartet eine ganze Zahl ab 0: " + value;
            }
            options.Examples = static_cast<size_t>(examples);
            return {};
        });
    if (const std::optional<int> status = line.Parse(args)) {
        return status;
    }
    options.Table = table;
    return std::nullopt;
}

// The thesaurus and the word lists are read whole; they are far smaller than this.
std::string ReadThesaurus(const fs::path& file) {
    constexpr uint64_t kLargestThesaurus = 16 * 1024 * 1024; // OpenThesaurus: 2.3 MB
    InputFile in(file);
    return in.ReadAll(kLargestThesaurus);
}

// A table's text as the terminal may show it: a control character (an escape
// sequence would act on the terminal) is named instead.
std::string Visible(const std::string& cp1252) {
    std::string shown;
    for (const char c : cp1252) {
        const auto code = static_cast<unsigned char>(c);
        shown += code < 0x20 || code == 0x7F ? "[" + Cp1252::CodePointName(code) + "]"
                                             : std::string(1, c);
    }
    return shown;
}

void PrintFinding(const std::string& utf8Label, const TableCheck::Finding& finding,
                  size_t examples) {
    Out(W(utf8Label) + ": " + std::to_string(finding.Entries.size()));
    for (size_t i = 0; i < finding.Entries.size() && i < examples; ++i) {
        Out("    " + Visible(finding.Entries[i]->Word) + ": " + Visible(finding.Entries[i]->Clue));
    }
}

} // namespace

int CheckTable(const Args& args) {
    CheckOptions options;
    if (const std::optional<int> status = ParseCheckOptions(args, options)) {
        return *status;
    }
    // A missing table, a folder or a pipe is refused by the reader with its reason.
    std::error_code ec;
    const std::vector<TWordEntry> entries = VocabularyTable::ReadUncut(options.Table);

    TableCheck::Inputs inputs;
    inputs.Banned = &VocabularyRules::BanList::Shipped();
    inputs.MinLength = options.MinLength;
    inputs.MaxLength = options.MaxLength;
    std::set<std::string> shortWords;
    const fs::path shortTable = VocabularyLoader::ShortWordTable(options.Table);
    const bool isShortTable = options.Table.filename() == shortTable.filename();
    if (!isShortTable && fs::is_regular_file(shortTable, ec)) {
        for (const TWordEntry& entry : VocabularyTable::Read(shortTable)) {
            shortWords.insert(entry.Word);
        }
        inputs.ShortWords = &shortWords;
    }
    std::string thesaurus;
    if (!options.Thesaurus.empty()) {
        thesaurus = ReadThesaurus(options.Thesaurus);
        inputs.ThesaurusUtf8 = thesaurus;
    }
    Lexicon lexicon;
    if (!options.KnownWords.empty() || !options.Rankings.empty()) {
        for (const fs::path& list : options.KnownWords) {
            lexicon.AddKnownWords(ReadThesaurus(list));
        }
        for (const fs::path& list : options.Rankings) {
            lexicon.AddRanking(ReadThesaurus(list));
        }
        inputs.Words = &lexicon;
    }
    const TableCheck::Report report = TableCheck::Check(entries, inputs);

    Out("Tabelle: " + FileError::NameOf(options.Table));
    Out(W("Einträge: ") + std::to_string(report.Entries));
    Out(W("Verschiedene Wörter: ") + std::to_string(report.DistinctWords));
    for (const auto& [length, count] : report.WordsByLength) {
        Out("    mit " + std::to_string(length) + " Buchstaben: " + std::to_string(count));
    }
    char median[32];
    std::snprintf(median, sizeof median, "%.1f", report.MedianClueLength);
    Out(W("Umschreibungslänge im Median: ") + median + " Zeichen");
    Out("Harte Regeln:");
    PrintFinding("  Umschreibungen, die das Wort verraten", report.GiveAways, options.Examples);
    PrintFinding("    davon durch einen gemeinsamen Wortteil", report.SharedParts,
                 options.Examples);
    PrintFinding("  Gesperrte Begriffe in Wort oder Umschreibung, auch in einem Wort",
                 report.Banned, options.Examples);
    if (report.ThesaurusCompared) {
        PrintFinding("  In OpenThesaurus als anstößig markiert", report.Offensive,
                     options.Examples);
    }
    PrintFinding("  Leere Wörter oder Umschreibungen", report.EmptyClues, options.Examples);
    if (report.ShortWordsCompared) {
        PrintFinding("  Wörter, die auch in Kurzwörter2004.DB stehen", report.InShortWords,
                     options.Examples);
    } else if (!isShortTable) {
        Out(W("  (Kurzwörter2004.DB fehlt daneben und wurde nicht verglichen.)"));
    }
    PrintFinding("  Einträge eines Worts, die nicht beieinander stehen", report.Scattered,
                 options.Examples);
    PrintFinding("  Wörter mit einem Punkt (im Gitter ein schwarzes Feld)", report.BlackCells,
                 options.Examples);
    if (report.LengthsCompared) {
        PrintFinding("  Wörter mit anderer Länge als " + std::to_string(options.MinLength) +
                         " bis " + std::to_string(options.MaxLength) + " Buchstaben",
                     report.WrongLength, options.Examples);
    }
    if (report.WordsCompared) {
        PrintFinding("  Wörter, die weder so in den Wortlisten noch in den Häufigkeitslisten "
                     "stehen",
                     report.Unknown, options.Examples);
    }
    Out("Hinweise:");
    PrintFinding("  Überlange Felder (Wort über 15, Umschreibung über 50 Zeichen)",
                 report.LongFields, options.Examples);
    PrintFinding("  Doppelte Paare aus Wort und Umschreibung", report.Duplicates, options.Examples);
    if (report.BreaksHardRule()) {
        Out("Ergebnis: Die Tabelle verletzt harte Regeln.");
        return Failure;
    }
    Out("Ergebnis: in Ordnung.");
    return Ok;
}

const Command CheckTableCommand{"check-table", kForms, CheckTable};

} // namespace Cli
