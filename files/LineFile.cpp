#include "files/LineFile.h"

#include "io/FileError.h"
#include "io/InputFile.h"
#include "io/OutputFile.h"

namespace fs = std::filesystem;

std::string LineFile::DisplayName(const fs::path& file) {
    return FileError::Shown(file);
}

std::vector<std::string> LineFile::Split(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool ended = end != std::string::npos;
        if (!ended) {
            end = text.size();
        }
        size_t length = end - start;
        if (ended && length > 0 && text[end - 1] == '\r') {
            --length;
        }
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> LineFile::Read(const fs::path& file, size_t maxBytes) {
    InputFile in(file);
    return Split(in.ReadAll(maxBytes));
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
