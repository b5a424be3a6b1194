#pragma once

#include "model/ClueRow.h"

#include <QImage>
#include <QString>

#include <vector>

// The export's two files: the bitmap and the clue text beside it. Both
// targets are checked and both files written before either replaces its old
// file, so a target that cannot be written leaves both as they were.
namespace ExportFiles {

void Save(const QImage& image, const QString& bitmapPath, const std::vector<ClueRow>& rows,
          const QString& cluePath);

} // namespace ExportFiles
