#include "io/InputFile.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr size_t kLineBuffer = 64 * 1024;

} // namespace

InputFile::InputFile(const std::filesystem::path& file) : path_(file) {
    // O_NONBLOCK: opening a pipe without a writer would otherwise wait forever.
    fd_ = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) {
        FileError::ThrowRead(file, errno);
    }
    struct stat status {};
    int error = 0;
    if (::fstat(fd_, &status) != 0) {
        error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(status.st_mode)) {
        error = FileError::NotRegular;
    } else {
        // A regular file never blocks; reads go on as usual.
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            error = errno;
        }
    }
    if (error != 0) {
        ::close(fd_);
        fd_ = -1;
        FileError::ThrowRead(file, error);
    }
    size_ = static_cast<uint64_t>(status.st_size);
}

InputFile::~InputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void InputFile::ReadAt(uint64_t offset, char* into, size_t count) const {
    while (count > 0) {
        const ssize_t n = ::pread(fd_, into, count, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            FileError::ThrowRead(path_, errno);
        }
        if (n == 0) {
            throw WabolexError(W("Die Datei ") + FileError::NameOf(path_) +
                               W(" ist beim Lesen kürzer geworden."));
        }
        into += n;
        count -= static_cast<size_t>(n);
        offset += static_cast<uint64_t>(n);
    }
}

InputFile::Image InputFile::Map() const {
    if (size_ == 0) {
        return {}; // nothing to map; the empty image reads as an empty file
    }
    // The pages of a file of common size are mapped at once, in one call
    // instead of a fault per few pages; a large one only as it is read.
    constexpr uint64_t kMappedAtOnce = 64u << 20;
    const int flags = MAP_PRIVATE | (size_ <= kMappedAtOnce ? MAP_POPULATE : 0);
    void* data = ::mmap(nullptr, static_cast<size_t>(size_), PROT_READ, flags, fd_, 0);
    if (data == MAP_FAILED) {
        FileError::ThrowRead(path_, errno);
    }
    return {static_cast<const char*>(data), static_cast<size_t>(size_)};
}

InputFile::Image::~Image() {
    if (data_ != nullptr) {
        ::munmap(const_cast<char*>(data_), size_);
    }
}

InputFile::Image::Image(Image&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

InputFile::Image& InputFile::Image::operator=(Image&& other) noexcept {
    if (this != &other) {
        Image gone(std::move(*this));
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void InputFile::ThrowTooLarge(uint64_t maxBytes) const {
    const uint64_t megabytes = maxBytes / (1024 * 1024);
    throw WabolexError(
        W("Die Datei ") + FileError::NameOf(path_) + W(" ist zu groß (höchstens ") +
        (megabytes > 0 ? std::to_string(megabytes) + " MB" : std::to_string(maxBytes) + " Bytes") +
        ").");
}

std::string InputFile::ReadAll(uint64_t maxBytes) {
    if (size_ > maxBytes) {
        ThrowTooLarge(maxBytes);
    }
    std::string text(static_cast<size_t>(size_), '\0');
    ReadAt(0, text.data(), text.size());
    return text;
}

bool InputFile::Fill() {
    if (buffer_.empty()) {
        buffer_.resize(kLineBuffer);
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            FileError::ThrowRead(path_, errno);
        }
        begin_ = 0;
        end_ = static_cast<size_t>(n);
        return n > 0;
    }
}

bool InputFile::ReadLine(std::string& line, size_t maxBytes, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool any = false;
    for (;;) {
        if (begin_ == end_ && !Fill()) {
            break;
        }
        // The LF of a CR LF whose CR ended the last line.
        if (afterCr_) {
            afterCr_ = false;
            if (buffer_[begin_] == '\n') {
                ++begin_;
                continue;
            }
        }
        any = true;
        const char* start = buffer_.data() + begin_;
        const char* stop = buffer_.data() + end_;
        const char* lineEnd =
            std::find_if(start, stop, [](char c) { return c == '\n' || c == '\r'; });
        const size_t length = static_cast<size_t>(lineEnd - start);
        if (!tooLong) {
            if (line.size() + length > maxBytes) {
                tooLong = true;
                line.clear();
                line.shrink_to_fit();
            } else {
                line.append(start, length);
            }
        }
        begin_ += length;
        if (lineEnd != stop) {
            afterCr_ = *lineEnd == '\r';
            ++begin_;
            break;
        }
    }
    return any;
}
