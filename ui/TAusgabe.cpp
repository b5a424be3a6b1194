#include "ui/TAusgabe.h"

#include "base/Cp1252.h"
#include "ui/Fonts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {
const QColor LineColor(0xC0, 0xC0, 0xC0); // thin lines between the cells
}

TAusgabe::TAusgabe(QWidget* parent) : QAbstractScrollArea(parent) {
    gridFont_ = Fonts::WithCellHeight(QStringLiteral("Arial"), 32, true);
    setFont(gridFont_);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::PointingHandCursor);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    UpdateScrollBars();
}

void TAusgabe::SetColCount(int32_t count) {
    colCount_ = std::max<int32_t>(1, count);
    col_ = std::min(col_, colCount_ - 1);
    UpdateScrollBars();
    viewport()->update();
}

void TAusgabe::SetRowCount(int32_t count) {
    rowCount_ = std::max<int32_t>(1, count);
    row_ = std::min(row_, rowCount_ - 1);
    UpdateScrollBars();
    viewport()->update();
}

void TAusgabe::SetCol(int32_t col) {
    SetCurrentCell(col, row_);
}
void TAusgabe::SetRow(int32_t row) {
    SetCurrentCell(col_, row);
}

void TAusgabe::SetCurrentCell(int32_t col, int32_t row) {
    col = std::clamp<int32_t>(col, 0, colCount_ - 1);
    row = std::clamp<int32_t>(row, 0, rowCount_ - 1);
    if (col == col_ && row == row_)
        return;
    const QRect oldRect = CellRect(col_, row_);
    col_ = col;
    row_ = row;
    ScrollIntoView();
    // Moving the current cell repaints the old and the new cell.
    viewport()->repaint(oldRect.adjusted(-2, -2, 2, 2));
    viewport()->repaint(CellRect(col_, row_).adjusted(-2, -2, 2, 2));
}

int32_t TAusgabe::LeftCol() const {
    return horizontalScrollBar()->value();
}
int32_t TAusgabe::TopRow() const {
    return verticalScrollBar()->value();
}

QPoint TAusgabe::Origin() const {
    return {-LeftCol() * Pitch, -TopRow() * Pitch};
}

QRect TAusgabe::CellRect(int32_t col, int32_t row) const {
    const QPoint o = Origin();
    return QRect(QPoint(o.x() + col * Pitch, o.y() + row * Pitch),
                 QSize(CellSize + 1, CellSize + 1));
}

bool TAusgabe::MouseToCell(int x, int y, int32_t& col, int32_t& row) const {
    const QPoint o = Origin();
    const int px = x - o.x();
    const int py = y - o.y();
    if (px < 0 || py < 0)
        return false;
    const int32_t c = px / Pitch;
    const int32_t r = py / Pitch;
    if (c >= colCount_ || r >= rowCount_)
        return false;
    col = c;
    row = r;
    return true;
}

int TAusgabe::VisibleCols() const {
    return std::max(1, (viewport()->width() + LineWidth) / Pitch);
}

int TAusgabe::VisibleRows() const {
    return std::max(1, (viewport()->height() + LineWidth) / Pitch);
}

void TAusgabe::UpdateScrollBars() {
    // Scrolling goes by whole cells, so the first visible cell always starts at the edge.
    const int cols = (viewport()->width() + LineWidth) / Pitch;
    const int rows = (viewport()->height() + LineWidth) / Pitch;
    horizontalScrollBar()->setRange(0, std::max(0, colCount_ - std::max(1, cols)));
    verticalScrollBar()->setRange(0, std::max(0, rowCount_ - std::max(1, rows)));
    horizontalScrollBar()->setPageStep(std::max(1, cols));
    verticalScrollBar()->setPageStep(std::max(1, rows));
}

void TAusgabe::ScrollIntoView() {
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    if (col_ < h->value())
        h->setValue(col_);
    else if (col_ >= h->value() + VisibleCols())
        h->setValue(col_ - VisibleCols() + 1);
    if (row_ < v->value())
        v->setValue(row_);
    else if (row_ >= v->value() + VisibleRows())
        v->setValue(row_ - VisibleRows() + 1);
}

void TAusgabe::RepaintNow() {
    viewport()->repaint();
}

QImage TAusgabe::Grab() {
    return viewport()->grab().toImage();
}

bool TAusgabe::IsFocusedCell() const {
    // The grid is the only control of its window that takes the focus, so it
    // counts as focused unless another control of the window holds the focus.
    const QWidget* focus = window() ? window()->focusWidget() : nullptr;
    return focus == nullptr || focus == this || focus == viewport();
}

