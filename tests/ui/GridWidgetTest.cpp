// The grid widget on its own: which characters reach the key handler, the
// order of double click and press, and the cells under the mouse.
#include "ui/TAusgabe.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Recorded {
    std::string Keys;   // Windows-1252 codes, in order
    std::string Events; // 'D' double click, 'L' left press, 'R' right press
};

class GridWidgetTest : public ::testing::Test {
protected:
    TAusgabe grid;
    Recorded seen;

    void SetUp() override {
        grid.resize(300, 300);
        grid.SetColCount(10);
        grid.SetRowCount(10);
        grid.OnKeyPress = [this](char& key) { seen.Keys += key; };
        grid.OnDblClick = [this] { seen.Events += 'D'; };
        grid.OnMouseDown = [this](Qt::MouseButton b, int, int) {
            seen.Events += b == Qt::LeftButton ? 'L' : 'R';
        };
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    void Press(int key, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&grid, &event);
    }
};

TEST_F(GridWidgetTest, CharactersReachTheHandlerAsWindows1252AndArrowsDoNot) {
    Press(Qt::Key_A, "a");
    Press(Qt::Key_BracketLeft, "[");
    Press(0, QString::fromUtf8("ä"));
    Press(0, QString::fromUtf8("ß"));
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Return);
    Press(Qt::Key_Escape);
    Press(Qt::Key_Space, " ");
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    EXPECT_EQ(seen.Keys, std::string("a[\xE4\xDF\x08\x0D\x1B ", 8));
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(GridWidgetTest, ClicksMoveTheCellBeforeThePressIsReported) {
    const QPoint cell = grid.CellRect(2, 3).center();
    grid.OnMouseDown = [this](Qt::MouseButton, int x, int y) {
        seen.Events += 'L';
        int32_t c = -1;
        int32_t r = -1;
        ASSERT_TRUE(grid.MouseToCell(x, y, c, r));
        EXPECT_EQ(c, grid.Col());
        EXPECT_EQ(r, grid.Row());
    };
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);
    // Press, then on the double click first the double click, then the press.
    EXPECT_EQ(seen.Events.substr(seen.Events.size() - 2), "DL");
}

TEST_F(GridWidgetTest, PointsOutsideEveryCellFindNoCell) {
    grid.resize(600, 600);
    grid.SetColCount(5);
    grid.SetRowCount(5);
    int32_t c = -1;
    int32_t r = -1;
    EXPECT_FALSE(grid.MouseToCell(5 * TAusgabe::Pitch + 3, 10, c, r));
    EXPECT_FALSE(grid.MouseToCell(10, 5 * TAusgabe::Pitch + 3, c, r));
    EXPECT_TRUE(grid.MouseToCell(4 * TAusgabe::Pitch + 3, 4 * TAusgabe::Pitch + 3, c, r));
    EXPECT_EQ(c, 4);
    EXPECT_EQ(r, 4);
}

} // namespace
