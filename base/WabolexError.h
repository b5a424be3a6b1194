#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The one exception type of the program's own checks: index out of range, bad
// numbers, unreadable files and tables. Its message is a German Windows-1252
// text that the error boundary of a command shows in the box "Fehler".
class WabolexError : public std::runtime_error {
public:
    explicit WabolexError(const std::string& cp1252Message) : std::runtime_error(cp1252Message) {}
};

// "Bereichsüberschreitung: <what> <index> liegt außerhalb von 0..<last>", the
// end of a command that reached past the end of a list (what: Windows-1252).
[[noreturn]] void ThrowOutOfRange(const std::string& what, int64_t index, int64_t last);

// What an error boundary says when memory ran out (std::bad_alloc), UTF-8.
constexpr const char* OutOfMemoryMessage =
    "Es ist zu wenig Arbeitsspeicher frei; der Befehl wurde abgebrochen.";
