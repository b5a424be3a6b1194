#pragma once

#include <QString>

// The message boxes of the program. The window shows real boxes; the tests
// answer from a script so that no modal box ever waits in an automatic run.
class MessageService {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~MessageService() = default;

    // Error box "Fehler" with an OK button.
    virtual void Error(const QString& text) = 0;
    // Information box "Information" with an OK button.
    virtual void Information(const QString& text) = 0;
    // Confirmation box "Bestätigung" with "&Ja" and "&Nein"; true for "&Ja".
    virtual bool Confirm(const QString& text) = 0;
    // Warning box with Yes and No; true for Yes.
    virtual bool Warning(const QString& text) = 0;
    // Error box "Fehler" whose only button is Retry.
    virtual void RetryError(const QString& text) = 0;
    // The box "Startbegriff" with Yes and No; true for Yes.
    virtual bool StartWord(const QString& text) = 0;
    // The box "Zufrieden" with Yes, No and Cancel; Escape answers Cancel.
    virtual Answer Satisfied(const QString& text) = 0;
};
