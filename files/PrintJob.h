#pragma once

#include "base/WabolexError.h"
#include "files/PrintPuzzle.h"
#include "model/Puzzle.h"

#include <QPageSize>
#include <QString>

#include <filesystem>
#include <string>

class QPagedPaintDevice;

// No default printer is set up: the window offers a PDF file instead.
class NoDefaultPrinter : public WabolexError {
public:
    using WabolexError::WabolexError;
};

// Runs the print of a puzzle as one job on a paged device: the default printer
// (no dialog, its current settings) or a PDF file whose printable area is the
// whole page. Failures throw WabolexError with a German message; a missing
// default printer throws NoDefaultPrinter.
class PrintJob {
public:
    // Resolution of the PDF file; clue lines come out as on a 600-dpi printer.
    static constexpr int PdfResolution = 600;

    static void PrintOnDefaultPrinter(const Puzzle& puzzle, const std::string& caption,
                                      OutputVariant variant);
    // The path is used byte for byte, as the system names the file.
    static void PrintToPdf(const std::filesystem::path& path, const QPageSize& pageSize,
                           const Puzzle& puzzle, const std::string& caption, OutputVariant variant);
    // Begins the job on device, maps 0.1 mm onto the printable area and ends it.
    static void Print(QPagedPaintDevice& device, const Puzzle& puzzle, const std::string& caption,
                      OutputVariant variant);
    // Printable area in whole millimetres times ten, and the vertical resolution.
    static PrintPage PageOf(const QPagedPaintDevice& device);
};
