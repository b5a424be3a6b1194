#include "app/cli/CliCommands.h"
#include "app/cli/CommandLine.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <iostream>
#include <new>
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

namespace Cli {

void Error(const std::string& cp1252Message) {
    std::cerr << Cp1252::ToUtf8(cp1252Message) << '\n';
}

void Out(const std::string& cp1252Line) {
    std::cout << Cp1252::ToUtf8(cp1252Line) << '\n';
}

int FinishOutput(int status) {
    // Output that never arrived is a failure, even when the work was done.
    errno = 0;
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!failed) {
        return status;
    }
    const int error = errno;
    // EBADF: the caller started the program with its output closed.
    Error(W("Die Ausgabe kann nicht geschrieben werden: ") +
          (error == EBADF  ? W("die Standardausgabe ist geschlossen")
           : error != 0 ? FileError::Reason(error)
                        : W("Schreibfehler")) +
          ".");
    return status == Ok ? Failure : status;
}

} // namespace Cli

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
    int status = Cli::Failure;
    try {
        status = command->Run(args);
    } catch (const WabolexError& e) {
        Cli::Error(e.what());
    } catch (const std::bad_alloc&) {
        Cli::Error(W(OutOfMemoryMessage));
    } catch (const std::exception& e) {
        Cli::Error(W("Fehler: ") + e.what());
    }
    return Cli::FinishOutput(status);
}
