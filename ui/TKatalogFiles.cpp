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
#include "files/PuzzleFile.h"
#include "ui/BusyCursor.h"
#include "ui/FileDialogService.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolders.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"
#include "ui/TEOptions.h"

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

// Draws the image first, then asks where to put it and in which type; the
// chosen type decides the writer. The clue text goes beside a picture under
// the proposed name. Every type is written as the command line writes it.
void Export(TKatalog& katalog, OutputVariant variant) {
    const Puzzle& puzzle = katalog.puzzle();
    const QImage image = ExportImage::Render(puzzle, variant);
    const std::string proposed = ExportImage::ProposedName(puzzle, variant);
    QStringList filters;
    for (const ExportType& type : ExportFormats::Types()) {
        filters << QString::fromUtf8(type.Filter);
    }
    const std::optional<FileDialogService::TypedFile> file =
        katalog.fileDialogs().SaveTypedFileName(QStringLiteral("Deine KreuzworträtselBitmap"),
                                                filters, ProgramFolders::Current().Exports(),
                                                Cp1252::ToQString(proposed));
    if (!file) {
        katalog.messages().Information(QStringLiteral("Es wurde keine Bitmap gespeichert!"));
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
    options.SheetPaper = LetterPaper() ? Paper::Letter : Paper::A4;
    const BusyCursor busy;
    ExportFiles::Save(format, puzzle, variant, options, ToPath(file->Path),
                      ExportFormats::IsPicture(format)
                          ? std::optional<std::filesystem::path>(ToPath(cluePath))
                          : std::nullopt);
}

QPageSize PdfPaper() {
    return LetterPaper() ? QPageSize(QPageSize::Letter) : QPageSize(QPageSize::A4);
}

// The same pages as the print, into a PDF file the user names.
void SaveAsPdf(TKatalog& katalog, const std::string& caption, OutputVariant variant) {
    const Puzzle& puzzle = katalog.puzzle();
    const std::string proposed = ExportImage::ProposedName(puzzle, variant);
    const std::optional<QString> path = katalog.fileDialogs().SaveFileName(
        QStringLiteral("Dein Kreuzworträtsel als PDF"), QStringLiteral("PDF-Dateien (*.pdf)"),
        ProgramFolders::Current().Exports(), QStringLiteral("pdf"), Cp1252::ToQString(proposed));
    if (!path) {
        katalog.messages().Information(QStringLiteral("Es wurde keine PDF-Datei gespeichert!"));
        return;
    }
    const BusyCursor busy;
    PrintJob::PrintToPdf(ToPath(*path), PdfPaper(), puzzle, caption, variant);
}

void Print(TKatalog& katalog, OutputVariant variant) {
    const std::string caption = Cp1252::FromQString(katalog.windowTitle());
    try {
        // A print job runs inside the command; the user sees that it is working.
        const BusyCursor busy;
        PrintJob::PrintOnDefaultPrinter(katalog.puzzle(), caption, variant);
    } catch (const NoDefaultPrinter& e) {
        // Desktops without a printer often print to PDF; offer that instead.
        katalog.messages().Error(Cp1252::ToQString(e.what()));
        if (katalog.messages().Confirm(
                QStringLiteral("Soll das Rätsel stattdessen als PDF gespeichert werden?"))) {
            SaveAsPdf(katalog, caption, variant);
        }
    }
}

} // namespace

void TKatalog::RSpeichernClick() {
    const bool checked = SolutionWordChecked();
    // A puzzle that could not be read back is refused before the dialog opens.
    PuzzleFile::Lines(puzzle_, checked);
    const std::optional<QString> path = fileDialogs_.SaveFileName(
        QStringLiteral("Dein Kreuzworträtsel"), kPuzzleFilter, ProgramFolders::Current().Puzzles(),
        QStringLiteral("wbx"), Cp1252::ToQString(PuzzleFile::ProposedName(puzzle_)));
    if (!path) {
        messages_.Information(QStringLiteral("Es wurde keine Kreuzworträtsel gespeichert!"));
        return;
    }
    PuzzleFile::Save(FsPath(*path), puzzle_, checked);
}

void TKatalog::RLadenClick() {
    const std::optional<QString> path =
        fileDialogs_.OpenFileName(QStringLiteral("Wähle eine Kreuzworträtseldatei"), kPuzzleFilter,
                                  ProgramFolders::Current().Puzzles(), QStringLiteral("wbx"));
    if (!path) {
        messages_.Information(QStringLiteral("Es wurde keine Kreuzworträtsel geladen!"));
        return;
    }
    LoadPuzzleFile(*path);
}

void TKatalog::LoadPuzzleFile(const QString& path) {
    // The whole file is checked before anything of the current puzzle changes.
    const PuzzleFileContents contents = PuzzleFile::Read(FsPath(path));
    puzzle_.SourceName = Cp1252::FromQString(QFileInfo(path).fileName());
    UpdateCaption();
    PuzzleFile::Apply(contents, puzzle_);
    Ausgabe()->SetColCount(puzzle_.Columns);
    Ausgabe()->SetRowCount(puzzle_.Rows);
    SetSettingsFromFile(puzzle_.Columns, puzzle_.Rows, contents.SolutionWord);
    // The field may hold the word in another form than the file (a byte the
    // code page leaves undefined); what the field shows is in force.
    TakeSolutionWord();
    Begriffsumschreibung()->Fill(puzzle_.ClueRows);
    RAnzeigenClick();
}

void TKatalog::RExportierenClick() {
    view_.ExportSolution = false;
    Export(*this, OutputVariant::Puzzle);
}

void TKatalog::LExportierenClick() {
    view_.ExportSolution = true;
    Export(*this, OutputVariant::Solution);
}

void TKatalog::RDruckenClick() {
    view_.PrintSolution = false;
    Print(*this, OutputVariant::Puzzle);
}

void TKatalog::LDruckenClick() {
    view_.PrintSolution = true;
    Print(*this, OutputVariant::Solution);
}

bool TKatalog::SolutionWordChecked() const {
    return EOptions()->IsSolutionWordChecked();
}

void TKatalog::SetSettingsFromFile(int32_t columns, int32_t rows,
                                   const std::optional<std::string>& solutionWord) {
    EOptions()->SetGridSize(columns, rows);
    EOptions()->SetSolutionWord(solutionWord ? Cp1252::ToQString(*solutionWord) : QString());
    EOptions()->SetSolutionWordChecked(solutionWord.has_value());
}
