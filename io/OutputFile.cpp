#include "io/OutputFile.h"

#include "base/Cp1252.h"
#include "io/FileError.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMostLinks = 40;
constexpr int kAttempts = 100;

// Names of temporaries that exist right now, for the signal handler. The
// handler may only look at lock-free atomics and fixed arrays.
struct TemporarySlot {
    std::atomic<int> State{0}; // 0 free, 1 being filled, 2 names a temporary
    char Path[PATH_MAX] = {};
};
std::array<TemporarySlot, 16> gSlots;
std::atomic<bool> gUnnamedAllowed{true};

extern "C" void RemoveTemporaries(int signal) {
    const int saved = errno;
    for (TemporarySlot& slot : gSlots) {
        if (slot.State.load() == 2) {
            ::unlink(slot.Path);
        }
    }
    errno = saved;
    // SA_RESETHAND has restored the default action, which ends the program as
    // soon as this handler returns.
    ::raise(signal);
}

void InstallHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            struct sigaction old {};
            // A handler the program or its caller set stays in charge.
            if (::sigaction(signal, nullptr, &old) != 0 || (old.sa_flags & SA_SIGINFO) != 0 ||
                old.sa_handler != SIG_DFL) {
                continue;
            }
            struct sigaction action {};
            action.sa_handler = RemoveTemporaries;
            sigemptyset(&action.sa_mask);
            action.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &action, nullptr);
        }
        struct sigaction old {};
        if (::sigaction(SIGXFSZ, nullptr, &old) == 0 && (old.sa_flags & SA_SIGINFO) == 0 &&
            old.sa_handler == SIG_DFL) {
            ::signal(SIGXFSZ, SIG_IGN);
        }
    });
}

// Makes the name known to the handler before the file gets it; -1 when every
// slot is taken (the temporary is then only removed on the normal ways out).
int ClaimSlot(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        return -1;
    }
    for (size_t i = 0; i < gSlots.size(); ++i) {
        int expected = 0;
        if (gSlots[i].State.compare_exchange_strong(expected, 1)) {
            std::memcpy(gSlots[i].Path, path.c_str(), path.size() + 1);
            gSlots[i].State.store(2);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ReleaseSlot(int& slot) {
    if (slot >= 0) {
        gSlots[static_cast<size_t>(slot)].State.store(0);
        slot = -1;
    }
}

// Files are written from several threads at once (a batch of puzzles).
std::string RandomSuffix() {
    static std::mutex mutex;
    static std::mt19937_64 generator(
        std::random_device{}() ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<uint64_t>(::getpid()) << 32));
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    const std::lock_guard lock(mutex);
    std::string suffix;
    for (int i = 0; i < 12; ++i) {
        suffix += digits[generator() % 36];
    }
    return suffix;
}

// umask can only be read by setting it: one thread at a time, so that threads
// writing at once never see (or leave behind) the short-lived 0 of another.
unsigned NewFileMode() {
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}

// The file a chain of symbolic links ends at; the path itself when it is none.
fs::path FollowLinks(fs::path file, int& error) {
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

// Why an existing file must not be replaced, or 0.
int ProblemWithExisting(const fs::path& file, const struct stat& status) {
    if (S_ISDIR(status.st_mode)) {
        return EISDIR;
    }
    if (!S_ISREG(status.st_mode)) {
        return FileError::NotRegular;
    }
    // A rename would replace a read-only file without asking, also for root.
    if ((status.st_mode & S_IWUSR) == 0) {
        return FileError::ReadOnly;
    }
    if (::access(file.c_str(), W_OK) != 0) {
        return errno;
    }
    return 0;
}

} // namespace

OutputFile::OutputFile(const fs::path& target, std::string what)
    : shown_(target), what_(std::move(what)) {
    InstallHandlers();
    CheckTarget();
    OpenTemporary();
}

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::Fail(int error) const {
    FailWith(FileError::Reason(error));
}

void OutputFile::FailWith(const std::string& reason) const {
    FileError::ThrowWrite(what_, shown_, reason);
}

void OutputFile::CheckTarget() {
    if (shown_.empty()) {
        Fail(ENOENT);
    }
    int error = 0;
    target_ = FollowLinks(shown_, error);
    if (error != 0) {
        Fail(error);
    }
    folder_ = target_.parent_path().empty() ? fs::path(".") : target_.parent_path();
    struct stat status {};
    if (::stat(target_.c_str(), &status) == 0) {
        if (const int problem = ProblemWithExisting(target_, status); problem != 0) {
            Fail(problem);
        }
        mode_ = static_cast<unsigned>(status.st_mode) & 0777u;
        return;
    }
    if (errno != ENOENT) {
        Fail(errno);
    }
    mode_ = NewFileMode();
    if (::stat(folder_.c_str(), &status) != 0) {
        if (errno == ENOENT) {
            FailWith(W("der Ordner \"") + FileError::Shown(folder_) + W("\" existiert nicht"));
        }
        Fail(errno);
    }
    if (!S_ISDIR(status.st_mode)) {
        Fail(ENOTDIR);
    }
}

void OutputFile::OpenTemporary() {
#ifdef O_TMPFILE
    // Unnamed until it is complete: nothing is left over, whatever happens.
    // Linking it needs /proc.
    if (gUnnamedAllowed.load() && ::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            unnamed_ = true;
            return;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            Fail(errno);
        }
    }
#endif
    ClaimTemporary([this](const std::string& name) {
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        return fd_ >= 0;
    });
}

