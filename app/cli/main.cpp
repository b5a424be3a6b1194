#include "app/cli/CliCommands.h"
#include "app/cli/CommandLine.h"

#include <iostream>
#include <string>

namespace {

const Cli::Command* const kCommands[] = {&Cli::ImportCommand,     &Cli::GenerateCommand,
                                         &Cli::CheckTableCommand, &Cli::StatsCommand,
                                         &Cli::ExportCommand,     &Cli::PrintCommand};

const Cli::Command* Find(const std::string& name) {
    for (const Cli::Command* command : kCommands) {
        if (command->Name == name) {
            return command;
        }
    }
    return nullptr;
}

// Every command's calls and what they do.
std::string Help() {
    std::string help = "wabolex-cli – Kreuzworträtsel ohne Fenster erzeugen\n\nAufruf:\n";
    for (const Cli::Command* command : kCommands) {
        help += Cli::CommandLine::HelpOf(*command);
    }
    return help + Cli::ExitStatusHelp;
}

int UsageError(const std::string& utf8Message) {
    std::cerr << utf8Message << "\n"
              << "Hilfe: wabolex-cli --help\n";
    return Cli::Usage;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return UsageError("Es fehlt ein Befehl.");
    }
    const std::string name = argv[1];
    Cli::Args args(argv + 2, argv + argc);
    if (name == "--version" || name == "-V") {
        std::cout << "wabolex-cli " WABOLEX_VERSION "\n";
        return Cli::FinishOutput(Cli::Ok);
    }
    if (name == "--help" || name == "-h" || name == "help") {
        // "help generate" is "generate --help".
        const Cli::Command* command = args.size() == 1 ? Find(args[0]) : nullptr;
        std::cout << (command ? Cli::CommandLine::HelpOf(*command) + Cli::ExitStatusHelp : Help());
        return Cli::FinishOutput(Cli::Ok);
    }
    const Cli::Command* command = Find(name);
    if (!command) {
        return UsageError("Unbekannter Befehl: " + name);
    }
    if (!command->PreparesHeap) {
        Cli::PrepareHeap();
    }
    return Cli::FinishOutput(Cli::Guarded([&] { return command->Run(args); }));
}
