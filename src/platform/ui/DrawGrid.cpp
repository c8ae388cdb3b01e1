#include "platform/ui/DrawGrid.h"

#include "platform/ui/DrawGridAccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int FixedCols = 1;
constexpr int FixedRows = 1;
constexpr int GridLine = 1;
constexpr int DefaultCount = 5;
// The row height the layout sizes were made for holds a 13-pixel line of text and its margins.
constexpr int DesignRowHeight = 16;
constexpr int TextMargins = DesignRowHeight - 13;
constexpr int BorderGrip = 3;
constexpr int MinimumColWidth = 8;

} // namespace

TDrawGrid::TDrawGrid(QWidget *parent) : QAbstractScrollArea(parent)
{
    InstallDrawGridAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    m_rowCount = DefaultCount;
    m_colWidths.fill(m_defaultColWidth, DefaultCount);
    updateFontScale();
}

// ---- sizes -----------------------------------------------------------------------------------

void TDrawGrid::updateFontScale()
{
    m_scale = std::max(1.0, double(fontMetrics().height() + TextMargins) / DesignRowHeight);
    updateScrollBars();
    viewport()->update();
}

int TDrawGrid::rowHeightPx() const
{
    return qRound(m_defaultRowHeight * m_scale);
}

int TDrawGrid::colWidthPx(int col) const
{
    return qRound(m_colWidths.at(col) * m_scale);
}

int TDrawGrid::rowPitch() const
{
    return rowHeightPx() + GridLine;
}

int TDrawGrid::colPitch(int col) const
{
    return colWidthPx(col) + GridLine;
}