// Tries fresh hidden names until `create` makes a file under one; a name that
// exists already is the only failure worth another try.
void OutputFile::ClaimTemporary(const std::function<bool(const std::string&)>& create) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string name = TemporaryName();
        slot_ = ClaimSlot(name);
        if (create(name)) {
            temporary_ = name;
            return;
        }
        const int error = errno;
        ReleaseSlot(slot_);
        if (error != EEXIST) {
            Fail(error);
        }
    }
    Fail(EEXIST);
}

// A hidden name beside the target that tells whose temporary it is.
std::string OutputFile::TemporaryName() const {
    std::string name(1, '.');
    name.append(target_.filename().string(), 0, 120);
    name += '.';
    name += RandomSuffix();
    return (folder_ / name).string();
}

void OutputFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno);
        }
        bytes.remove_prefix(static_cast<size_t>(n));
        size_ += static_cast<uint64_t>(n);
    }
}

void OutputFile::LinkTemporary() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    ClaimTemporary([&self](const std::string& name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    });
}

void OutputFile::Commit(bool readOnly) {
    if (committed_ || fd_ < 0) {
        Fail(EBADF);
    }
    const unsigned mode = readOnly ? (S_IRUSR | S_IRGRP | S_IROTH) : mode_;
    if (::fsync(fd_) != 0 || ::fchmod(fd_, static_cast<mode_t>(mode)) != 0) {
        Fail(errno);
    }
    if (unnamed_) {
        LinkTemporary();
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        Fail(errno);
    }
    // Another program may have changed the target since it was checked.
    struct stat status {};
    if (::lstat(target_.c_str(), &status) == 0) {
        if (const int problem = ProblemWithExisting(target_, status); problem != 0) {
            Fail(problem);
        }
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Fail(errno);
    }
    temporary_.clear();
    ReleaseSlot(slot_);
    committed_ = true;
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void OutputFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    ReleaseSlot(slot_);
}

void OutputFile::Check(const fs::path& target, const std::string& what) {
    const OutputFile probe(target, what);
}

void OutputFile::AllowUnnamedTemporaries(bool allowed) {
    gUnnamedAllowed.store(allowed);
}

void OutputFile::WriteWhole(const fs::path& target, std::string_view bytes, const std::string& what,
                            bool readOnly) {
    OutputFile file(target, what);
    file.Write(bytes);
    file.Commit(readOnly);
}
