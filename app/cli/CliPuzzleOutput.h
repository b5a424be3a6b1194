#pragma once

#include "app/cli/CliCommands.h"
#include "files/OutputVariant.h"
#include "files/PuzzleFile.h"
#include "io/FileError.h"
#include "model/Cp1252.h"
#include "model/Puzzle.h"

#include <QDate>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <map>
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

// Reads and checks the file, then fills the puzzle; SourceName becomes the
// file's name, as after loading in the window.
inline Puzzle LoadPuzzle(const std::string& path) {
    Puzzle puzzle;
    PuzzleFile::Apply(PuzzleFile::Read(path), puzzle);
    puzzle.SourceName = FileError::NameOf(path);
    return puzzle;
}

// What an output command was given: "PUZZLE.wbx -o OUTPUT [--solution]" and
// the command's own options that take a value, each at most once.
struct OutputArgs {
    std::string Puzzle;
    std::string Output;
    OutputVariant Variant = OutputVariant::Puzzle;
    std::map<std::string, std::string> Values;
};

// nullopt for wrong usage: an unknown option, an option given twice or without
// a value, a second puzzle, or no puzzle or output at all.
inline std::optional<OutputArgs> ParseOutputArgs(const Args& args,
                                                 std::initializer_list<std::string> valueOptions) {
    OutputArgs parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size() && !args[i + 1].empty();
        const bool takesValue =
            std::find(valueOptions.begin(), valueOptions.end(), arg) != valueOptions.end();
        if (arg == "-o" && hasValue && parsed.Output.empty()) {
            parsed.Output = args[++i];
        } else if (takesValue && hasValue && !parsed.Values.contains(arg)) {
            parsed.Values[arg] = args[++i];
        } else if (arg == "--solution") {
            parsed.Variant = OutputVariant::Solution;
        } else if (!arg.empty() && arg[0] != '-' && parsed.Puzzle.empty()) {
            parsed.Puzzle = arg;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.Puzzle.empty() || parsed.Output.empty()) {
        return std::nullopt;
    }
    return parsed;
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

// The window's caption after loading: "Wabolex <year>", three blanks, the
// source name cut before its first ".".
inline std::string CaptionAfterLoading(const Puzzle& puzzle) {
    const std::string& source = puzzle.SourceName;
    const auto dot = source.find('.');
    const std::string shown = dot == std::string::npos ? std::string() : source.substr(0, dot);
    return "Wabolex " + std::to_string(QDate::currentDate().year()) + "   " + shown;
}

} // namespace Cli
