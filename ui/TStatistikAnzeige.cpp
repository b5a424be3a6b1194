#include "ui/TStatistikAnzeige.h"

#include "files/Cp1252Qt.h"
#include "model/PuzzleStatistics.h"
#include "ui/Fonts.h"
#include "ui/WindowPlacement.h"

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
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("StatistikAnzeige"));
    setWindowTitle(QStringLiteral("Statistik"));
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0x80, 0x00));
    setPalette(palette);

    const QFont titleFont = Fonts::WithCellHeight(QStringLiteral("Times New Roman"), 27, true);
    const QFont rowFont = Fonts::WithCellHeight(QStringLiteral("Times New Roman"), 19, true);
    LabelTitle = MakeLabel(QStringLiteral("Übersicht"), Qt::yellow, titleFont, this);
    LabelTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabelTitle->setGeometry(10, 8, 241, 33);

    struct Row {
        int Top;
        const char* Caption;
        QLabel** Value;
        QColor Colour;
    };
    const Row rows[] = {
        {56, "Zeilenanzahl", &LabelZE2, QColor(0x00, 0xFF, 0xFF)},
        {96, "Spaltenanzahl", &LabelSP2, QColor(0xFF, 0x00, 0xFF)},
        {136, "Überschneidungen", &LabelUE2, QColor(0x00, 0xFF, 0x00)},
        {176, "in Prozenten", &LabelPR2, QColor(0x00, 0xFF, 0x00)},
        {216, "schwarze Felder", &LabelSF2, QColor(0x00, 0x00, 0x00)},
        {256, "waagerechte Worte", &LabelWW2, QColor(0x00, 0x00, 0xFF)},
        {296, "senkrechte Worte", &LabelSW2, QColor(0xFF, 0x00, 0x00)},
    };
    for (const Row& row : rows) {
        QLabel* caption = MakeLabel(QString::fromUtf8(row.Caption), row.Colour, rowFont, this);
        caption->setGeometry(10, row.Top, 170, 19);
        QLabel* value = MakeLabel(QStringLiteral("0"), row.Colour, rowFont, this);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setGeometry(kValueRight - 80, row.Top, 80, 19);
        value->setCursor(Qt::PointingHandCursor);
        *row.Value = value;
    }
}

void TStatistikAnzeige::Fill(const PuzzleStatistics& statistics) {
    LabelZE2->setText(QString::number(statistics.Rows));
    LabelSP2->setText(QString::number(statistics.Columns));
    LabelUE2->setText(QString::number(statistics.Crossings));
    LabelSF2->setText(QString::number(statistics.BlackCells));
    LabelWW2->setText(QString::number(statistics.AcrossWords));
    LabelSW2->setText(QString::number(statistics.DownWords));
    LabelPR2->setText(Cp1252::ToQString(statistics.PercentText()));
}

void TStatistikAnzeige::showEvent(QShowEvent* event) {
    CenterOnScreen(this);
    QDialog::showEvent(event);
}