void TAusgabe::PaintCells(QPainter& painter, const QRect& area) {
    const QPoint o = Origin();
    const int32_t firstCol = std::max(0, (area.left() - o.x()) / Pitch);
    const int32_t firstRow = std::max(0, (area.top() - o.y()) / Pitch);
    const int32_t lastCol = std::min(colCount_ - 1, (area.right() - o.x()) / Pitch);
    const int32_t lastRow = std::min(rowCount_ - 1, (area.bottom() - o.y()) / Pitch);
    if (lastCol < firstCol || lastRow < firstRow)
        return;

    // Lines first; the cells are then drawn over them, so that bars on the
    // line between two cells stay visible.
    painter.setPen(QPen(LineColor, LineWidth));
    const int right = o.x() + (lastCol + 1) * Pitch - 1;
    const int bottom = o.y() + (lastRow + 1) * Pitch - 1;
    for (int32_t c = firstCol; c <= lastCol; ++c) {
        const int x = o.x() + c * Pitch + CellSize;
        painter.drawLine(x, o.y() + firstRow * Pitch, x, bottom);
    }
    for (int32_t r = firstRow; r <= lastRow; ++r) {
        const int y = o.y() + r * Pitch + CellSize;
        painter.drawLine(o.x() + firstCol * Pitch, y, right, y);
    }

    const bool focused = IsFocusedCell();
    for (int32_t r = firstRow; r <= lastRow; ++r) {
        for (int32_t c = firstCol; c <= lastCol; ++c) {
            // The rectangle as the cell callback knows it: right and bottom on the line.
            const QRect cell(o.x() + c * Pitch, o.y() + r * Pitch, CellSize + 1, CellSize + 1);
            const QRect inner(cell.left(), cell.top(), CellSize, CellSize);
            const bool selected = c == col_ && r == row_;
            const bool cellFocused = selected && focused;
            painter.setFont(gridFont_);
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            if (selected && !cellFocused) {
                painter.fillRect(inner, palette().color(QPalette::Highlight));
                painter.setPen(palette().color(QPalette::HighlightedText));
            } else {
                painter.fillRect(inner, Qt::white);
            }
            if (OnDrawCell)
                OnDrawCell(painter, c, r, cell, selected, cellFocused);
            if (cellFocused) {
                // The dotted focus frame inverts what lies below it, so that it
                // shows on a black cell as on a silver one.
                QPen dotted(Qt::white, 1, Qt::CustomDashLine);
                dotted.setDashPattern({1, 1});
                painter.setPen(dotted);
                painter.setBrush(Qt::NoBrush);
                painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                painter.drawRect(inner.adjusted(0, 0, -1, -1));
                painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            }
        }
    }
}

void TAusgabe::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Qt::white);
    PaintCells(painter, event->rect());
}

void TAusgabe::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TAusgabe::scrollContentsBy(int, int) {
    viewport()->update();
}

void TAusgabe::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TAusgabe::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TAusgabe::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
        SetCurrentCell(col_ - 1, row_);
        return;
    case Qt::Key_Right:
        SetCurrentCell(col_ + 1, row_);
        return;
    case Qt::Key_Up:
        SetCurrentCell(col_, row_ - 1);
        return;
    case Qt::Key_Down:
        SetCurrentCell(col_, row_ + 1);
        return;
    case Qt::Key_Home:
        SetCurrentCell(0, event->modifiers() & Qt::ControlModifier ? 0 : row_);
        return;
    case Qt::Key_End:
        SetCurrentCell(colCount_ - 1,
                       event->modifiers() & Qt::ControlModifier ? rowCount_ - 1 : row_);
        return;
    case Qt::Key_PageUp:
        SetCurrentCell(col_, row_ - VisibleRows());
        return;
    case Qt::Key_PageDown:
        SetCurrentCell(col_, row_ + VisibleRows());
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    default:
        break;
    }
    char key = 0;
    switch (event->key()) {
    case Qt::Key_Backspace:
        key = 8;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = 13;
        break;
    case Qt::Key_Escape:
        key = 27;
        break;
    default: {
        const QString text = event->text();
        if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        key = Cp1252::FromUnicode(text.at(0).unicode());
        break;
    }
    }
    if (OnKeyPress)
        OnKeyPress(key);
    event->accept();
}

void TAusgabe::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    int32_t col = 0;
    int32_t row = 0;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton && MouseToCell(p.x(), p.y(), col, row))
        SetCurrentCell(col, row);
    if (OnMouseDown)
        OnMouseDown(event->button(), p.x(), p.y());
}

void TAusgabe::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: first the double click, then the press.
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
    if (OnMouseDown)
        OnMouseDown(event->button(), p.x(), p.y());
}
