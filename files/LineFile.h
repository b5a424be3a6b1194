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
    // Missing, unreadable or larger than maxBytes -> WabolexError.
    static std::vector<std::string> Read(const std::filesystem::path& file, size_t maxBytes);

    // Writes every line followed by CR LF into a temporary file beside the
    // target, removes its write bits and renames it over the target, so a
    // failed write never leaves half a file. An existing read-only target is
    // refused (also for root, who could otherwise replace it) and stays as it was.
    static void WriteReadOnly(const std::filesystem::path& file,
                              const std::vector<std::string>& lines);

    // Throws the error WriteReadOnly would give for a target that cannot be
    // replaced (read-only file, folder, missing folder), without writing.
    static void CheckWritable(const std::filesystem::path& file);

    // A German reason why writing the file failed (missing folder, folder,
    // read-only file, no permission), for writers that only report a failure.
    static std::string WriteFailureReason(const std::filesystem::path& file);

    // The path as a Windows-1252 text for messages.
    static std::string DisplayName(const std::filesystem::path& file);

    // Splits a whole file's text into lines as Read does.
    static std::vector<std::string> Split(const std::string& text);
};
