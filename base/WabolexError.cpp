#include "base/WabolexError.h"

#include "base/Cp1252.h"

void ThrowOutOfRange(const std::string& what, int64_t index, int64_t last) {
    throw WabolexError(W("Bereichsüberschreitung: ") + what + " " + std::to_string(index) +
                       W(" liegt außerhalb von 0..") + std::to_string(last));
}
