#pragma once

#include "ui/MessageService.h"

// The message boxes as QMessageBox dialogs with German captions and buttons.
class QtMessageService : public MessageService {
public:
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    bool Confirm(const QString& text) override;
    bool Warning(const QString& text) override;
    void RetryError(const QString& text) override;
    bool StartWord(const QString& text) override;
    Answer Satisfied(const QString& text) override;
};
