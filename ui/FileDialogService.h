#pragma once

#include <QString>
#include <optional>

// The file dialogs of the program. The window shows Qt's dialogs; the tests
// hand back scripted paths.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;

    // A file to open; nothing when the user cancels. filter is in Qt's form,
    // e.g. "Paradoxtabellen (*.db)"; an empty folder leaves the start folder to
    // the dialog. defaultSuffix (without dot) is added to a name typed without one.
    virtual std::optional<QString> OpenFileName(const QString& title, const QString& filter,
                                                const QString& initialFolder,
                                                const QString& defaultSuffix) = 0;

    // A file to write, starting with proposedName; the dialog itself asks
    // before an existing file is overwritten. Nothing when the user cancels.
    virtual std::optional<QString> SaveFileName(const QString& title, const QString& filter,
                                                const QString& initialFolder,
                                                const QString& defaultSuffix,
                                                const QString& proposedName) = 0;
};
