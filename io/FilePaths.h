#pragma once

#include <filesystem>

// Paths as the system sees them: bytes, never recoded, with symbolic links
// followed the way a write follows them.
namespace FilePaths {

// The file a path ends at after following its symbolic links, also when that
// file does not exist yet (a link that names a missing file). error is set
// for a loop of links or a link that cannot be read; the path reached so far
// comes back.
std::filesystem::path Final(std::filesystem::path file, int& error);

// Do two paths name one file? Files that exist are compared as files (hard
// links and other spellings of a path included), files still to be made by
// the folder and name a write would give them.
bool Same(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace FilePaths
