#include "files/ClueText.h"

#include "base/Cp1252.h"
#include "files/OutputDevice.h"
#include "io/OutputFile.h"

namespace {

void AppendSection(std::string& text, const std::vector<ClueRow>& rows, Direction direction,
                   const char* lineEnd) {
    text += std::string(DirectionWord(direction)) + lineEnd;
    for (const ClueRow& row : rows) {
        if (row.Dir == direction) {
            text += row.NumberText() + ") " + row.Clue + lineEnd;
        }
    }
}

} // namespace

std::string ClueText::Contents(const std::vector<ClueRow>& rows, TextEncoding encoding) {
    const bool utf8 = encoding == TextEncoding::Utf8;
    const char* lineEnd = utf8 ? "\n" : "\r\n";
    std::string text;
    AppendSection(text, rows, Direction::Across, lineEnd);
    AppendSection(text, rows, Direction::Down, lineEnd);
    return utf8 ? Cp1252::ToUtf8(text) : text;
}

void ClueText::Write(const QString& path, const std::vector<ClueRow>& rows) {
    OutputFile::WriteWhole(ToPath(path), Contents(rows), W("Die Textdatei"));
}
