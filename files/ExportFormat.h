#pragma once

#include "files/ExportOptions.h"
#include "files/OutputVariant.h"
#include "model/Puzzle.h"

#include <QByteArray>
#include <QImage>

#include <filesystem>
#include <optional>
#include <span>
#include <string>

class OutputFile;

// The formats an export writes, told apart by the file's extension: the
// bitmap's picture as BMP, PNG or SVG (drawn by the same code, the SVG with its
// texts as text), the puzzle as an ipuz crossword, as a web page to solve in
// a browser (HTML) or as a puzzle sheet to print (PDF).
enum class ExportFormat { Bmp, Png, Svg, Ipuz, Html, Sheet };

// One type the window's export dialog offers: the format, the dialog's filter
// (UTF-8) and the extension a name typed without one gets.
struct ExportType {
    ExportFormat Format;
    const char* Filter;
    const char* Extension;
};

class ExportFormats {
public:
    // The bitmap first, as the export dialog has always offered it, then PNG,
    // SVG, ipuz, the web page and the puzzle sheet.
    static std::span<const ExportType> Types();

    // ".bmp", ".png", ".svg", ".ipuz", ".html" (".htm") or ".pdf" in any
    // case, a name without extension the bitmap; nullopt for other extensions.
    static std::optional<ExportFormat> Of(const std::filesystem::path& file);
    // A picture goes with a clue text beside it; the other formats hold their clues.
    static bool IsPicture(ExportFormat format) {
        return format == ExportFormat::Bmp || format == ExportFormat::Png ||
               format == ExportFormat::Svg;
    }

    // The exported picture as an SVG document, or the image as PNG.
    static QByteArray Svg(const Puzzle& puzzle, OutputVariant variant,
                          const ExportOptions& options = {});
    static QByteArray Png(const QImage& image);

    // The kind of file in messages: W("Die Bitmap"), W("Die ipuz-Datei") ...
    static std::string What(ExportFormat format);

    // Writes the export in the format into a file being written; the caller
    // commits it. An ipuz file holds the puzzle and its solution whatever the
    // variant. Failures throw WabolexError with a German message.
    static void Write(ExportFormat format, const Puzzle& puzzle, OutputVariant variant,
                      const ExportOptions& options, OutputFile& file);
};
