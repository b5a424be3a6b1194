#include "files/LineFile.h"

#include "model/Cp1252.h"
#include "model/WabolexError.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A short German reason for the common ways a file operation fails.
std::string Reason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return W("keine Berechtigung");
    case ENOSPC:
        return W("kein Platz mehr auf dem Datenträger");
    case EROFS:
        return W("der Datenträger ist schreibgeschützt");
    case ENOENT:
        return W("Ordner oder Datei nicht vorhanden");
    case EISDIR:
        return W("das ist ein Ordner");
    case ENAMETOOLONG:
        return W("der Name ist zu lang");
    default:
        return W("Systemfehler ") + std::to_string(error);
    }
}

[[noreturn]] void WriteFailed(const fs::path& file, int error) {
    throw WabolexError(W("Die Datei \"") + LineFile::DisplayName(file) +
                       W("\" kann nicht geschrieben werden: ") + Reason(error) + ".");
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Refuses targets that must not be replaced: folders and read-only files. A
// rename would replace a read-only file without asking, so this is checked here.
void CheckTarget(const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status)) {
        const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
        if (!fs::is_directory(folder, ec)) {
            throw WabolexError(W("Der Ordner \"") + LineFile::DisplayName(folder) +
                               W("\" existiert NICHT!"));
        }
        return;
    }
    if (fs::is_directory(status)) {
        throw WabolexError(W("\"") + LineFile::DisplayName(file) +
                           W("\" ist ein Ordner und kann nicht überschrieben werden."));
    }
    const bool ownerMayWrite = (status.permissions() & fs::perms::owner_write) != fs::perms::none;
    if (!ownerMayWrite || ::access(file.c_str(), W_OK) != 0) {
        throw WabolexError(W("Die Datei \"") + LineFile::DisplayName(file) +
                           W("\" ist schreibgeschützt und wird nicht überschrieben."));
    }
}

} // namespace

void LineFile::CheckWritable(const fs::path& file) {
    CheckTarget(file);
}

std::string LineFile::WriteFailureReason(const fs::path& file) {
    std::error_code ec;
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    if (!fs::is_directory(folder, ec)) {
        return W("der Ordner \"") + DisplayName(folder) + W("\" existiert nicht");
    }
    const fs::file_status status = fs::status(file, ec);
    if (fs::is_directory(status)) {
        return W("das ist ein Ordner");
    }
    if (fs::exists(status) && ::access(file.c_str(), W_OK) != 0) {
        return W("die Datei ist schreibgeschützt");
    }
    if (!fs::exists(status) && ::access(folder.c_str(), W_OK) != 0) {
        return W("keine Berechtigung, im Ordner zu schreiben");
    }
    return W("Schreibfehler, vielleicht ist der Datenträger voll");
}

std::string LineFile::DisplayName(const fs::path& file) {
    return Cp1252::FromUtf8(file.string());
}

std::vector<std::string> LineFile::Split(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool ended = end != std::string::npos;
        if (!ended) {
            end = text.size();
        }
        size_t length = end - start;
        if (ended && length > 0 && text[end - 1] == '\r') {
            --length;
        }
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> LineFile::Read(const fs::path& file, size_t maxBytes) {
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        throw WabolexError(W("Die Datei \"") + DisplayName(file) + W("\" existiert NICHT!"));
    }
    if (fs::is_directory(file, ec)) {
        throw WabolexError(W("\"") + DisplayName(file) + W("\" ist ein Ordner, keine Datei."));
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw WabolexError(W("Die Datei \"") + DisplayName(file) +
                           W("\" kann nicht gelesen werden: ") + Reason(errno) + ".");
    }
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<size_t>(in.gcount()));
        if (text.size() > maxBytes) {
            throw WabolexError(W("Die Datei \"") + DisplayName(file) +
                               W("\" ist zu groß für eine Rätseldatei."));
        }
    }
    if (in.bad()) {
        throw WabolexError(W("Die Datei \"") + DisplayName(file) +
                           W("\" kann nicht vollständig gelesen werden."));
    }
    return Split(text);
}

void LineFile::WriteReadOnly(const fs::path& file, const std::vector<std::string>& lines) {
    CheckTarget(file);

    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }

    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::string hidden = ".";
    hidden += file.filename().string();
    hidden += ".XXXXXX";
    std::string pattern = (folder / hidden).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        WriteFailed(file, errno);
    }
    const fs::path temporary = pattern;
    int error = 0;
    if (!WriteAll(fd, text) || ::fsync(fd) != 0 || ::fchmod(fd, S_IRUSR | S_IRGRP | S_IROTH) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        WriteFailed(file, error);
    }
}
