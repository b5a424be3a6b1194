#include "app/cli/CliCommands.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/FileError.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <iostream>
#include <new>

namespace Cli {

void Error(const std::string& cp1252Message) {
    std::cerr << Cp1252::ToUtf8(cp1252Message) << '\n';
}

void Out(const std::string& cp1252Line) {
    std::cout << Cp1252::ToUtf8(cp1252Line) << '\n';
}

int FinishOutput(int status) {
    // Output that never arrived is a failure, even when the work was done.
    errno = 0;
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!failed) {
        return status;
    }
    const int error = errno;
    // EBADF: the caller started the program with its output closed.
    Error(W("Die Ausgabe kann nicht geschrieben werden: ") +
          (error == EBADF ? W("die Standardausgabe ist geschlossen")
           : error != 0   ? FileError::Reason(error)
                          : W("Schreibfehler")) +
          ".");
    return status == Ok ? Failure : status;
}

int Guarded(const std::function<int()>& command) {
    try {
        return command();
    } catch (const WabolexError& e) {
        Error(e.what());
    } catch (const std::bad_alloc&) {
        Error(W(OutOfMemoryMessage));
    } catch (const std::exception& e) {
        Error(W("Fehler: ") + e.what());
    }
    return Failure;
}

} // namespace Cli