void TDrawGrid::SetColCount(int count)
{
    m_colWidths.resize(std::max(0, count), m_defaultColWidth);
    m_col = std::clamp(m_col, FixedCols, std::max(FixedCols, ColCount() - 1));
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetRowCount(int count)
{
    m_rowCount = std::max(0, count);
    m_row = std::clamp(m_row, FixedRows, std::max(FixedRows, m_rowCount - 1));
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetDefaultColWidth(int width)
{
    m_defaultColWidth = std::max(MinimumColWidth, width);
    m_colWidths.fill(m_defaultColWidth);
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetDefaultRowHeight(int height)
{
    m_defaultRowHeight = std::max(1, height);
    updateScrollBars();
    viewport()->update();
}

int TDrawGrid::ColWidth(int col) const
{
    return col >= 0 && col < ColCount() ? m_colWidths.at(col) : m_defaultColWidth;
}

void TDrawGrid::SetColWidth(int col, int width)
{
    if (col < 0 || col >= ColCount())
        return;
    m_colWidths[col] = std::max(MinimumColWidth, width);
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetColWidths(int firstCol, const QList<int> &widths)
{
    for (int i = 0; i < widths.size(); ++i)
        if (const int col = firstCol + i; col >= 0 && col < ColCount())
            m_colWidths[col] = std::max(MinimumColWidth, widths.at(i));
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetOnDrawCell(DrawCellHandler handler)
{
    m_onDrawCell = std::move(handler);
    viewport()->update();
}

// ---- geometry ----------------------------------------------------------------------------------

int TDrawGrid::colLeft(int col) const
{
    if (col < FixedCols)
        return 0;
    int x = colPitch(0);
    for (int c = m_leftCol; c < col; ++c)
        x += colPitch(c);
    return x;
}

// The fixed column is followed in view by the left column; rows likewise.
int TDrawGrid::nextColInView(int col) const
{
    return col < FixedCols ? m_leftCol : col + 1;
}

int TDrawGrid::nextRowInView(int row) const
{
    return row < FixedRows ? m_topRow : row + 1;
}

int TDrawGrid::rowTop(int row) const
{
    return row < FixedRows ? 0 : rowPitch() * (FixedRows + row - m_topRow);
}

QRect TDrawGrid::CellRect(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= m_rowCount)
        return QRect();
    if ((col >= FixedCols && col < m_leftCol) || (row >= FixedRows && row < m_topRow))
        return QRect();
    return QRect(colLeft(col), rowTop(row), colWidthPx(col), rowHeightPx());
}

QPoint TDrawGrid::CellAt(const QPoint &position) const
{
    if (position.x() < 0 || position.y() < 0 || ColCount() == 0 || m_rowCount == 0)
        return QPoint(-1, -1);
    int col = -1;
    for (int c = 0, x = 0; c < ColCount() && x <= position.x(); c = nextColInView(c)) {
        x += colPitch(c);
        if (position.x() < x)
            col = c;
    }
    const int row = position.y() < rowPitch() ? 0 : m_topRow + position.y() / rowPitch() - FixedRows;
    if (col < 0 || row >= m_rowCount)
        return QPoint(-1, -1);
    return QPoint(col, row);
}

int TDrawGrid::VisibleRowCount() const
{
    return std::max(1, (viewport()->height() - FixedRows * rowPitch()) / rowPitch());
}

// Scrolling columns wholly in view when `leftCol` is the first of them (at least one).
int TDrawGrid::columnsInView(int leftCol) const
{
    const int room = viewport()->width() - colPitch(0);
    int used = 0;
    int count = 0;
    for (int c = leftCol; c < ColCount() && used + colPitch(c) <= room; ++c, ++count)
        used += colPitch(c);
    return std::max(1, count);
}

int TDrawGrid::maxTopRow() const
{
    return std::max(FixedRows, m_rowCount - VisibleRowCount());
}

// The last left column that still fills the view with the columns after it.
int TDrawGrid::maxLeftCol() const
{
    const int room = viewport()->width() - (ColCount() > 0 ? colPitch(0) : 0);
    int left = ColCount() - 1;
    int used = left >= FixedCols ? colPitch(left) : 0;
    while (left - 1 >= FixedCols && used + colPitch(left - 1) <= room)
        used += colPitch(--left);
    return std::max(FixedCols, left);
}

// ---- scrolling -----------------------------------------------------------------------------------

// The scroll bars count scrolling rows and columns. When the view changes size the grid goes back
// to the top row and left column last asked for, as far as the new size allows: a top row set
// before the window is laid out holds once it is.
void TDrawGrid::updateScrollBars()
{
    QScopedValueRollback fitting(m_fittingScrollBars, true);
    verticalScrollBar()->setRange(0, maxTopRow() - FixedRows);
    verticalScrollBar()->setPageStep(VisibleRowCount());
    verticalScrollBar()->setValue(m_wantedTopRow - FixedRows);
    horizontalScrollBar()->setRange(0, maxLeftCol() - FixedCols);
    horizontalScrollBar()->setPageStep(columnsInView(m_leftCol));
    horizontalScrollBar()->setValue(m_wantedLeftCol - FixedCols);
}

void TDrawGrid::scrollContentsBy(int, int)
{
    m_topRow = verticalScrollBar()->value() + FixedRows;
    m_leftCol = horizontalScrollBar()->value() + FixedCols;
    if (!m_fittingScrollBars) {
        m_wantedTopRow = m_topRow;
        m_wantedLeftCol = m_leftCol;
    }
    viewport()->update();
}

void TDrawGrid::SetTopRow(int row)
{
    verticalScrollBar()->setValue(row - FixedRows);
    m_wantedTopRow = row;
}

void TDrawGrid::SetLeftCol(int col)
{
    horizontalScrollBar()->setValue(col - FixedCols);
    m_wantedLeftCol = col;
}

void TDrawGrid::scrollIntoView(int col, int row)
{
    if (row < m_topRow)
        SetTopRow(row);
    else if (row >= m_topRow + VisibleRowCount())
        SetTopRow(row - VisibleRowCount() + 1);
    if (col < m_leftCol) {
        SetLeftCol(col);
        return;
    }
    int left = m_leftCol;
    while (col >= left + columnsInView(left))
        ++left;
    SetLeftCol(left);
}

// ---- focused cell --------------------------------------------------------------------------------

void TDrawGrid::SetCol(int col)
{
    moveFocusTo(col, m_row);
}

void TDrawGrid::SetRow(int row)
{
    moveFocusTo(m_col, row);
}

void TDrawGrid::moveFocusTo(int col, int row)
{
    if (ColCount() <= FixedCols || m_rowCount <= FixedRows)
        return;
    col = std::clamp(col, FixedCols, ColCount() - 1);
    row = std::clamp(row, FixedRows, m_rowCount - 1);
    if (col != m_col || row != m_row) {
        if (m_onSelectCell && !m_onSelectCell(col, row))
            return;
        m_col = col;
        m_row = row;
        AnnounceFocusedCell(*this);
    }
    scrollIntoView(col, row);
    viewport()->update();
}

TDrawGrid::CellWords TDrawGrid::DescribeCell(int col, int row) const
{
    return m_onDescribeCell ? m_onDescribeCell(col, row) : CellWords{};
}

// ---- events --------------------------------------------------------------------------------------

void TDrawGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TDrawGrid::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateFontScale();
}

QSize TDrawGrid::viewportSizeHint() const
{
    int width = 0;
    for (int c = 0; c < std::min(ColCount(), 6); ++c)
        width += colPitch(c);
    return QSize(width, std::min(m_rowCount, 12) * rowPitch());
}

// The border of a column in the fixed row, which the user may drag; -1 elsewhere.
int TDrawGrid::columnBorderAt(const QPoint &position) const
{
    if (!m_colSizing || position.y() >= rowPitch())
        return -1;
    for (int c = 0, right = 0; c < ColCount() && right <= viewport()->width(); c = nextColInView(c)) {
        right += colPitch(c);
        if (std::abs(position.x() - right) <= BorderGrip)
            return c;
    }
    return -1;
}

void TDrawGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint position = event->position().toPoint();
    m_resizingCol = columnBorderAt(position);
    if (m_resizingCol >= 0)
        return;
    const QPoint cell = CellAt(position);
    if (cell.x() >= FixedCols && cell.y() >= FixedRows)
        moveFocusTo(cell.x(), cell.y());
}

void TDrawGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (m_resizingCol >= 0) {
        const int widthPx = position.x() - colLeft(m_resizingCol);
        SetColWidth(m_resizingCol, qRound(widthPx / m_scale));
        return;
    }
    if (columnBorderAt(position) >= 0)
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent *)
{
    m_resizingCol = -1;
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell.x() >= 0)
        emit cellDoubleClicked(cell.x(), cell.y());
}

