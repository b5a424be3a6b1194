#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The sub-commands of wabolex-cli. Each gets the arguments after its name and
// returns the exit status: 0 success, 1 failure (the German message already
// written to stderr), 2 wrong usage; generate also 3 (written without its
// solution word).
namespace Cli {

constexpr int Ok = 0;
constexpr int Failure = 1;
constexpr int Usage = 2;
// generate: the puzzle file is written, but the solution word found no place.
constexpr int WithoutSolutionWord = 3;

using Args = std::vector<std::string>;

// One way to call a command: the call ("wabolex-cli generate TABELLE.db ...",
// continued on lines indented by four) and what it does. UTF-8.
struct Form {
    std::string_view Call;
    std::string_view Description;
};

struct Command {
    std::string_view Name;
    std::span<const Form> Forms;
    int (*Run)(const Args& args);
    // The command calls PrepareHeap itself, once it knows how much it will need.
    bool PreparesHeap = false;
};

// In the order of the help.
extern const Command ImportCommand;
extern const Command GenerateCommand;
extern const Command CheckTableCommand;
extern const Command StatsCommand;
extern const Command ExportCommand;
extern const Command PrintCommand;

// Writes a Windows-1252 message as UTF-8 to stderr, with a newline.
void Error(const std::string& cp1252Message);
// Writes a Windows-1252 line as UTF-8 to stdout.
void Out(const std::string& cp1252Line);
// Flushes stdout; when that fails, says so on stderr and turns success into
// Failure. Returns the status to exit with.
int FinishOutput(int status);
// Makes the heap ready for the megabytes of a table being loaded (see
// CliHeap.cpp); main calls it before every command but --help and --version.
void PrepareHeap();
// The error boundary of a command: a failure is said on stderr and gives Failure.
int Guarded(const std::function<int()>& command);

} // namespace Cli
