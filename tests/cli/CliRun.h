#pragma once

// Runs the built wabolex-cli as a user would, in a folder of its own.
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace CliRun {

struct Result {
    int Status = -1;        // exit status; -signal when a signal ended the run
    std::string Out;        // UTF-8
    std::string Err;        // UTF-8
    long PeakKilobytes = 0; // the most memory the run held
};

// What a run may meet besides its arguments.
struct Conditions {
    long FileSizeLimit = -1;      // bytes, as "ulimit -f" sets it
    long OpenFiles = -1;          // file handles, as "ulimit -n" sets it
    long AddressSpace = -1;       // bytes of memory, as "ulimit -v" sets it
    std::filesystem::path Stdout; // instead of a file of the test's own
    bool StdoutClosed = false;    // started with its output closed
    // /proc hidden in a mount namespace of its own, so that files cannot be
    // made unnamed (O_TMPFILE needs /proc to be linked). A run that cannot
    // have it exits with CannotHideProc.
    bool HideProc = false;
    std::vector<std::pair<std::string, std::string>> Environment; // set besides the test's own
    unsigned Seconds = 120; // a run that takes longer is ended
};

constexpr int CannotHideProc = 125;

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

// A started run; Finish waits for it.
struct Running {
    pid_t Pid = -1;
    std::filesystem::path Out;
    std::filesystem::path Err;
    bool OwnOut = true;
};

inline Running Start(const std::filesystem::path& folder, const std::vector<std::string>& args,
                     const Conditions& conditions = {}) {
    static int counter = 0;
    const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(++counter);
    Running run;
    run.Out = conditions.Stdout.empty()
                  ? std::filesystem::temp_directory_path() / ("wabolex-cli-out-" + tag)
                  : conditions.Stdout;
    run.OwnOut = conditions.Stdout.empty();
    run.Err = std::filesystem::temp_directory_path() / ("wabolex-cli-err-" + tag);
    run.Pid = ::fork();
    if (run.Pid == 0) {
        const int out = ::open(run.Out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(run.Err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
            ::chdir(folder.c_str()) != 0) {
            ::_exit(126);
        }
        // Only the three standard handles stay open, whatever the test
        // program was given (ctest's pipes, say).
        ::close_range(3, ~0u, 0);
        // Built vocabularies are kept in the build folder, not the user's.
        ::setenv("XDG_CACHE_HOME", WABOLEX_TEST_CACHE, 1);
        for (const auto& [name, value] : conditions.Environment) {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
        for (const auto& [resource, value] : {std::pair{RLIMIT_FSIZE, conditions.FileSizeLimit},
                                              std::pair{RLIMIT_NOFILE, conditions.OpenFiles},
                                              std::pair{RLIMIT_AS, conditions.AddressSpace}}) {
            if (value >= 0) {
                const rlimit limit{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
                ::setrlimit(resource, &limit);
            }
        }
        if (conditions.StdoutClosed) {
            ::close(1);
        }
        if (conditions.HideProc &&
            (::unshare(CLONE_NEWNS) != 0 ||
             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
             ::mount("tmpfs", "/proc", "tmpfs", 0, "size=16k") != 0)) {
            ::_exit(CannotHideProc);
        }
        ::alarm(conditions.Seconds);
        std::vector<char*> argv{const_cast<char*>(WABOLEX_CLI)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(WABOLEX_CLI, argv.data());
        ::_exit(127);
    }
    return run;
}

inline Result Finish(const Running& run) {
    int status = 0;
    rusage usage{};
    ::wait4(run.Pid, &status, 0, &usage);
    Result result;
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    result.PeakKilobytes = usage.ru_maxrss;
    if (run.OwnOut) {
        result.Out = ReadBytes(run.Out);
        std::filesystem::remove(run.Out);
    }
    result.Err = ReadBytes(run.Err);
    std::filesystem::remove(run.Err);
    return result;
}

// wabolex-cli with these arguments, started in folder.
inline Result Run(const std::filesystem::path& folder, const std::vector<std::string>& args,
                  const Conditions& conditions = {}) {
    return Finish(Start(folder, args, conditions));
}

inline std::filesystem::path MakeTempFolder(const char* name) {
    std::string pattern = (std::filesystem::temp_directory_path() / name).string() + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

} // namespace CliRun
