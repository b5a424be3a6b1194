#include "ui/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {

// A box above the window that is active now, so that it stays on top of it.
std::unique_ptr<QMessageBox> NewBox(QMessageBox::Icon icon, const QString& caption,
                                    const QString& text) {
    return std::make_unique<QMessageBox>(icon, caption, text, QMessageBox::NoButton,
                                         QApplication::activeWindow());
}

// A box with one button that only closes it.
void ShowWithOneButton(QMessageBox::Icon icon, const QString& caption, const QString& text,
                       const QString& button) {
    auto box = NewBox(icon, caption, text);
    QPushButton* only = box->addButton(button, QMessageBox::AcceptRole);
    box->setEscapeButton(only);
    box->exec();
}

// A Yes/No box; Escape answers No.
bool AskYesNo(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    auto box = NewBox(icon, caption, text);
    QPushButton* yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    box->exec();
    return box->clickedButton() == yes;
}

} // namespace

void QtMessageService::Error(const QString& text) {
    ShowWithOneButton(QMessageBox::Critical, QStringLiteral("Fehler"), text, QStringLiteral("OK"));
}

void QtMessageService::Information(const QString& text) {
    ShowWithOneButton(QMessageBox::Information, QStringLiteral("Information"), text,
                      QStringLiteral("OK"));
}

bool QtMessageService::Confirm(const QString& text) {
    return AskYesNo(QMessageBox::Question, QStringLiteral("Bestätigung"), text);
}

bool QtMessageService::Warning(const QString& text) {
    return AskYesNo(QMessageBox::Warning, QStringLiteral("Warnung"), text);
}

void QtMessageService::RetryError(const QString& text) {
    ShowWithOneButton(QMessageBox::Critical, QStringLiteral("Fehler"), text,
                      QStringLiteral("&Wiederholen"));
}

bool QtMessageService::StartWord(const QString& text) {
    return AskYesNo(QMessageBox::Question, QStringLiteral("Startbegriff"), text);
}

MessageService::Answer QtMessageService::Satisfied(const QString& text) {
    auto box = NewBox(QMessageBox::Question, QStringLiteral("Zufrieden"), text);
    QPushButton* yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    QPushButton* cancel = box->addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(cancel);
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    if (clicked == yes)
        return Answer::Yes;
    if (clicked == no)
        return Answer::No;
    return Answer::Cancel;
}
