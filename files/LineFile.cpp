#include "files/LineFile.h"

#include "io/FileError.h"
#include "io/InputFile.h"
#include "io/OutputFile.h"

#include <algorithm>

namespace fs = std::filesystem;

std::string LineFile::DisplayName(const fs::path& file) {
    return FileError::Shown(file);
}

bool LineFile::Lines::Next(std::string_view& line) {
    if (rest_.empty()) {
        return false;
    }
    const size_t end = std::min(rest_.find_first_of("\r\n"), rest_.size());
    line = rest_.substr(0, end);
    size_t skip = end;
    if (end < rest_.size()) {
        skip += rest_.substr(end, 2) == "\r\n" ? 2 : 1;
    }
    rest_.remove_prefix(skip);
    return true;
}

std::vector<std::string> LineFile::Split(std::string_view text) {
    std::vector<std::string> lines;
    Lines cursor(text);
    for (std::string_view line; cursor.Next(line);) {
        lines.emplace_back(line);
    }
    return lines;
}

std::string LineFile::ReadText(const fs::path& file, size_t maxBytes) {
    InputFile in(file);
    return in.ReadAll(maxBytes);
}

void LineFile::WriteReadOnly(const fs::path& file, const std::vector<std::string>& lines,
                             const std::string& what) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    OutputFile::WriteWhole(file, text, what, true);
}
