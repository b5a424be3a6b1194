#include "files/PrintJob.h"

#include "base/WabolexError.h"
#include "files/Cp1252Qt.h"
#include "files/OutputDevice.h"
#include "files/PainterCanvas.h"
#include "io/FileError.h"
#include "io/OutputFile.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

PrintPage PrintJob::PageOf(const QPagedPaintDevice& device) {
    return {device.widthMM() * 10, device.heightMM() * 10, device.logicalDpiY()};
}

void PrintJob::Print(QPagedPaintDevice& device, const Puzzle& puzzle, const std::string& caption,
                     OutputVariant variant) {
    QPainter painter;
    if (!painter.begin(&device)) {
        throw WabolexError(W("Der Druckauftrag konnte nicht gestartet werden."));
    }
    const PrintPage page = PageOf(device);
    // One unit is 0.1 mm; the painter's origin is already the top left corner
    // of the printable area and y grows downwards.
    const QTransform tenthMillimetre =
        QTransform::fromScale(device.logicalDpiX() / 254.0, device.logicalDpiY() / 254.0);
    painter.setTransform(tenthMillimetre);
    bool pageFailed = false;
    PainterCanvas canvas(painter, [&] {
        pageFailed = pageFailed || !device.newPage();
        painter.setTransform(tenthMillimetre);
    });
    PrintPuzzle::Draw(canvas, page, puzzle, caption, variant);
    if (!painter.end() || pageFailed) {
        throw WabolexError(W("Der Druckauftrag konnte nicht vollständig ausgeführt werden."));
    }
}

void PrintJob::PrintOnDefaultPrinter(const Puzzle& puzzle, const std::string& caption,
                                     OutputVariant variant) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        throw NoDefaultPrinter(
            W("Es ist kein Standarddrucker eingerichtet. Bitte richten Sie einen "
              "Drucker ein und wählen Sie ihn als Standarddrucker."));
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(Cp1252::ToQString(caption));
    if (!printer.isValid()) {
        throw WabolexError(W("Der Standarddrucker \"") + Cp1252::FromQString(info.printerName()) +
                           W("\" ist nicht bereit."));
    }
    Print(printer, puzzle, caption, variant);
}

void PrintJob::PrintToPdf(const std::filesystem::path& path, const QPageSize& pageSize,
                          const Puzzle& puzzle, const std::string& caption, OutputVariant variant) {
    OutputFile file(path, W("Die PDF-Datei"));
    {
        // The PDF writer reports no write errors; the device sees them.
        OutputDevice device(file);
        QPdfWriter writer(&device);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(Cp1252::ToQString(caption));
        try {
            Print(writer, puzzle, caption, variant);
        } catch (const WabolexError&) {
            device.ThrowIfFailed();
            throw;
        }
        device.ThrowIfFailed();
        if (device.Tail().find("%%EOF") == std::string::npos) {
            FileError::ThrowWrite(W("Die PDF-Datei"), path, W("sie ist unvollständig geblieben"));
        }
    }
    file.Commit();
}
