#pragma once

#include <QString>
#include <QStringList>
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

    // A file to write in one of several types (filters in Qt's form, the
    // first chosen at the start): the path and the index of the type the
    // user chose. A name typed without extension gets the chosen type's.
    struct TypedFile {
        QString Path;
        int Type = 0;
    };
    // Without a dialog of its own: SaveFileName with every filter, the type
    // told by the name's extension, else the first.
    virtual std::optional<TypedFile> SaveTypedFileName(const QString& title,
                                                       const QStringList& filters,
                                                       const QString& initialFolder,
                                                       const QString& proposedName) {
        const std::optional<QString> path = SaveFileName(title, filters.join(";;"), initialFolder,
                                                         SuffixOf(filters.value(0)), proposedName);
        if (!path) {
            return std::nullopt;
        }
        for (int i = 0; i < filters.size(); ++i) {
            if (path->endsWith("." + SuffixOf(filters[i]), Qt::CaseInsensitive)) {
                return TypedFile{*path, i};
            }
        }
        return TypedFile{*path, 0};
    }

    // "png" from "PNG-Bild (*.png)".
    static QString SuffixOf(const QString& filter) {
        const qsizetype dot = filter.lastIndexOf("*.");
        const qsizetype close = filter.indexOf(')', dot);
        return dot < 0 || close < 0 ? QString() : filter.mid(dot + 2, close - dot - 2);
    }
};