void TDrawGrid::keyPressEvent(QKeyEvent *event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        moveFocusTo(m_col, m_row - 1);
        break;
    case Qt::Key_Down:
        moveFocusTo(m_col, m_row + 1);
        break;
    case Qt::Key_Left:
        moveFocusTo(m_col - 1, m_row);
        break;
    case Qt::Key_Right:
        moveFocusTo(m_col + 1, m_row);
        break;
    case Qt::Key_PageUp:
        moveFocusTo(m_col, m_row - VisibleRowCount());
        break;
    case Qt::Key_PageDown:
        moveFocusTo(m_col, m_row + VisibleRowCount());
        break;
    case Qt::Key_Home:
        moveFocusTo(FixedCols, control ? FixedRows : m_row);
        break;
    case Qt::Key_End:
        moveFocusTo(ColCount() - 1, control ? m_rowCount - 1 : m_row);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit cellDoubleClicked(m_col, m_row);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

// ---- painting ------------------------------------------------------------------------------------

void TDrawGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    int right = 0;
    int bottom = 0;
    for (int row = 0; row < m_rowCount && rowTop(row) < viewport()->height(); row = nextRowInView(row)) {
        bottom = rowTop(row) + rowPitch();
        right = 0;
        for (int col = 0; col < ColCount() && right < viewport()->width(); col = nextColInView(col)) {
            const QRect rect(right, rowTop(row), colWidthPx(col), rowHeightPx());
            if (rect.intersects(area))
                paintCell(painter, col, row, rect);
            right += colPitch(col);
        }
    }
    paintGridLines(painter, right, bottom);
    paintFocusRect(painter);
}

void TDrawGrid::paintCell(QPainter &painter, int col, int row, const QRect &rect) const
{
    const bool fixed = col < FixedCols || row < FixedRows;
    const bool focused = col == m_col && row == m_row;
    const QPalette &colours = palette();
    const QBrush brush = fixed ? colours.button() : focused ? colours.highlight() : colours.base();
    const QColor text = fixed ? colours.buttonText().color() : focused ? colours.highlightedText().color()
                                                                       : colours.text().color();
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, brush);
    painter.setBrush(brush);
    painter.setPen(text);
    painter.setFont(font());
    if (m_onDrawCell)
        m_onDrawCell(col, row, rect, painter);
    painter.restore();
}

// Lines run along the right and bottom edge of every cell in view.
void TDrawGrid::paintGridLines(QPainter &painter, int right, int bottom) const
{
    painter.setPen(palette().color(QPalette::Mid));
    for (int col = 0, x = 0; col < ColCount() && x < right; col = nextColInView(col)) {
        x += colPitch(col);
        painter.drawLine(x - 1, 0, x - 1, bottom - 1);
    }
    for (int row = 0; row < m_rowCount && rowTop(row) < bottom; row = nextRowInView(row)) {
        const int y = rowTop(row) + rowPitch() - 1;
        painter.drawLine(0, y, right - 1, y);
    }
}

void TDrawGrid::paintFocusRect(QPainter &painter) const
{
    const QRect rect = CellRect(m_col, m_row);
    if (rect.isEmpty())
        return;
    painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}
