#pragma once

#include "model/ClueRow.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QTableWidget;

// The clue list window "Begriffsumschreibung": one row per clue (number,
// direction word, clue). A click on a row is reported by RowClicked; the main
// window moves its grid to that word. A press on the grid selects a row here.
class TBegriffsumschreibung : public QWidget {
    Q_OBJECT

public:
    explicit TBegriffsumschreibung(QWidget* parent = nullptr);

    // Replaces the rows; an empty list still shows one empty row.
    void Fill(const std::vector<ClueRow>& rows);
    // Fills only when the list does not already show exactly these rows.
    void Sync(const std::vector<ClueRow>& rows);
    // The texts of one list cell (Windows-1252).
    std::string Text(int32_t row, int32_t column) const;
    // The clue row shown in a list row.
    const ClueRow& Row(int32_t row) const { return shown_.at(static_cast<size_t>(row)); }
    int32_t RowCount() const;
    int32_t SelectedRow() const;
    // Selects the whole row and makes firstVisible the top row of the list,
    // as far as the list can scroll.
    void SelectRow(int32_t row, int32_t firstVisible);
    int32_t TopRow() const;

protected:
    // Dragging a column border in the list resizes that column.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The user clicked a row (emitted on release of the mouse button only).
    void RowClicked();

private:
    void SetTopRow(int32_t row);

    QTableWidget* UListe = nullptr;
    // The row shown for the rows as given; an empty list shows one empty row.
    static std::vector<ClueRow> Shown(const std::vector<ClueRow>& rows);

    // The column whose right border lies under x (list viewport), or -1.
    int ColumnBorderAt(int x) const;

    std::vector<ClueRow> shown_;
    int resizingColumn_ = -1; // the column whose border is being dragged
};
