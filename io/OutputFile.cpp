#include "io/OutputFile.h"

#include "base/Cp1252.h"
#include "io/FileError.h"
#include "io/FilePaths.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <linux/fs.h>
#include <mutex>
#include <pthread.h>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr int kAttempts = 100;
constexpr size_t kSlots = 64;
// Every temporary's name ends so; nothing else the program writes does.
constexpr std::string_view kTemporaryEnd = ".wabolex-tmp";
constexpr size_t kRandomLength = 12;
constexpr char kRandomDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Names of temporaries that exist right now, for the signal handler. The
// handler may only look at lock-free atomics and fixed arrays. A writer waits
// for a free slot, so that every named temporary is known to the handler.
struct TemporarySlot {
    std::atomic<int> State{0}; // 0 free, 1 being filled, 2 names a temporary
    char Path[PATH_MAX] = {};
};
std::array<TemporarySlot, kSlots> gSlots;
std::mutex gSlotMutex;
std::condition_variable gSlotFreed;
std::atomic<bool> gDying{false};
std::atomic<int> gCreating{0}; // threads making a temporary right now
std::atomic<bool> gUnnamedAllowed{true};

void UnlinkNamedTemporaries() {
    for (TemporarySlot& slot : gSlots) {
        if (slot.State.load() == 2) {
            ::unlink(slot.Path);
        }
    }
}

extern "C" void RemoveTemporaries(int signal) {
    const int saved = errno;
    // From here on no writer makes a temporary; the ones being made right now
    // (in threads that hold the signal back meanwhile) are waited for.
    gDying.store(true);
    const timespec millisecond{0, 1000 * 1000};
    for (int waited = 0; waited < 5000 && gCreating.load() > 0; ++waited) {
        ::nanosleep(&millisecond, nullptr);
    }
    UnlinkNamedTemporaries();
    errno = saved;
    // SA_RESETHAND has restored the default action, which ends the program as
    // soon as this handler returns.
    ::raise(signal);
}

// The handler is ending the program: a writer makes no temporary any more.
[[noreturn]] void AwaitTheEnd() {
    for (;;) {
        ::pause();
    }
}

// The signals that remove temporaries, held back in one thread while it
// makes a temporary: the handler then runs in another thread, or after it.
class SignalsHeldBack {
public:
    SignalsHeldBack() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : kSignals) {
            sigaddset(&held, signal);
        }
        ::pthread_sigmask(SIG_BLOCK, &held, &old_);
    }
    ~SignalsHeldBack() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    SignalsHeldBack(const SignalsHeldBack&) = delete;
    SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

private:
    sigset_t old_;
};

void InstallHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : kSignals) {
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

// Makes the name known to the handler before the file gets it, waiting while
// every slot is taken. -1 for a name too long for a slot: the temporary is
// then removed on the normal ways out and by the next write into its folder.
int ClaimSlot(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        return -1;
    }
    std::unique_lock lock(gSlotMutex);
    for (;;) {
        for (size_t i = 0; i < gSlots.size(); ++i) {
            if (gSlots[i].State.load() == 0) {
                gSlots[i].State.store(1);
                std::memcpy(gSlots[i].Path, path.c_str(), path.size() + 1);
                gSlots[i].State.store(2);
                return static_cast<int>(i);
            }
        }
        gSlotFreed.wait(lock);
    }
}

