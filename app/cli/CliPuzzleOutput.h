#pragma once

#include "app/cli/CliCommands.h"
#include "app/cli/CliPaths.h"
#include "app/cli/CommandLine.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/ExportOptions.h"
#include "files/OutputVariant.h"
#include "files/PuzzleFile.h"
#include "io/FileError.h"
#include "model/Puzzle.h"

#include <QDate>
#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

// What the export and print commands share: drawing without a display, and a
// puzzle loaded from its file as the window would hold it after loading.
namespace Cli {

// Qt's own notes (missing runtime folder and the like) are not messages for
// the user of the command; serious ones still reach stderr.
inline void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fputs((text.toStdString() + "\n").c_str(), stderr);
    }
}

// Qt ends the program when it cannot open the handles its platform needs;
// with too few allowed ("ulimit -n 4") that is said and the command ends.
inline void RequireFileHandles(int count) {
    std::vector<int> opened;
    for (int i = 0; i < count; ++i) {
        const int fd = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (fd < 0) {
            break;
        }
        opened.push_back(fd);
    }
    const bool enough = opened.size() == static_cast<size_t>(count);
    for (const int fd : opened) {
        ::close(fd);
    }
    if (!enough) {
        throw WabolexError(W("Zum Zeichnen sind zu wenige Dateien erlaubt (ulimit -n): ") +
                           FileError::Reason(EMFILE) + ".");
    }
}

// Fonts and painting need a GUI application; the command line has no screen.
inline std::unique_ptr<QGuiApplication> OffscreenApplication() {
    RequireFileHandles(3);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    static int argc = 1;
    static char name[] = "wabolex-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// Reads and checks the file, then fills the puzzle, as loading in the window does.
inline Puzzle LoadPuzzle(const std::string& path) {
    Puzzle puzzle;
    PuzzleFile::Apply(PuzzleFile::Read(path), puzzle);
    return puzzle;
}

// What an output command was given: "PUZZLE.wbx -o OUTPUT [--solution]".
struct OutputArgs {
    std::string Puzzle;
    std::string Output;
    OutputVariant Variant = OutputVariant::Puzzle;
};

// The options every output command takes; the command adds its own.
inline CommandLine& OutputOptions(CommandLine& line, OutputArgs& parsed) {
    return line
        .Operand(parsed.Puzzle, "Es fehlt die Rätseldatei.", "Nur eine Rätseldatei ist erlaubt: ")
        .Value("-o", Store(parsed.Output))
        .Flag("--solution", [&parsed](const std::string&) {
            parsed.Variant = OutputVariant::Solution;
            return std::string();
        });
}

// Reads the arguments; nullopt when the command goes on, else the status to exit with.
inline std::optional<int> ParseOutputArgs(CommandLine& line, const Args& args,
                                          const OutputArgs& parsed) {
    if (const std::optional<int> status = line.Parse(args)) {
        return status;
    }
    if (parsed.Output.empty()) {
        return line.Refuse("Es fehlt die Ausgabedatei (-o DATEI).");
    }
    if (IsOnlyExtension(parsed.Output)) {
        return line.Refuse(OnlyExtensionReason(parsed.Output));
    }
    return std::nullopt;
}

// The paper sizes --paper knows.
inline std::optional<Paper> PaperNamed(const std::string& name) {
    if (name == "A4" || name == "a4") {
        return Paper::A4;
    }
    if (name == "Letter" || name == "letter") {
        return Paper::Letter;
    }
    return std::nullopt;
}

// The window's caption after loading a puzzle file: "Wabolex <year>", three
// blanks, the file's name cut before its first ".".
inline std::string CaptionAfterLoading(const std::string& path) {
    const std::string source = FileError::NameOf(path);
    const auto dot = source.find('.');
    const std::string shown = dot == std::string::npos ? std::string() : source.substr(0, dot);
    return "Wabolex " + std::to_string(QDate::currentDate().year()) + "   " + shown;
}

} // namespace Cli
