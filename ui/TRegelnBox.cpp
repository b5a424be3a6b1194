#include "ui/TRegelnBox.h"

#include "ui/Fonts.h"

#include <QFrame>
#include <QPlainTextEdit>

TRegelnBox::TRegelnBox(QWidget* parent)
    : CenteredDialog(parent, QStringLiteral("RegelnBox"), QStringLiteral("Nutzungshinweise"),
                     QSize(394, 207), QColor(0x00, 0x80, 0x00)) {
    // A panel with a lowered outer and a raised inner bevel.
    auto* panel = new QFrame(this);
    panel->setGeometry(16, 16, 365, 177);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    auto* inner = new QFrame(panel);
    inner->setGeometry(1, 1, 363, 175);
    inner->setFrameStyle(QFrame::Panel | QFrame::Raised);
    inner->setLineWidth(1);

    notes_ = new QPlainTextEdit(panel);
    notes_->setObjectName(QStringLiteral("MemoRegeln"));
    notes_->setGeometry(16, 16, 332, 145);
    notes_->setReadOnly(true);
    notes_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notes_->setFont(Fonts::WithCellHeight(QStringLiteral("Arial"), 11, true));
    QPalette memo = notes_->palette();
    memo.setColor(QPalette::Base, QColor(0x00, 0xFF, 0x00));
    memo.setColor(QPalette::Text, QColor(0xFF, 0x00, 0x00));
    notes_->setPalette(memo);
    notes_->setPlainText(Lines().join('\n'));
}

QStringList TRegelnBox::Lines() {
    return {
        QStringLiteral("Schritt1: Einstellungen vornehmen:"),
        QStringLiteral("      - Länge und Breite des Rätsels festlegen"),
        QStringLiteral("      - Kurzwortdatei benutzen oder nicht"),
        QStringLiteral("      - falls gewünscht, ein Lösungswort festlegen"),
        QStringLiteral("      - Eingriff des Nutzers während des"),
        QStringLiteral("        Generierens ein- oder ausschalten"),
        QString(),
        QStringLiteral("Schritt2: Wortschatzladen"),
        QStringLiteral("      Der Ordner \"WortDateien2007\" mit den"),
        QStringLiteral("      Paradoxtabellen wird mitgeliefert."),
        QString(),
        QStringLiteral("Schritt3: Rätsel generieren"),
        QStringLiteral("      Die Einfügeposition eines Begriffs kann"),
        QStringLiteral("      interaktiv verändert werden; mit der"),
        QStringLiteral("      Escape-Taste wird abgebrochen."),
        QString(),
        QStringLiteral("Schritt4: Ein Statistikfenster wird angezeigt."),
        QStringLiteral("      Der Nutzer entscheidet, ob das Muster"),
        QStringLiteral("      akzeptabel ist. Aus derselben Wortschatz-"),
        QStringLiteral("      tabelle können beliebig viele Rätsel"),
        QStringLiteral("      generiert werden."),
        QString(),
        QStringLiteral("Schritt5: Anzeige der Lösung oder des Rätsels"),
        QString(),
        QStringLiteral("Lösen am Bildschirm: ein Feld anklicken und"),
        QStringLiteral("den Buchstaben eintippen; ein Doppelklick"),
        QStringLiteral("zeigt den richtigen Buchstaben."),
        QString(),
        QStringLiteral("Rätsel und Lösungen können gespeichert und"),
        QStringLiteral("geladen werden; der Ordner \"RätselDateien\""),
        QStringLiteral("wird mitgeliefert. Im Menü \"Datei\" gibt es"),
        QStringLiteral("einen Export; der Ordner \"ExportDateien\" wird"),
        QStringLiteral("mitgeliefert. Er erhält eine Bitmap des Rätsel-"),
        QStringLiteral("musters und eine Textdatei mit den Umschreibungen."),
        QString(),
        QStringLiteral("Viel Spaß"),
    };
}
