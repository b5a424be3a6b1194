#pragma once

#include "app/cli/CliCommands.h"
#include "app/cli/CommandLine.h"
#include "base/Cp1252.h"
#include "files/ExportOptions.h"
#include "files/OutputVariant.h"
#include "files/PuzzleFile.h"
#include "io/FileError.h"
#include "model/Puzzle.h"

#include <QDate>
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

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

// Fonts and painting need a GUI application; the command line has no screen.
inline std::unique_ptr<QGuiApplication> OffscreenApplication() {
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

// Do two paths name one file? Also for files that do not exist yet.
inline bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) {
        return true;
    }
    // Absolute first: a bare relative name would stay as it is.
    const auto resolved = [&ec](const std::string& name) {
        return std::filesystem::weakly_canonical(std::filesystem::absolute(name, ec), ec);
    };
    const std::filesystem::path first = resolved(a);
    if (ec) {
        return false;
    }
    const std::filesystem::path second = resolved(b);
    return !ec && first == second;
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
