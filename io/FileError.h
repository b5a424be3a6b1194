#pragma once

#include <filesystem>
#include <string>

// The German words for what went wrong with a file, shared by every reader and
// writer of the program and the command line. Texts are Windows-1252.
namespace FileError {

// Not errno values: conditions the program finds itself.
constexpr int NotRegular = -1;       // a device, a pipe or a socket
constexpr int ReadOnly = -2;         // a file whose write permission is off
constexpr int AppendOnlyFolder = -3; // chattr +a: nothing in it can be replaced

// A short reason: "keine Berechtigung", "kein Platz mehr auf dem Datenträger", ...
std::string Reason(int error);

// The path as the user gave it, as Windows-1252 text.
std::string Shown(const std::filesystem::path& file);
// Only the file's name, without its folder.
std::string NameOf(const std::filesystem::path& file);

// "Die Datei NAME existiert NICHT!" for a missing file, otherwise
// "Die Datei NAME kann nicht gelesen werden: REASON."
[[noreturn]] void ThrowRead(const std::filesystem::path& file, int error);

// "WHAT "PATH" kann nicht geschrieben werden: REASON." where WHAT names the
// kind of file ("Die Bitmap", "Die PDF-Datei"); reason is a ready text.
[[noreturn]] void ThrowWrite(const std::string& what, const std::filesystem::path& file,
                             const std::string& reason);

} // namespace FileError
