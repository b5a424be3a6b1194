#include "io/FilePaths.h"

#include <cerrno>
#include <climits>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace FilePaths {

namespace {

constexpr int kMostLinks = 40;

// The folder and name a missing file would get, spelt one way.
fs::path Spelt(const fs::path& file) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(file, ec);
    if (ec) {
        return file.lexically_normal();
    }
    const fs::path canonical = fs::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal() : canonical;
}

} // namespace

fs::path Final(fs::path file, int& error) {
    error = 0;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat status {};
        if (::lstat(file.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return file;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(file.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<size_t>(n) >= target.size()) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return file;
        }
        target.resize(static_cast<size_t>(n));
        const fs::path next(target);
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    error = ELOOP;
    return file;
}

bool Same(const fs::path& a, const fs::path& b) {
    int error = 0;
    const fs::path first = Final(a, error);
    const fs::path second = Final(b, error);
    struct stat one {};
    struct stat two {};
    const bool firstExists = ::stat(first.c_str(), &one) == 0;
    const bool secondExists = ::stat(second.c_str(), &two) == 0;
    if (firstExists && secondExists) {
        return one.st_dev == two.st_dev && one.st_ino == two.st_ino;
    }
    return firstExists == secondExists && Spelt(first) == Spelt(second);
}

} // namespace FilePaths
