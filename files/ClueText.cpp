#include "files/ClueText.h"

#include "base/Cp1252.h"
#include "files/OutputDevice.h"
#include "io/OutputFile.h"

namespace {

void AppendSection(std::string& text, const std::vector<ClueRow>& rows, Direction direction) {
    text += std::string(DirectionWord(direction)) + "\r\n";
    for (const ClueRow& row : rows) {
        if (row.Dir == direction) {
            text += row.NumberText() + ") " + row.Clue + "\r\n";
        }
    }
}

} // namespace

std::string ClueText::Contents(const std::vector<ClueRow>& rows) {
    std::string text;
    AppendSection(text, rows, Direction::Across);
    AppendSection(text, rows, Direction::Down);
    return text;
}

void ClueText::Write(const QString& path, const std::vector<ClueRow>& rows) {
    OutputFile::WriteWhole(ToPath(path), Contents(rows), W("Die Textdatei"));
}