void ReleaseSlot(int& slot) {
    if (slot >= 0) {
        const std::lock_guard lock(gSlotMutex);
        gSlots[static_cast<size_t>(slot)].State.store(0);
        gSlotFreed.notify_one();
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
    const std::lock_guard lock(mutex);
    std::string suffix;
    for (size_t i = 0; i < kRandomLength; ++i) {
        suffix += kRandomDigits[generator() % 36];
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

// The inode flags chattr sets (append only, immutable); 0 where the file
// system has none.
int InodeFlags(const fs::path& path, int openFlags) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | openFlags);
    if (fd < 0) {
        return 0;
    }
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        flags = 0;
    }
    ::close(fd);
    return flags;
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
    if ((status.st_mode & S_IWUSR) == 0 ||
        (InodeFlags(file, 0) & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0) {
        return FileError::ReadOnly;
    }
    if (::access(file.c_str(), W_OK) != 0) {
        return errno;
    }
    return 0;
}

bool SameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A writer holds its temporary locked from before it has a name until it is
// renamed or removed; a temporary nobody holds is a leftover of a writer that
// was killed. Locks that the file system does not offer count as held by
// nobody but also keep the cleaner away (it needs the lock itself).
void Lock(int fd) {
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

// A temporary of this program that no running writer holds, in a folder
// that has not been cleaned by this process yet: removed. A writer of another
// process holds its own temporary locked, so it is never touched.
void RemoveLeftovers(const fs::path& folder) {
    struct stat folderStatus {};
    if (::stat(folder.c_str(), &folderStatus) != 0) {
        return;
    }
    // By path and inode: a folder removed and made anew may get the inode of
    // one cleaned before.
    static std::mutex mutex;
    static std::set<std::tuple<dev_t, ino_t, std::string>> cleaned;
    {
        const std::lock_guard lock(mutex);
        if (!cleaned.emplace(folderStatus.st_dev, folderStatus.st_ino, folder.string()).second) {
            return;
        }
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (!OutputFile::IsTemporaryName(entry->d_name)) {
            continue;
        }
        const fs::path path = folder / entry->d_name;
        const int fd =
            ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            continue;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            SameInode(opened, named)) {
            ::unlink(path.c_str());
        }
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

OutputFile::OutputFile(const fs::path& target, std::string what)
    : shown_(target), what_(std::move(what)) {
    InstallHandlers();
    CheckTarget();
    RemoveLeftovers(folder_);
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
    target_ = FilePaths::Final(shown_, error);
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
        exists_ = true;
    } else if (errno != ENOENT) {
        Fail(errno);
    } else if (::stat(folder_.c_str(), &status) != 0) {
        if (errno == ENOENT) {
            FailWith(W("der Ordner \"") + FileError::Shown(folder_) + W("\" existiert nicht"));
        }
        Fail(errno);
    } else if (!S_ISDIR(status.st_mode)) {
        Fail(ENOTDIR);
    }
    // Nothing can be renamed or removed there: neither the old file replaced
    // nor a temporary taken away again.
    if ((InodeFlags(folder_, O_DIRECTORY) & FS_APPEND_FL) != 0) {
        Fail(FileError::AppendOnlyFolder);
    }
}

void OutputFile::OpenTemporary() {
    if (!exists_) {
        mode_ = NewFileMode();
    }
#ifdef O_TMPFILE
    // Unnamed until it is complete: nothing is left over, whatever happens.
    // Linking it needs /proc.
    if (gUnnamedAllowed.load() && ::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            unnamed_ = true;
            Lock(fd_);
            return;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            Fail(errno);
        }
    }
#endif
    ClaimTemporary([this](const std::string& name) {
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            return false;
        }
        // Locked, and still under its name: a cleaner of another process may
        // have taken it away between the two.
        Lock(fd_);
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd_, &opened) == 0 && opened.st_nlink > 0 &&
            ::lstat(name.c_str(), &named) == 0 && SameInode(opened, named)) {
            return true;
        }
        ::close(fd_);
        fd_ = -1;
        errno = EEXIST;
        return false;
    });
}

// Tries fresh hidden names until `create` makes a file under one; a name that
// exists already is the only failure worth another try.
void OutputFile::ClaimTemporary(const std::function<bool(const std::string&)>& create) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string name = TemporaryName();
        slot_ = ClaimSlot(name);
        bool created = false;
        int error = 0;
        {
            const SignalsHeldBack held;
            gCreating.fetch_add(1);
            if (gDying.load()) {
                gCreating.fetch_sub(1);
                AwaitTheEnd();
            }
            created = create(name);
            error = errno;
            gCreating.fetch_sub(1);
        }
        if (created) {
            temporary_ = name;
            return;
        }
        ReleaseSlot(slot_);
        if (error != EEXIST) {
            Fail(error);
        }
    }
    Fail(EEXIST);
}

// A hidden name beside the target that tells whose temporary it is and that
// this program made it: ".NAME.RANDOM.wabolex-tmp".
std::string OutputFile::TemporaryName() const {
    std::string name(1, '.');
    name.append(target_.filename().string(), 0, 100);
    name += '.';
    name += RandomSuffix();
    name += kTemporaryEnd;
    return (folder_ / name).string();
}

bool OutputFile::IsTemporaryName(std::string_view name) {
    const size_t fixed = 1 + 1 + kRandomLength + kTemporaryEnd.size();
    if (name.size() <= fixed || name.front() != '.' || !name.ends_with(kTemporaryEnd)) {
        return false;
    }
    name.remove_suffix(kTemporaryEnd.size());
    const std::string_view random = name.substr(name.size() - kRandomLength);
    return name[name.size() - kRandomLength - 1] == '.' &&
           random.find_first_not_of(kRandomDigits) == std::string_view::npos;
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

bool OutputFile::LinkUnnamed() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    // A new file gets its own name at once, complete: no temporary name at all.
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    if (errno != EEXIST) {
        Fail(errno);
    }
    ClaimTemporary([&self](const std::string& name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    });
    return false;
}

void OutputFile::Commit(bool readOnly) {
    if (committed_ || fd_ < 0) {
        Fail(EBADF);
    }
    const unsigned mode = readOnly ? (S_IRUSR | S_IRGRP | S_IROTH) : mode_;
    if (::fsync(fd_) != 0 || ::fchmod(fd_, static_cast<mode_t>(mode)) != 0) {
        Fail(errno);
    }
    const bool linked = unnamed_ && LinkUnnamed();
    if (!linked) {
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
    }
    temporary_.clear();
    ReleaseSlot(slot_);
    committed_ = true;
    // The lock is held up to here. The data reached the disk with fsync, so
    // closing has nothing left to report.
    ::close(fd_);
    fd_ = -1;
    // The new name itself reaches the disk with the folder.
    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void OutputFile::Discard() {
    // Removed while still locked, so that no cleaner meets it half gone.
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    ReleaseSlot(slot_);
}

void OutputFile::Check(const fs::path& target, const std::string& what) {
    OutputFile probe(what);
    probe.shown_ = target;
    probe.CheckTarget();
    if (!probe.exists_ && ::access(probe.folder_.c_str(), W_OK | X_OK) != 0) {
        probe.Fail(errno);
    }
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
