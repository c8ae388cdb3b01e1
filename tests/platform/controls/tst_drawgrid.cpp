// The draw grid: cells painted through the callback, the fixed row and column, scrolling by whole
// cells, the focused cell with its veto, double-clicks and sizes that follow the font.

#include "platform/ui/DrawGrid.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QTest>

namespace {

using Cell = QPair<int, int>;   // (col, row)

// A shown grid as wide as the range view: 500 columns of 97 slot rows, recording what it paints.
class Grid
{
public:
    Grid()
    {
        grid.SetColCount(500);
        grid.SetRowCount(97);
        grid.SetOnDrawCell([this](int col, int row, const QRect &rect, QPainter &painter) {
            painted.insert({col, row});
            brushes.insert({col, row}, painter.brush().color());
            painter.drawText(rect.adjusted(4, 2, 0, 0), QStringLiteral("%1,%2").arg(col).arg(row));
        });
        grid.resize(640, 400);
        grid.show();
        QApplication::setActiveWindow(&grid);
    }

    void paint()
    {
        painted.clear();
        grid.grab();
    }

    QPoint centre(int col, int row) const { return grid.CellRect(col, row).center(); }

    TDrawGrid grid;
    QSet<Cell> painted;
    QHash<Cell, QColor> brushes;
};

} // namespace

class TestDrawGrid : public QObject
{
    Q_OBJECT

private slots:
    void paintsOnlyTheCellsInViewWithTheFixedOnesAlways()
    {
        Grid g;
        g.grid.SetTopRow(50);
        g.grid.SetLeftCol(200);
        QCOMPARE(g.grid.TopRow(), 50);
        QCOMPARE(g.grid.LeftCol(), 200);
        g.paint();
        QVERIFY(g.painted.contains({0, 0}));
        QVERIFY(g.painted.contains({0, 50}));
        QVERIFY(g.painted.contains({200, 0}));
        QVERIFY(g.painted.contains({200, 50}));
        QVERIFY(!g.painted.contains({1, 1}));
        QVERIFY(!g.painted.contains({199, 50}));
        QVERIFY(!g.painted.contains({200, 49}));
        QVERIFY2(g.painted.size() < 300, qPrintable(QString::number(g.painted.size())));
        QCOMPARE(g.grid.CellRect(0, 50).left(), 0);
        QCOMPARE(g.grid.CellRect(200, 0).top(), 0);
        const QRect corner = g.grid.CellRect(0, 0);
        QCOMPARE(g.grid.CellRect(200, 50).topLeft(), corner.bottomRight() + QPoint(2, 2));
        QVERIFY(g.grid.CellRect(1, 1).isEmpty());
    }

    void cellsStartWithTheirBrush()
    {
        Grid g;
        g.paint();
        const QPalette colours = g.grid.palette();
        QCOMPARE(g.brushes.value({0, 3}), colours.color(QPalette::Button));
        QCOMPARE(g.brushes.value({3, 0}), colours.color(QPalette::Button));
        QCOMPARE(g.brushes.value({1, 1}), colours.color(QPalette::Highlight));
        QCOMPARE(g.brushes.value({2, 3}), colours.color(QPalette::Base));
    }

