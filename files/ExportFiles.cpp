#include "files/ExportFiles.h"

#include "files/ClueText.h"
#include "files/ExportImage.h"
#include "files/OutputDevice.h"
#include "io/OutputFile.h"
#include "model/Cp1252.h"

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

} // namespace ExportFiles
