#pragma once

#include "files/ExportFormat.h"
#include "model/ClueRow.h"
#include "model/Puzzle.h"

#include <QImage>
#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The export's two files: the bitmap and the clue text beside it. Both
// targets are checked and both files written before either replaces its old
// file, so a target that cannot be written leaves both as they were.
namespace ExportFiles {

void Save(const QImage& image, const QString& bitmapPath, const std::vector<ClueRow>& rows,
          const QString& cluePath);

// The export in any format, and the clue text when a path for it is given,
// in the same way. The window and the command line both export through here.
// Paths are used byte for byte.
void Save(ExportFormat format, const Puzzle& puzzle, OutputVariant variant,
          const ExportOptions& options, const std::filesystem::path& path,
          const std::optional<std::filesystem::path>& cluePath);

} // namespace ExportFiles
