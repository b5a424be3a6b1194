#pragma once

#include "app/cli/CliCommands.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The options of one command as a table: each option with its name, whether it
// takes a value, and what to do with the value. Every command reads its
// arguments through this one parser, so they all accept "--opt value" and
// "--opt=value", refuse an option given twice, answer "--help" and explain
// wrong usage the same way. Messages are UTF-8.
namespace Cli {

// The last lines of every help.
constexpr const char* ExitStatusHelp =
    "\nRückgabewert: 0 bei Erfolg, 1 bei einem Fehler, 2 bei falschem Aufruf; bei generate\n"
    "3, wenn ein Rätsel gespeichert wurde, sein Lösungswort aber keinen Platz fand.\n";

class CommandLine {
public:
    // Checks and stores one value; returns why the value is refused (UTF-8),
    // or an empty text when it was taken. A flag gets an empty value.
    using Take = std::function<std::string(const std::string& value)>;

    explicit CommandLine(const Command& command) : command_(command) {}

    // An option with one value, at most once: "--size 15x15" or "--size=15x15".
    CommandLine& Value(std::string name, Take take);
    // An option with a value that may be given several times.
    CommandLine& Values(std::string name, Take take);
    // An option without a value.
    CommandLine& Flag(std::string name, Take take);
    // The last option declared also takes an empty value; otherwise an empty
    // value counts as a missing one.
    CommandLine& EmptyAllowed();
    // The one name the command works on (a table, a puzzle file): `missing`
    // when none is given, `extra` followed by the name for a second one.
    CommandLine& Operand(std::string& target, std::string missing, std::string extra);

    // Reads the arguments. nullopt: the command goes on. Otherwise the status
    // to exit with: Ok after the command's help was printed ("--help"), Usage
    // after the reason was printed.
    std::optional<int> Parse(const Args& args);

    // Wrong usage found after parsing: prints the reason, the command's usage
    // lines and where to find help, and returns Usage.
    int Refuse(const std::string& reason) const;

    // The command's help: its usage lines with their descriptions.
    static std::string HelpOf(const Command& command);

private:
    enum class Kind { Flag, Single, Repeated };
    struct Option {
        std::string Name;
        Kind Takes = Kind::Single;
        bool EmptyAllowed = false;
        Take Store;
        bool Given = false;
    };

    CommandLine& Add(std::string name, Kind kind, Take take);
    Option* Find(const std::string& name);
    // The reason an argument is refused, or empty; moves i past its value.
    std::string Read(const Args& args, size_t& i);
    std::string ReadOperand(const std::string& arg);

    const Command& command_;
    std::vector<Option> options_;
    std::string* operand_ = nullptr;
    std::string missingOperand_;
    std::string extraOperand_;
};

// --- Stores for common values ---------------------------------------------------

// Keeps the value as it is.
CommandLine::Take Store(std::string& target);
CommandLine::Take Store(std::filesystem::path& target);
// Sets a flag.
CommandLine::Take Set(bool& target);
// A whole number from lowest to highest (digits only), or the reason.
CommandLine::Take NumberIn(uint64_t lowest, uint64_t highest, std::string reason,
                           std::optional<uint64_t>& target);

} // namespace Cli
