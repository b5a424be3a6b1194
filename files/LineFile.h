#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// Text files read and written as a whole list of lines (Windows-1252 bytes).
class LineFile {
public:
    // Reads the file and splits it at LF; a CR before the LF is dropped, so
    // CR LF and LF files read alike. A last line without an end still counts.
    // Missing, not a regular file, unreadable or larger than maxBytes ->
    // WabolexError with the German reason.
    static std::vector<std::string> Read(const std::filesystem::path& file, size_t maxBytes);

    // Writes every line followed by CR LF, whole or not at all, and leaves the
    // file read-only. An existing read-only target is refused (also for root,
    // who could otherwise replace it) and stays as it was. `what` names the
    // kind of file in messages (Windows-1252).
    static void WriteReadOnly(const std::filesystem::path& file,
                              const std::vector<std::string>& lines, const std::string& what);

    // The path as a Windows-1252 text for messages.
    static std::string DisplayName(const std::filesystem::path& file);

    // Splits a whole file's text into lines as Read does.
    static std::vector<std::string> Split(const std::string& text);
};
