#pragma once

#include "ui/FileDialogService.h"
#include "ui/MessageService.h"

// Message boxes that answer at once and file dialogs that are cancelled
// unless a file to open was set, for measuring the main window without a user.
class NoMessages : public MessageService {
public:
    void Error(const QString&) override {}
    void Information(const QString&) override {}
    bool Confirm(const QString&) override { return false; }
    bool Warning(const QString&) override { return true; } // a new grid size is taken
    void RetryError(const QString&) override {}
    bool StartWord(const QString&) override { return true; }
    Answer Satisfied(const QString&) override { return Answer::Yes; }
};

class NoFiles : public FileDialogService {
public:
    std::optional<QString> OpenFileName(const QString&, const QString&, const QString&,
                                        const QString&) override {
        return Open;
    }
    std::optional<QString> SaveFileName(const QString&, const QString&, const QString&,
                                        const QString&, const QString&) override {
        return std::nullopt;
    }

    std::optional<QString> Open; // what every open dialog chooses
};
