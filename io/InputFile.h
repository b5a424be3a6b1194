#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A file opened for reading. Opening never waits: a pipe, a device or a folder
// is refused at once with a German reason, and so is a missing file. Every read
// is checked; nothing reads more than its caller allows.
class InputFile {
public:
    // Throws WabolexError: "Die Datei NAME existiert NICHT!" or "... kann nicht
    // gelesen werden: REASON."
    explicit InputFile(const std::filesystem::path& file);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // The size the file had when it was opened.
    uint64_t Size() const { return size_; }
    const std::filesystem::path& Path() const { return path_; }

    // Exactly `count` bytes from `offset`; a shorter file or a read error throws.
    void ReadAt(uint64_t offset, char* into, size_t count) const;

    // The whole file; a file larger than maxBytes is refused before it is read.
    std::string ReadAll(uint64_t maxBytes);

    // The next line without its end; false at the end of the file. LF, CR LF
    // and a CR alone each end a line, and a last line without an end still
    // counts. A line longer than maxBytes comes back empty with tooLong set,
    // and the rest of it is skipped, so no line costs more memory than that.
    bool ReadLine(std::string& line, size_t maxBytes, bool& tooLong);

    // The whole file mapped read-only, the size it had when it was opened:
    // its bytes are read from the page cache as they are used, never copied.
    // The mapping stays valid after the file is closed.
    class Image;
    Image Map() const;

    // "Die Datei NAME ist zu groß (höchstens N MB)." for callers that set limits.
    [[noreturn]] void ThrowTooLarge(uint64_t maxBytes) const;

private:
    // Refills the line buffer; false at the end of the file.
    bool Fill();

    std::filesystem::path path_;
    int fd_ = -1;
    uint64_t size_ = 0;
    std::vector<char> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
    bool afterCr_ = false; // the last line ended with a CR
};

// A read-only mapping of a file made by InputFile::Map. A file that another
// program shortens while it is mapped ends the process (SIGBUS) when the lost
// pages are read: keep an image only while a file is read.
class InputFile::Image {
public:
    Image() = default;
    ~Image();
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    std::string_view Bytes() const { return {data_, size_}; }

private:
    friend class InputFile;
    Image(const char* data, size_t size) : data_(data), size_(size) {}
    const char* data_ = nullptr;
    size_t size_ = 0;
};
