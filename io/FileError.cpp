#include "io/FileError.h"

#include "model/Cp1252.h"
#include "model/WabolexError.h"

#include <cerrno>

namespace FileError {

std::string Reason(int error) {
    switch (error) {
    case ENOENT:
        return W("Datei oder Ordner existiert nicht");
    case EISDIR:
        return W("das ist ein Ordner");
    case NotRegular:
        return W("das ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket)");
    case ReadOnly:
        return W("die Datei ist schreibgeschützt");
    case EACCES:
    case EPERM:
        return W("keine Berechtigung");
    case EROFS:
        return W("der Datenträger ist schreibgeschützt");
    case ENOSPC:
    case EDQUOT:
        return W("kein Platz mehr auf dem Datenträger");
    case ENAMETOOLONG:
        return W("der Name ist zu lang");
    case EFBIG:
        return W("die Datei würde größer als erlaubt");
    case ENOTDIR:
        return W("ein Teil des Pfades ist kein Ordner");
    case ELOOP:
        return W("zu viele symbolische Verknüpfungen hintereinander");
    case EIO:
        return W("Ein-/Ausgabefehler des Datenträgers");
    case EMFILE:
    case ENFILE:
        return W("zu viele offene Dateien");
    case ENOMEM:
        return W("nicht genug Speicher");
    case ETXTBSY:
    case EBUSY:
        return W("die Datei ist in Benutzung");
    default:
        return W("Systemfehler ") + std::to_string(error);
    }
}

std::string Shown(const std::filesystem::path& file) {
    return Cp1252::FromUtf8(file.string());
}

std::string NameOf(const std::filesystem::path& file) {
    // "Texte/" names a folder by its whole path; it has no file name.
    return Cp1252::FromUtf8(file.has_filename() ? file.filename().string() : file.string());
}

void ThrowRead(const std::filesystem::path& file, int error) {
    if (error == ENOENT) {
        throw WabolexError(W("Die Datei ") + NameOf(file) + W(" existiert NICHT!"));
    }
    throw WabolexError(W("Die Datei ") + NameOf(file) + W(" kann nicht gelesen werden: ") +
                       Reason(error) + ".");
}

void ThrowWrite(const std::string& what, const std::filesystem::path& file,
                const std::string& reason) {
    throw WabolexError(what + " \"" + Shown(file) + W("\" kann nicht geschrieben werden: ") +
                       reason + ".");
}

} // namespace FileError
