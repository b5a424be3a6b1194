#pragma once

#include "ui/FileDialogService.h"

// The file dialogs as QFileDialog (in German once Qt's translations are loaded).
class QtFileDialogService : public FileDialogService {
public:
    std::optional<QString> OpenFileName(const QString& title, const QString& filter,
                                        const QString& initialFolder,
                                        const QString& defaultSuffix) override;
    std::optional<QString> SaveFileName(const QString& title, const QString& filter,
                                        const QString& initialFolder, const QString& defaultSuffix,
                                        const QString& proposedName) override;
    std::optional<TypedFile> SaveTypedFileName(const QString& title, const QStringList& filters,
                                               const QString& initialFolder,
                                               const QString& proposedName) override;
};
