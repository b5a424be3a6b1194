#include "QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A box above the window that is active now, so that it stays on top of it.
QMessageBox* NewBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    auto* box =
        new QMessageBox(icon, caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    return box;
}

QAbstractButton* Run(QMessageBox* box) {
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    return clicked;
}

} // namespace

void QtMessageService::Error(const QString& text) {
    QMessageBox* box = NewBox(QMessageBox::Critical, QStringLiteral("Fehler"), text);
    box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    Run(box);
    delete box;
}

void QtMessageService::Information(const QString& text) {
    QMessageBox* box = NewBox(QMessageBox::Information, QStringLiteral("Information"), text);
    box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    Run(box);
    delete box;
}

bool QtMessageService::Confirm(const QString& text) {
    QMessageBox* box = NewBox(QMessageBox::Question, QStringLiteral("Bestätigung"), text);
    QPushButton* yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    const bool answer = Run(box) == yes;
    delete box;
    return answer;
}

bool QtMessageService::Warning(const QString& text) {
    QMessageBox* box = NewBox(QMessageBox::Warning, QStringLiteral("Warnung"), text);
    QPushButton* yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    const bool answer = Run(box) == yes;
    delete box;
    return answer;
}

void QtMessageService::RetryError(const QString& text) {
    QMessageBox* box = NewBox(QMessageBox::Critical, QStringLiteral("Fehler"), text);
    QPushButton* retry = box->addButton(QStringLiteral("&Wiederholen"), QMessageBox::AcceptRole);
    box->setEscapeButton(retry);
    Run(box);
    delete box;
}

bool QtMessageService::StartWord(const QString& text) {
    QMessageBox* box = NewBox(QMessageBox::Question, QStringLiteral("Startbegriff"), text);
    QPushButton* yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    const bool answer = Run(box) == yes;
    delete box;
    return answer;
}

MessageService::Answer QtMessageService::Satisfied(const QString& text) {
    QMessageBox* box = NewBox(QMessageBox::Question, QStringLiteral("Zufrieden"), text);
    QPushButton* yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    QPushButton* cancel = box->addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(cancel);
    QAbstractButton* clicked = Run(box);
    delete box;
    if (clicked == yes)
        return Answer::Yes;
    if (clicked == no)
        return Answer::No;
    return Answer::Cancel;
}
