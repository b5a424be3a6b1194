#include "files/ExportFiles.h"

#include "base/Cp1252.h"
#include "files/ClueText.h"
#include "files/ExportFormat.h"
#include "files/ExportImage.h"
#include "files/OutputDevice.h"
#include "io/OutputFile.h"

namespace ExportFiles {

void Save(const QImage& image, const QString& bitmapPath, const std::vector<ClueRow>& rows,
          const QString& cluePath) {
    OutputFile bitmap(ToPath(bitmapPath), W("Die Bitmap"));
    OutputFile clues(ToPath(cluePath), W("Die Textdatei"));
    ExportImage::Write(image, bitmap);
    clues.Write(ClueText::Contents(rows));
    bitmap.Commit();
    clues.Commit();
}

void Save(ExportFormat format, const Puzzle& puzzle, OutputVariant variant,
          const ExportOptions& options, const std::filesystem::path& path,
          const std::optional<std::filesystem::path>& cluePath) {
    OutputFile picture(path, ExportFormats::What(format));
    std::optional<OutputFile> clues;
    if (cluePath) {
        clues.emplace(*cluePath, W("Die Textdatei"));
    }
    ExportFormats::Write(format, puzzle, variant, options, picture);
    if (clues) {
        clues->Write(ClueText::Contents(puzzle.ClueRows, options.ClueEncoding));
    }
    picture.Commit();
    if (clues) {
        clues->Commit();
    }
}

} // namespace ExportFiles
