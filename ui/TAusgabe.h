#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QImage>
#include <cstdint>
#include <functional>

// The puzzle grid `Ausgabe`: cells of 40 x 40 pixels with thin lines between
// them, a current cell moved by the arrow keys and left clicks, scrolling cell by
// cell when the window is smaller. What a cell shows is drawn by a callback.
class TAusgabe : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int CellSize = 40;
    static constexpr int LineWidth = 1;
    static constexpr int Pitch = CellSize + LineWidth;

    explicit TAusgabe(QWidget* parent = nullptr);

    // Draws one cell; called for every visible cell on every paint.
    std::function<void(QPainter&, int32_t col, int32_t row, const QRect&, bool selected,
                       bool focused)>
        OnDrawCell;
    // A typed character as a Windows-1252 code (arrows and paging keys excluded).
    std::function<void(char& key)> OnKeyPress;
    std::function<void()> OnDblClick;
    // Every mouse press, after a left press has moved the current cell.
    std::function<void(Qt::MouseButton, int x, int y)> OnMouseDown;

    int32_t ColCount() const { return colCount_; }
    int32_t RowCount() const { return rowCount_; }
    void SetColCount(int32_t count);
    void SetRowCount(int32_t count);

    int32_t Col() const { return col_; }
    int32_t Row() const { return row_; }
    void SetCol(int32_t col);
    void SetRow(int32_t row);
    // Makes (col, row) the current cell and scrolls until it is visible.
    void SetCurrentCell(int32_t col, int32_t row);

    int32_t LeftCol() const;
    int32_t TopRow() const;

    // The rectangle of a cell in the cell area's pixel coordinates
    // (right and bottom lie on the line after the cell).
    QRect CellRect(int32_t col, int32_t row) const;
    // The cell under a point of the cell area; false outside every cell.
    bool MouseToCell(int x, int y, int32_t& col, int32_t& row) const;

    // Draws all cells now, without waiting for the event loop.
    void RepaintNow();
    // The visible cell area as an image, as it looks now.
    QImage Grab();
    // Paints the cells that meet area (cell-area coordinates) on a painter; the
    // widget's paint and the off-screen benchmark share it.
    void PaintCells(QPainter& painter, const QRect& area);

    // Is the current cell drawn as focused (the grid is its window's focus control)?
    bool IsFocusedCell() const;

    const QFont& GridFont() const { return gridFont_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void UpdateScrollBars();
    void ScrollIntoView();
    QPoint Origin() const; // pixel offset of the first visible cell
    int VisibleCols() const;
    int VisibleRows() const;

    int32_t colCount_ = 15;
    int32_t rowCount_ = 15;
    int32_t col_ = 0;
    int32_t row_ = 0;
    QFont gridFont_;
};
