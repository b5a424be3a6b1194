#include "ui/TInfoBox.h"

#include "ui/Fonts.h"
#include "ui/WindowPlacement.h"

#include <QFrame>
#include <QLabel>

TInfoBox::TInfoBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("InfoBox"));
    setWindowTitle(QStringLiteral("Über das Programm"));
    setFixedSize(402, 229);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0x80, 0x00));
    setPalette(palette);

    Panel = new QFrame(this);
    Panel->setGeometry(16, 16, 369, 193);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setLineWidth(2);
    Panel->setAutoFillBackground(true);
    QPalette lime = Panel->palette();
    lime.setColor(QPalette::Window, QColor(0x00, 0xFF, 0x00));
    Panel->setPalette(lime);

    LabelTitel = new QLabel(QStringLiteral("Wabolex"), Panel);
    LabelTitel->setFont(Fonts::WithCellHeight(QStringLiteral("Kids"), 20, true));
    QPalette red = LabelTitel->palette();
    red.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    LabelTitel->setPalette(red);
    LabelTitel->move(40, 16);
    LabelTitel->adjustSize();

    LabelNotiz = new QLabel(QStringLiteral("Rätselgenerator, geschrieben im Jahr 2026."), Panel);
    QFont noteFont(QStringLiteral("MS Sans Serif"));
    noteFont.setPointSize(8);
    noteFont.setBold(true);
    LabelNotiz->setFont(noteFont);
    QPalette black = LabelNotiz->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    LabelNotiz->setPalette(black);
    LabelNotiz->setWordWrap(true);
    LabelNotiz->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LabelNotiz->setGeometry(40, 93, 297, 26);
}

void TInfoBox::showEvent(QShowEvent* event) {
    CenterOnScreen(this);
    QDialog::showEvent(event);
}
