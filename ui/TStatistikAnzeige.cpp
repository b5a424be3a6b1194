#include "ui/TStatistikAnzeige.h"

#include "files/Cp1252Qt.h"
#include "model/PuzzleStatistics.h"
#include "session/Messages.h"
#include "ui/Fonts.h"

#include <QLabel>

namespace {

constexpr int kClientWidth = 268;
constexpr int kClientHeight = 333;
constexpr int kValueRight = 258; // right edge of the value column

QLabel* MakeLabel(const QString& text, const QColor& colour, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

TStatistikAnzeige::TStatistikAnzeige(QWidget* parent)
    : CenteredDialog(parent, QStringLiteral("StatistikAnzeige"), QStringLiteral("Statistik"),
                     QSize(kClientWidth, kClientHeight), QColor(0x00, 0x80, 0x00)) {
    const QFont titleFont = Fonts::WithCellHeight(QStringLiteral("Times New Roman"), 27, true);
    const QFont rowFont = Fonts::WithCellHeight(QStringLiteral("Times New Roman"), 19, true);
    QLabel* title = MakeLabel(QStringLiteral("Übersicht"), Qt::yellow, titleFont, this);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setGeometry(10, 8, 241, 33);

    // The value labels are named as the tests find them.
    struct Row {
        int Top;
        const char* Caption;
        QLabel** Value;
        QColor Colour;
        const char* Name;
    };
    const Row rows[] = {
        {56, "Zeilenanzahl", &rows_, QColor(0x00, 0xFF, 0xFF), "LabelZE2"},
        {96, "Spaltenanzahl", &columns_, QColor(0xFF, 0x00, 0xFF), "LabelSP2"},
        {136, "Überschneidungen", &crossings_, QColor(0x00, 0xFF, 0x00), "LabelUE2"},
        {176, "in Prozenten", &crossingsPercent_, QColor(0x00, 0xFF, 0x00), "LabelPR2"},
        {216, "schwarze Felder", &blackCells_, QColor(0x00, 0x00, 0x00), "LabelSF2"},
        {256, "waagerechte Worte", &acrossWords_, QColor(0x00, 0x00, 0xFF), "LabelWW2"},
        {296, "senkrechte Worte", &downWords_, QColor(0xFF, 0x00, 0x00), "LabelSW2"},
    };
    for (const Row& row : rows) {
        QLabel* caption = MakeLabel(QString::fromUtf8(row.Caption), row.Colour, rowFont, this);
        caption->setGeometry(10, row.Top, 170, 19);
        QLabel* value = MakeLabel(QStringLiteral("0"), row.Colour, rowFont, this);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setGeometry(kValueRight - 80, row.Top, 80, 19);
        value->setCursor(Qt::PointingHandCursor);
        value->setObjectName(QString::fromLatin1(row.Name));
        *row.Value = value;
    }
}

void TStatistikAnzeige::Fill(const PuzzleStatistics& statistics) {
    rows_->setText(QString::number(statistics.Rows));
    columns_->setText(QString::number(statistics.Columns));
    crossings_->setText(QString::number(statistics.Crossings));
    blackCells_->setText(QString::number(statistics.BlackCells));
    acrossWords_->setText(QString::number(statistics.AcrossWords));
    downWords_->setText(QString::number(statistics.DownWords));
    crossingsPercent_->setText(Cp1252::ToQString(Messages::Percent(statistics)));
}
