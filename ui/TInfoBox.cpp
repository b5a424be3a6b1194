#include "ui/TInfoBox.h"

#include "ui/Fonts.h"

#include <QFrame>
#include <QLabel>

TInfoBox::TInfoBox(QWidget* parent)
    : CenteredDialog(parent, QStringLiteral("InfoBox"), QStringLiteral("Über das Programm"),
                     QSize(402, 229), QColor(0x00, 0x80, 0x00)) {
    auto* panel = new QFrame(this);
    panel->setGeometry(16, 16, 369, 193);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette lime = panel->palette();
    lime.setColor(QPalette::Window, QColor(0x00, 0xFF, 0x00));
    panel->setPalette(lime);

    title_ = new QLabel(QStringLiteral("Wabolex"), panel);
    title_->setObjectName(QStringLiteral("Title"));
    title_->setFont(Fonts::WithCellHeight(QStringLiteral("Kids"), 20, true));
    QPalette red = title_->palette();
    red.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    title_->setPalette(red);
    title_->move(40, 16);
    title_->adjustSize();

    auto* note = new QLabel(QStringLiteral("Rätselgenerator, geschrieben im Jahr 2026."), panel);
    QFont noteFont(QStringLiteral("MS Sans Serif"));
    noteFont.setPointSize(8);
    noteFont.setBold(true);
    note->setFont(noteFont);
    QPalette black = note->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    note->setPalette(black);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    note->setGeometry(40, 93, 297, 26);
}
