#pragma once

#include "files/Canvas.h"
#include "files/OutputVariant.h"
#include "model/Puzzle.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <string>

class OutputFile;

// The exported bitmap of the grid: 40-pixel cells inside a 20-pixel white margin
// and a 4-pixel frame; with a marked solution word also its red marks and, below
// the grid, a row of boxes for it. The solution variant writes the letters in red.
class ExportImage {
public:
    // 40 * Columns + 40 wide; 40 * Rows + 40 high, 100 more with a solution word.
    static QSize ImageSize(const Puzzle& puzzle);

    // The puzzle's solution word bounds the marks and fills the row, upper-cased.
    static QImage Render(const Puzzle& puzzle, OutputVariant variant);
    static void Draw(Canvas& canvas, const Puzzle& puzzle, OutputVariant variant);

    // Saves as BMP, whole or not at all; a failure throws WabolexError with a
    // German message and leaves an old file as it was.
    static void Save(const QImage& image, const QString& path);
    // The BMP bytes into a file being written; the caller commits it.
    static void Write(const QImage& image, OutputFile& file);

    // The source's name (the table or puzzle file loaded last) before its
    // first "." (empty without "."), then "-CxR-K" with K the clue rows;
    // "Lösung " in front for the solution. Windows-1252.
    static std::string ProposedName(const Puzzle& puzzle, const std::string& sourceName,
                                    OutputVariant variant);
    // The clue text goes beside the bitmap under the proposed name.
    static QString ClueTextPath(const QString& bitmapPath, const std::string& proposedName);
};
