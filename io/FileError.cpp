#include "io/FileError.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"

#include <cerrno>
#include <utility>

namespace FileError {

std::string Reason(int error) {
    // Each condition with its words (UTF-8 here, Windows-1252 when given out).
    static const std::pair<int, const char*> reasons[] = {
        {ENOENT, "Datei oder Ordner existiert nicht"},
        {EISDIR, "das ist ein Ordner"},
        {NotRegular,
         "das ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein Socket)"},
        {ReadOnly, "die Datei ist schreibgeschützt"},
        {AppendOnlyFolder,
         "im Ordner können Dateien nur hinzugefügt, aber nicht ersetzt werden (Attribut „a“)"},
        {EACCES, "keine Berechtigung"},
        {EPERM, "keine Berechtigung"},
        {EROFS, "der Datenträger ist schreibgeschützt"},
        {ENOSPC, "kein Platz mehr auf dem Datenträger"},
        {EDQUOT, "kein Platz mehr auf dem Datenträger"},
        {ENAMETOOLONG, "der Name ist zu lang"},
        {EFBIG, "die Datei würde größer als erlaubt"},
        {ENOTDIR, "ein Teil des Pfades ist kein Ordner"},
        {ELOOP, "zu viele symbolische Verknüpfungen hintereinander"},
        {EIO, "Ein-/Ausgabefehler des Datenträgers"},
        {EMFILE, "zu viele offene Dateien"},
        {ENFILE, "zu viele offene Dateien"},
        {ENOMEM, "nicht genug Speicher"},
        {ETXTBSY, "die Datei ist in Benutzung"},
        {EBUSY, "die Datei ist in Benutzung"},
    };
    for (const auto& [code, text] : reasons) {
        if (code == error) {
            return W(text);
        }
    }
    return W("Systemfehler ") + std::to_string(error);
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
