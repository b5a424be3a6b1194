#pragma once

// Runs a piece of a test in a forked child, so that it may set limits, be
// killed by a signal or hang without taking the test program with it.
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define WABOLEX_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WABOLEX_UNDER_ASAN 1
#endif
#endif

namespace ChildProcess {

// ASan reserves its shadow memory up front and cannot run under a limit of
// the address space (RLIMIT_AS): tests that set one skip it in that build.
#ifdef WABOLEX_UNDER_ASAN
inline constexpr bool UnderAddressSanitizer = true;
#else
inline constexpr bool UnderAddressSanitizer = false;
#endif

// The child runs `body` and exits with its result; after `seconds` SIGALRM
// ends it. Returns the exit status, or -signal when a signal ended it.
inline int Run(const std::function<int()>& body, unsigned seconds = 20) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(seconds);
        int status = 99;
        try {
            status = body();
        } catch (...) {
            status = 98;
        }
        ::_exit(status);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace ChildProcess
