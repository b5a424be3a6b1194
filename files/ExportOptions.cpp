#include "files/ExportOptions.h"

#include "base/Cp1252.h"

std::string ExportOptions::TitleOf(const Puzzle& puzzle) const {
    if (Title) {
        return *Title;
    }
    const std::string& source = puzzle.SourceName;
    return Cp1252::ToUtf8(source.substr(0, source.find('.')));
}
