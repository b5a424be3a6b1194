#pragma once

#include "files/OutputVariant.h"
#include "model/Puzzle.h"

#include <QByteArray>
#include <QImage>

#include <filesystem>
#include <optional>
#include <string>

class OutputFile;

// The formats an export writes, told apart by the file's extension: the
// bitmap's picture as BMP, PNG or SVG (drawn by the same code, the SVG with its
// texts as text), or the puzzle as an ipuz crossword.
enum class ExportFormat { Bmp, Png, Svg, Ipuz };

class ExportFormats {
public:
    // ".bmp", ".png", ".svg" or ".ipuz" in any case, a name without extension
    // the bitmap; nullopt for other extensions.
    static std::optional<ExportFormat> Of(const std::filesystem::path& file);
    // A picture goes with a clue text beside it; an ipuz file holds its clues.
    static bool IsPicture(ExportFormat format) { return format != ExportFormat::Ipuz; }

    // The exported picture as an SVG document, or the image as PNG.
    static QByteArray Svg(const Puzzle& puzzle, OutputVariant variant);
    static QByteArray Png(const QImage& image);

    // The kind of file in messages: W("Die Bitmap"), W("Die ipuz-Datei") ...
    static std::string What(ExportFormat format);

    // Writes the export in the format into a file being written; the caller
    // commits it. An ipuz file holds the puzzle and its solution whatever the
    // variant. Failures throw WabolexError with a German message.
    static void Write(ExportFormat format, const Puzzle& puzzle, OutputVariant variant,
                      OutputFile& file);
};