    void topRowStaysWithinTheRows_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("lastPage");
        QTest::addColumn<int>("expected");
        QTest::newRow("first slot") << 1 << false << 1;
        QTest::newRow("header row") << 0 << false << 1;
        QTest::newRow("negative") << -4 << false << 1;
        QTest::newRow("middle") << 40 << false << 40;
        QTest::newRow("past the end") << 500 << true << 0;
    }

    void topRowStaysWithinTheRows()
    {
        QFETCH(int, asked);
        QFETCH(bool, lastPage);
        QFETCH(int, expected);
        Grid g;
        g.grid.SetTopRow(asked);
        if (lastPage)
            expected = 97 - g.grid.VisibleRowCount();
        QCOMPARE(g.grid.TopRow(), expected);
        g.paint();
        QVERIFY(g.painted.contains({1, g.grid.TopRow()}));
        QCOMPARE(g.painted.contains({1, 96}), lastPage);
    }

    void aTopRowSetBeforeTheLayoutHoldsAfterIt()
    {
        TDrawGrid grid;
        grid.SetColCount(3);
        grid.SetRowCount(25);
        grid.SetTopRow(9);
        grid.resize(400, 2000);
        grid.show();
        QCOMPARE(grid.TopRow(), 1);
        grid.resize(400, 200);
        QCOMPARE(grid.TopRow(), 9);
        grid.verticalScrollBar()->setValue(3);
        grid.resize(400, 220);
        QCOMPARE(grid.TopRow(), 4);
    }

    void doubleClickReportsTheCellUnderThePointer_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("slot") << 3 << 20;
        QTest::newRow("column heading") << 4 << 0;
        QTest::newRow("time column") << 0 << 22;
        QTest::newRow("corner") << 0 << 0;
    }

    void doubleClickReportsTheCellUnderThePointer()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        Grid g;
        g.grid.SetTopRow(18);
        QList<Cell> clicked;
        QObject::connect(&g.grid, &TDrawGrid::cellDoubleClicked, [&](int c, int r) { clicked << Cell{c, r}; });
        QTest::mouseDClick(g.grid.viewport(), Qt::LeftButton, {}, g.centre(col, row));
        QCOMPARE(clicked, (QList<Cell>{{col, row}}));
        const QPoint beyond(g.grid.viewport()->width() - 1, g.grid.viewport()->height() - 1);
        g.grid.SetColCount(3);
        QTest::mouseDClick(g.grid.viewport(), Qt::LeftButton, {}, beyond);
        QCOMPARE(clicked.size(), 1);
    }

    void enterOpensTheFocusedCellLikeADoubleClick()
    {
        Grid g;
        g.grid.SetCol(3);
        g.grid.SetRow(20);
        QList<Cell> opened;
        QObject::connect(&g.grid, &TDrawGrid::cellDoubleClicked, [&](int c, int r) { opened << Cell{c, r}; });
        QTest::keyClick(&g.grid, Qt::Key_Return);
        QTest::keyClick(&g.grid, Qt::Key_Down);
        QTest::keyClick(&g.grid, Qt::Key_Enter);
        QCOMPARE(opened, (QList<Cell>{{3, 20}, {3, 21}}));
    }

    // A screen reader sees the grid as a table of cells that carry the handler's words, follows
    // the focused cell, and asks nothing of cells that are gone.
    void screenReadersGetEachCellInWords()
    {
        Grid g;
        g.grid.SetOnDescribeCell([](int col, int row) {
            return TDrawGrid::CellWords{QStringLiteral("cell %1,%2").arg(col).arg(row), QStringLiteral("free")};
        });
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&g.grid);
        QVERIFY(table);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->childCount(), 500 * 97);
        QAccessibleInterface *cell = table->child(20 * 500 + 3);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("cell 3,20"));
        QCOMPARE(cell->text(QAccessible::Description), QStringLiteral("free"));
        QCOMPARE(table->indexOfChild(cell), 20 * 500 + 3);
        QCOMPARE(table->child(20 * 500 + 3), cell);
        QCOMPARE(table->child(4)->role(), QAccessible::ColumnHeader);
        QCOMPARE(table->child(500)->role(), QAccessible::RowHeader);

        g.grid.setFocus();
        g.grid.SetCol(3);
        g.grid.SetRow(20);
        QCOMPARE(table->focusChild(), cell);
        QVERIFY(cell->state().focused);
        QCOMPARE(table->childAt(g.grid.viewport()->mapToGlobal(g.centre(3, 20)).x(),
                                g.grid.viewport()->mapToGlobal(g.centre(3, 20)).y()),
                 cell);

        g.grid.SetRowCount(10);
        QVERIFY(!cell->isValid());
        QCOMPARE(table->childCount(), 500 * 10);
    }

    void theFocusedCellObeysTheVeto()
    {
        Grid g;
        g.grid.SetOnSelectCell([](int, int row) { return row != 5; });
        QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, {}, g.centre(2, 5));
        QCOMPARE(QPoint(g.grid.Col(), g.grid.Row()), QPoint(1, 1));
        QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, {}, g.centre(2, 6));
        QCOMPARE(QPoint(g.grid.Col(), g.grid.Row()), QPoint(2, 6));
        QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, {}, g.centre(3, 0));
        QCOMPARE(QPoint(g.grid.Col(), g.grid.Row()), QPoint(2, 6));
        g.grid.SetRow(5);
        QCOMPARE(g.grid.Row(), 6);
        QTest::keyClick(&g.grid, Qt::Key_Up);
        QCOMPARE(g.grid.Row(), 6);
        QTest::keyClick(&g.grid, Qt::Key_Down);
        QCOMPARE(g.grid.Row(), 7);
    }

    void theFocusedCellIsScrolledIntoView()
    {
        Grid g;
        g.grid.SetRow(90);
        QVERIFY(g.grid.TopRow() <= 90 && 90 < g.grid.TopRow() + g.grid.VisibleRowCount());
        QTest::keyClick(&g.grid, Qt::Key_End);
        QCOMPARE(g.grid.Col(), 499);
        QCOMPARE(g.grid.LeftCol(), g.grid.horizontalScrollBar()->maximum() + 1);
        QVERIFY(g.grid.CellRect(499, 90).right() < g.grid.viewport()->width());
        QTest::keyClick(&g.grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(QPoint(g.grid.Col(), g.grid.Row()), QPoint(1, 1));
        QCOMPARE(QPoint(g.grid.LeftCol(), g.grid.TopRow()), QPoint(1, 1));
    }

    void rowsGrowWithTheFontAndColumnsWithThem_data()
    {
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("scaled");
        QTest::newRow("small font keeps the laid-out sizes") << 10 << false;
        QTest::newRow("large font") << 24 << true;
    }

    void rowsGrowWithTheFontAndColumnsWithThem()
    {
        QFETCH(int, pixelSize);
        QFETCH(bool, scaled);
        TDrawGrid grid;
        QFont font = grid.font();
        font.setPixelSize(pixelSize);
        grid.setFont(font);
        grid.SetColWidth(2, 144);
        const QRect cell = grid.CellRect(2, 1);
        QVERIFY(cell.height() >= grid.fontMetrics().height() + 2);
        QCOMPARE(cell.height() > 16, scaled);
        QCOMPARE(cell.width() > 144, scaled);
        QVERIFY(qAbs(double(cell.width()) / 144 - double(grid.CellRect(1, 1).width()) / 74) < 0.02);
        QCOMPARE(grid.ColWidth(2), 144);
        QCOMPARE(grid.DefaultRowHeight(), 16);
    }

    void columnsCanBeResizedByTheirBorder()
    {
        Grid g;
        const int border = g.grid.CellRect(2, 0).right() + 1;
        const int y = g.grid.CellRect(2, 0).center().y();
        QTest::mousePress(g.grid.viewport(), Qt::LeftButton, {}, QPoint(border, y));
        QTest::mouseMove(g.grid.viewport(), QPoint(border + 40, y));
        QTest::mouseRelease(g.grid.viewport(), Qt::LeftButton, {}, QPoint(border + 40, y));
        QCOMPARE(g.grid.ColWidth(2), 74);
        g.grid.SetColSizing(true);
        QTest::mousePress(g.grid.viewport(), Qt::LeftButton, {}, QPoint(border, y));
        QTest::mouseMove(g.grid.viewport(), QPoint(border + 40, y));
        QTest::mouseRelease(g.grid.viewport(), Qt::LeftButton, {}, QPoint(border + 40, y));
        QVERIFY(qAbs(g.grid.CellRect(2, 0).width() - (g.grid.CellRect(3, 0).width() + 40)) <= 1);
        QVERIFY(g.grid.ColWidth(2) > 74);
    }
};

QTEST_MAIN(TestDrawGrid)
#include "tst_drawgrid.moc"
