#include "ui/TLHint.h"

#include "files/Cp1252Qt.h"
#include "session/Messages.h"

#include <QFont>
#include <QLabel>
#include <QPalette>

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, int left) {
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0x00));
    label->setPalette(palette);
    label->move(left, 16);
    label->adjustSize();
    return label;
}

} // namespace

TLHint::TLHint(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QString::fromUtf8("Info für den Löser"));
    setFixedSize(420, 49);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0x00, 0xFF));
    setPalette(palette);
    attempts_ = MakeLabel(this, QStringLiteral("Versuche 0"), 16);
    correct_ = MakeLabel(this, QStringLiteral("Richtig 0"), 168);
    letterCount_ = MakeLabel(this, QStringLiteral("Anzahl 0"), 304);
    attempts_->setObjectName(QStringLiteral("LabelV"));
    correct_->setObjectName(QStringLiteral("LabelR"));
    letterCount_->setObjectName(QStringLiteral("LabelA"));
}

void TLHint::ShowAttempts(int32_t attempts) {
    attempts_->setText(Cp1252::ToQString(Messages::AttemptsLabel(attempts)));
    attempts_->adjustSize();
}

void TLHint::ShowCorrect(int32_t correct) {
    correct_->setText(Cp1252::ToQString(Messages::CorrectLabel(correct)));
    correct_->adjustSize();
}

void TLHint::ShowLetterCount(int32_t letters) {
    letterCount_->setText(Cp1252::ToQString(Messages::LetterCountLabel(letters)));
    letterCount_->adjustSize();
}
