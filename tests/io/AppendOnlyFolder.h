#pragma once

// A folder with the append-only attribute (chattr +a) for as long as the
// object lives: files can be added there but not replaced, renamed or removed.
// Setting it needs root and a file system that knows the attribute; where it
// cannot be set, Active() is false and the test skips.
#include <filesystem>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

class AppendOnlyFolder {
public:
    static constexpr const char* NotPermitted =
        "chattr +a is not permitted here (needs root and a file system with it)";

    explicit AppendOnlyFolder(const std::filesystem::path& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags_) == 0) {
            const int appendOnly = flags_ | FS_APPEND_FL;
            active_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &appendOnly) == 0;
        }
    }
    ~AppendOnlyFolder() {
        if (active_) {
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags_);
        }
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    AppendOnlyFolder(const AppendOnlyFolder&) = delete;
    AppendOnlyFolder& operator=(const AppendOnlyFolder&) = delete;

    bool Active() const { return active_; }

private:
    int fd_;
    int flags_ = 0;
    bool active_ = false;
};
