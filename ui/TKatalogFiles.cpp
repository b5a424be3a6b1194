// Saving and loading puzzles, export and printing.
#include "ui/TKatalog.h"

#include "files/ClueText.h"
#include "files/Cp1252Qt.h"
#include "files/ExportFiles.h"
#include "files/ExportFormat.h"
#include "files/ExportImage.h"
#include "files/ExportOptions.h"
#include "files/OutputDevice.h"
#include "files/PrintJob.h"
#include "ui/BusyCursor.h"
#include "ui/FileDialogService.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolders.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPageSize>

#include <algorithm>
#include <filesystem>

namespace {

std::filesystem::path FsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

const QString kPuzzleFilter = QStringLiteral("Kreuzworträtseldateien (*.wbx)");

// Paper for a PDF file: Letter where the user's locale measures in inches.
bool LetterPaper() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
}

QPageSize PdfPaper() {
    return LetterPaper() ? QPageSize(QPageSize::Letter) : QPageSize(QPageSize::A4);
}

} // namespace

// Draws the image first, then asks where to put it and in which type; the
// chosen type decides the writer. The clue text goes beside a picture under
// the proposed name. Every type is written as the command line writes it.
void TKatalog::ExportAs(OutputVariant variant) {
    const Puzzle& puzzle = session_.CurrentPuzzle();
    const QImage image = ExportImage::Render(puzzle, variant);
    const std::string proposed = ExportImage::ProposedName(puzzle, session_.SourceName(), variant);
    QStringList filters;
    for (const ExportType& type : ExportFormats::Types()) {
        filters << QString::fromUtf8(type.Filter);
    }
    const std::optional<FileDialogService::TypedFile> file = fileDialogs_.SaveTypedFileName(
        QStringLiteral("Deine KreuzworträtselBitmap"), filters, ProgramFolders::Current().Exports(),
        Cp1252::ToQString(proposed));
    if (!file) {
        messages_.Information(QStringLiteral("Es wurde keine Bitmap gespeichert!"));
        return;
    }
    const auto types = ExportFormats::Types();
    const ExportFormat format = types[static_cast<size_t>(std::clamp<int>(
                                          file->Type, 0, static_cast<int>(types.size()) - 1))]
                                    .Format;
    const QString cluePath = ExportImage::ClueTextPath(file->Path, proposed);
    if (format == ExportFormat::Bmp) {
        ExportFiles::Save(image, file->Path, puzzle.ClueRows, cluePath);
        return;
    }
    ExportOptions options;
    options.SourceName = session_.SourceName();
    options.SheetPaper = LetterPaper() ? Paper::Letter : Paper::A4;
    const BusyCursor busy;
    ExportFiles::Save(format, puzzle, variant, options, ToPath(file->Path),
                      ExportFormats::IsPicture(format)
                          ? std::optional<std::filesystem::path>(ToPath(cluePath))
                          : std::nullopt);
}

// The same pages as the print, into a PDF file the user names.
void TKatalog::SaveAsPdf(const std::string& caption, OutputVariant variant) {
    const Puzzle& puzzle = session_.CurrentPuzzle();
    const std::string proposed = ExportImage::ProposedName(puzzle, session_.SourceName(), variant);
    const std::optional<QString> path = fileDialogs_.SaveFileName(
        QStringLiteral("Dein Kreuzworträtsel als PDF"), QStringLiteral("PDF-Dateien (*.pdf)"),
        ProgramFolders::Current().Exports(), QStringLiteral("pdf"), Cp1252::ToQString(proposed));
    if (!path) {
        messages_.Information(QStringLiteral("Es wurde keine PDF-Datei gespeichert!"));
        return;
    }
    const BusyCursor busy;
    PrintJob::PrintToPdf(ToPath(*path), PdfPaper(), puzzle, caption, variant);
}

void TKatalog::PrintAs(OutputVariant variant) {
    const std::string caption = Cp1252::FromQString(windowTitle());
    try {
        // A print job runs inside the command; the user sees that it is working.
        const BusyCursor busy;
        PrintJob::PrintOnDefaultPrinter(session_.CurrentPuzzle(), caption, variant);
    } catch (const NoDefaultPrinter& e) {
        // Desktops without a printer often print to PDF; offer that instead.
        messages_.Error(Cp1252::ToQString(e.what()));
        if (messages_.Confirm(
                QStringLiteral("Soll das Rätsel stattdessen als PDF gespeichert werden?"))) {
            SaveAsPdf(caption, variant);
        }
    }
}

void TKatalog::RSpeichernClick() {
    // A puzzle that could not be read back is refused before the dialog opens.
    session_.CheckSavable();
    const std::optional<QString> path = fileDialogs_.SaveFileName(
        QStringLiteral("Dein Kreuzworträtsel"), kPuzzleFilter, ProgramFolders::Current().Puzzles(),
        QStringLiteral("wbx"), Cp1252::ToQString(session_.ProposedPuzzleName()));
    if (!path) {
        messages_.Information(QStringLiteral("Es wurde keine Kreuzworträtsel gespeichert!"));
        return;
    }
    session_.SavePuzzle(FsPath(*path));
}

void TKatalog::RLadenClick() {
    const std::optional<QString> path =
        fileDialogs_.OpenFileName(QStringLiteral("Wähle eine Kreuzworträtseldatei"), kPuzzleFilter,
                                  ProgramFolders::Current().Puzzles(), QStringLiteral("wbx"));
    if (!path) {
        messages_.Information(QStringLiteral("Es wurde keine Kreuzworträtsel geladen!"));
        return;
    }
    OpenPuzzleFile(*path);
}

void TKatalog::OpenPuzzleFile(const QString& path) {
    RunCommand([&] {
        // The whole file is checked before anything of the current puzzle changes.
        session_.LoadPuzzle(FsPath(path));
        UpdateCaption();
        FitGrid();
        ShowSettings();
        begriffsumschreibung_->Fill(session_.CurrentPuzzle().ClueRows);
        ShowSolving();
    });
}

void TKatalog::RExportierenClick() {
    ExportAs(OutputVariant::Puzzle);
}

void TKatalog::LExportierenClick() {
    ExportAs(OutputVariant::Solution);
}

void TKatalog::RDruckenClick() {
    PrintAs(OutputVariant::Puzzle);
}

void TKatalog::LDruckenClick() {
    PrintAs(OutputVariant::Solution);
}
