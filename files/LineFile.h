#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Text files read and written as a whole list of lines (Windows-1252 bytes).
class LineFile {
public:
    // Reads the whole file, at most maxBytes (a larger file is refused before
    // it is read). Missing, not a regular file or unreadable -> WabolexError
    // with the German reason.
    static std::string ReadText(const std::filesystem::path& file, size_t maxBytes);

    // Writes every line followed by CR LF, whole or not at all, and leaves the
    // file read-only. An existing read-only target is refused (also for root,
    // who could otherwise replace it) and stays as it was. `what` names the
    // kind of file in messages (Windows-1252).
    static void WriteReadOnly(const std::filesystem::path& file,
                              const std::vector<std::string>& lines, const std::string& what);

    // The path as a Windows-1252 text for messages.
    static std::string DisplayName(const std::filesystem::path& file);

    // Splits a whole file's text into lines: LF, CR LF and a CR alone each
    // end a line, and a last line without an end still counts.
    static std::vector<std::string> Split(std::string_view text);

    // The lines of a text one by one, split as Split does, without copies.
    class Lines {
    public:
        explicit Lines(std::string_view text) : rest_(text) {}
        // False when no line is left.
        bool Next(std::string_view& line);

    private:
        std::string_view rest_;
    };
};
