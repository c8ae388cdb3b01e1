#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QVector>
#include <functional>

// A grid whose cells the window paints itself, one callback per cell, with one fixed row and one
// fixed column (row 0 and column 0) that stay in view while the rest scrolls by whole cells.
//
// Sizes are given as the windows were laid out, for an 8-point font; where the screen's font is
// taller the grid draws every size larger in proportion, so text still fits. Rows, columns and the
// top row are counted from 0 including the fixed ones; a value out of range is brought into it.
class TDrawGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Paints one cell. The painter comes clipped to the cell, filled with the cell's brush (the
    // button face for fixed cells, the highlight for the focused cell, the window colour for the
    // rest), with that brush set, the pen in the matching text colour and the grid's font.
    using DrawCellHandler = std::function<void(int col, int row, const QRect &rect, QPainter &painter)>;
    // Decides whether a cell may become the focused cell.
    using SelectCellHandler = std::function<bool(int col, int row)>;
    // Says in words what a cell shows, for screen readers: a short name and a longer description.
    struct CellWords
    {
        QString name;
        QString description;
    };
    using DescribeCellHandler = std::function<CellWords(int col, int row)>;

    explicit TDrawGrid(QWidget *parent = nullptr);

    int ColCount() const { return int(m_colWidths.size()); }
    void SetColCount(int count);
    int RowCount() const { return m_rowCount; }
    void SetRowCount(int count);

    // Setting the default width gives it to every column.
    int DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int height);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    // Widths of the columns from firstCol on, set at once (the scroll bars are fitted once).
    void SetColWidths(int firstCol, const QList<int> &widths);
    // Whether the user may drag the border of a column in the fixed row.
    void SetColSizing(bool allowed) { m_colSizing = allowed; }
    bool ColSizing() const { return m_colSizing; }

    // The focused cell. Moving it asks the select-cell handler first and scrolls it into view.
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    void SetCol(int col);
    void SetRow(int row);
    // The first scrolling row and column in view. One asked for before the window is laid out
    // holds once it is, as far as the grid's final size allows (the last rows always fill it).
    int TopRow() const { return m_topRow; }
    void SetTopRow(int row);
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int col);
    // Scrolling rows wholly in view.
    int VisibleRowCount() const;

    // The cell at a point of the viewport as (col, row); (-1, -1) outside every cell.
    QPoint CellAt(const QPoint &position) const;
    // A cell's rectangle in the viewport; empty while it is scrolled out of view.
    QRect CellRect(int col, int row) const;

    void SetOnDrawCell(DrawCellHandler handler);
    void SetOnSelectCell(SelectCellHandler handler) { m_onSelectCell = std::move(handler); }
    void SetOnDescribeCell(DescribeCellHandler handler) { m_onDescribeCell = std::move(handler); }
    // The words for a cell; the name falls back to nothing when no handler was set.
    CellWords DescribeCell(int col, int row) const;

signals:
    // A double-click with the left button on a cell, fixed cells included; Enter or Return on the
    // focused cell counts as one, so everything the mouse opens the keyboard opens too.
    void cellDoubleClicked(int col, int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    QSize viewportSizeHint() const override;

private:
    int rowHeightPx() const;
    int colWidthPx(int col) const;
    int rowPitch() const;
    int colPitch(int col) const;
    int nextColInView(int col) const;
    int nextRowInView(int row) const;
    int colLeft(int col) const;
    int rowTop(int row) const;
    int columnsInView(int leftCol) const;
    int maxTopRow() const;
    int maxLeftCol() const;
    int columnBorderAt(const QPoint &position) const;
    void updateFontScale();
    void updateScrollBars();
    void moveFocusTo(int col, int row);
    void scrollIntoView(int col, int row);
    void paintCell(QPainter &painter, int col, int row, const QRect &rect) const;
    void paintGridLines(QPainter &painter, int right, int bottom) const;
    void paintFocusRect(QPainter &painter) const;

    QVector<int> m_colWidths;
    int m_rowCount = 0;
    int m_defaultColWidth = 74;
    int m_defaultRowHeight = 16;
    double m_scale = 1.0;
    bool m_colSizing = false;
    int m_col = 1;
    int m_row = 1;
    int m_topRow = 1;
    int m_leftCol = 1;
    int m_wantedTopRow = 1;
    int m_wantedLeftCol = 1;
    bool m_fittingScrollBars = false;
    int m_resizingCol = -1;
    DrawCellHandler m_onDrawCell;
    SelectCellHandler m_onSelectCell;
    DescribeCellHandler m_onDescribeCell;
};
