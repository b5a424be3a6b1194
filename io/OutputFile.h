#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

// The one way the program writes a file: whole or not at all.
//
// The bytes go into a temporary file in the target's folder (unnamed where the
// system allows it); every write is checked; Commit flushes it to the disk and
// gives it the target's name in one step (a link for a new file, a rename over
// an old one). Until then the old file stays as it was, and a failure, an
// exception or SIGINT/SIGTERM/SIGHUP leaves no temporary behind. A temporary
// left by a program killed outright (SIGKILL, a power cut) carries a name only
// this program makes (IsTemporaryName); the first write of a process into a
// folder removes those that no running writer holds. A symbolic link is
// followed: the link stays, the file it names is replaced. A target that is a
// folder, a device, a pipe or a read-only file, and a folder that only allows
// adding files (chattr +a), are refused before anything is written. Failures
// throw WabolexError with a German message: WHAT "PATH" kann nicht geschrieben
// werden: REASON.
//
// The process ignores SIGXFSZ from the first use on, so that a file-size limit
// is reported as an error instead of ending the program.
class OutputFile {
public:
    // what names the kind of file in messages, Windows-1252: W("Die Bitmap").
    explicit OutputFile(const std::filesystem::path& target, std::string what);
    // Without Commit, the temporary goes and the target stays as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Write(std::string_view bytes);

    // New files get the usual permissions (0666 less the umask), a replaced
    // file keeps its own; readOnly makes the result read-only for everybody.
    void Commit(bool readOnly = false);

    // Bytes written so far.
    uint64_t Size() const { return size_; }
    // The file that will be replaced: the target after following its links.
    const std::filesystem::path& Target() const { return target_; }

    // Throws what writing the target would throw before the first byte:
    // missing folder, folder, device, read-only file, no permission, ...
    // Makes no file.
    static void Check(const std::filesystem::path& target, const std::string& what);

    // Is this the name of a temporary (without folder)?
    static bool IsTemporaryName(std::string_view name);

    // The unnamed temporary needs O_TMPFILE and /proc; where it is not
    // allowed (tests of the other way), a hidden named one takes its place.
    static void AllowUnnamedTemporaries(bool allowed);

    // Write and Commit in one.
    static void WriteWhole(const std::filesystem::path& target, std::string_view bytes,
                           const std::string& what, bool readOnly = false);

private:
    explicit OutputFile(std::string what) : what_(std::move(what)) {} // for Check
    [[noreturn]] void Fail(int error) const;
    [[noreturn]] void FailWith(const std::string& reason) const;
    void CheckTarget();
    void OpenTemporary();
    std::string TemporaryName() const;
    bool LinkUnnamed(); // true: linked as the target itself
    void ClaimTemporary(const std::function<bool(const std::string&)>& create);
    void Discard();

    std::filesystem::path shown_;  // as the caller gave it, for messages
    std::filesystem::path target_; // links followed
    std::filesystem::path folder_;
    std::string what_;
    unsigned mode_ = 0;
    bool exists_ = false; // the target is there already
    int fd_ = -1;
    bool unnamed_ = false;  // O_TMPFILE: no name until Commit links it
    std::string temporary_; // the temporary's name while it has one
    int slot_ = -1;         // where the signal handler finds that name
    uint64_t size_ = 0;
    bool committed_ = false;
};
