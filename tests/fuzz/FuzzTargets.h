#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What the fuzzing harnesses run on every input, shared with the test that
// replays the checked-in corpus. Each returns "" when the reader behaved: it
// read the input or refused it with a WabolexError; otherwise what went wrong.
namespace FuzzTargets {

// The Paradox reader with vocabulary loading: every field of every record read
// as text and as a number, then the words loaded into a puzzle's word list.
std::string ParadoxTable(const uint8_t* data, size_t size);

// The puzzle file reader; what it accepts is put into a puzzle, written back
// and must read back the same.
std::string PuzzleFile(const uint8_t* data, size_t size);

} // namespace FuzzTargets
