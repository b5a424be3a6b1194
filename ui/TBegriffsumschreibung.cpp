#include "ui/TBegriffsumschreibung.h"

#include "files/Cp1252Qt.h"

#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kClientWidth = 342;
constexpr int kClientHeight = 453;
constexpr int kRowHeight = 18;

} // namespace

TBegriffsumschreibung::TBegriffsumschreibung(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Begriffsumschreibung"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    setFont(font);
    setFixedSize(kClientWidth, kClientHeight);
    move(666, 122);

    UListe = new QTableWidget(1, 3, this);
    UListe->setObjectName(QStringLiteral("UListe"));
    // No layout: the list has its size even while the window is hidden, so that
    // scrolling to a row works before the window is first shown.
    UListe->setGeometry(0, 0, kClientWidth, kClientHeight);
    UListe->horizontalHeader()->hide();
    UListe->verticalHeader()->hide();
    UListe->verticalHeader()->setMinimumSectionSize(kRowHeight);
    UListe->verticalHeader()->setDefaultSectionSize(kRowHeight);
    UListe->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    UListe->horizontalHeader()->setMinimumSectionSize(1);
    UListe->setColumnWidth(0, 20);
    UListe->setColumnWidth(1, 64);
    UListe->setColumnWidth(2, 300);
    UListe->setShowGrid(false);
    UListe->setWordWrap(false);
    UListe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    UListe->setSelectionBehavior(QAbstractItemView::SelectRows);
    UListe->setSelectionMode(QAbstractItemView::SingleSelection);
    UListe->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    UListe->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    UListe->viewport()->setCursor(Qt::PointingHandCursor);
    // Without a header row the column borders are dragged in the list itself.
    UListe->viewport()->setMouseTracking(true);
    UListe->viewport()->installEventFilter(this);
    // QAbstractItemView reports a click when the button is released over the
    // row it was pressed on; moving the selection with the keys reports nothing.
    connect(UListe, &QTableWidget::cellClicked, this, [this] { emit RowClicked(); });
    Fill({});
}

std::vector<ClueRow> TBegriffsumschreibung::Shown(const std::vector<ClueRow>& rows) {
    return rows.empty() ? std::vector<ClueRow>(1) : rows;
}

void TBegriffsumschreibung::Sync(const std::vector<ClueRow>& rows) {
    if (Shown(rows) != shown_) {
        Fill(rows);
    }
}

void TBegriffsumschreibung::Fill(const std::vector<ClueRow>& rows) {
    shown_ = Shown(rows);
    UListe->clearContents();
    UListe->setRowCount(static_cast<int>(shown_.size()));
    for (size_t r = 0; r < shown_.size(); ++r) {
        const ClueRow& row = shown_[r];
        int column = 0;
        for (const std::string& text : {row.NumberText(), row.DirectionText(), row.Clue}) {
            auto* item = new QTableWidgetItem(Cp1252::ToQString(text));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            UListe->setItem(static_cast<int>(r), column++, item);
        }
    }
    UListe->clearSelection();
    UListe->setCurrentCell(-1, -1);
    SetTopRow(0);
}

std::string TBegriffsumschreibung::Text(int32_t row, int32_t column) const {
    const QTableWidgetItem* item = UListe->item(row, column);
    return item ? Cp1252::FromQString(item->text()) : std::string();
}

int32_t TBegriffsumschreibung::RowCount() const {
    return UListe->rowCount();
}

int32_t TBegriffsumschreibung::SelectedRow() const {
    return UListe->currentRow();
}

void TBegriffsumschreibung::SelectRow(int32_t row, int32_t firstVisible) {
    UListe->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    SetTopRow(firstVisible);
}

void TBegriffsumschreibung::SetTopRow(int32_t row) {
    // Bring the scroll range up to date first: it is computed lazily, and not
    // at all while the window is hidden.
    UListe->doItemsLayout();
    UListe->verticalScrollBar()->setValue(row);
}

int32_t TBegriffsumschreibung::TopRow() const {
    return UListe->verticalScrollBar()->value();
}

// --- Column borders -------------------------------------------------------------

int TBegriffsumschreibung::ColumnBorderAt(int x) const {
    constexpr int kGrip = 2; // pixels either side of a border that grip it
    for (int column = 0; column < UListe->columnCount(); ++column) {
        const int border = UListe->columnViewportPosition(column) + UListe->columnWidth(column);
        if (std::abs(x - border) <= kGrip)
            return column;
    }
    return -1;
}

bool TBegriffsumschreibung::eventFilter(QObject* watched, QEvent* event) {
    if (watched != UListe->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int column = ColumnBorderAt(mouse->position().toPoint().x());
        if (mouse->button() != Qt::LeftButton || column < 0)
            return false;
        // A grip on a border is no click on a row.
        resizingColumn_ = column;
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int x = mouse->position().toPoint().x();
        if (resizingColumn_ >= 0) {
            const int left = UListe->columnViewportPosition(resizingColumn_);
            UListe->setColumnWidth(resizingColumn_, std::max(4, x - left));
            return true;
        }
        UListe->viewport()->setCursor(ColumnBorderAt(x) >= 0 ? Qt::SplitHCursor
                                                             : Qt::PointingHandCursor);
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (resizingColumn_ < 0)
            return false;
        resizingColumn_ = -1;
        return true;
    default:
        return false;
    }
}
