#include "platform/ui/DrawGridAccessible.h"

#include "platform/ui/DrawGrid.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace {

class GridAccessible;

// One cell. It has no object of its own, so it lives as long as the grid's interface, which
// deletes it.
class CellAccessible : public QAccessibleInterface
{
public:
    CellAccessible(GridAccessible *table, int col, int row) : m_table(table), m_col(col), m_row(row) {}

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation) const override
    {
        return {};
    }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override
    {
        return m_row == 0 ? QAccessible::ColumnHeader : m_col == 0 ? QAccessible::RowHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override;
    int col() const { return m_col; }
    int row() const { return m_row; }

private:
    TDrawGrid *grid() const;

    GridAccessible *m_table;
    int m_col;
    int m_row;
};

// The grid as a table: its children are the cells, row by row, fixed ones included.
class GridAccessible : public QAccessibleWidget
{
public:
    explicit GridAccessible(TDrawGrid *grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
    }

    TDrawGrid *grid() const { return static_cast<TDrawGrid *>(widget()); }

    int childCount() const override { return grid()->ColCount() * grid()->RowCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return cell(index % grid()->ColCount(), index / grid()->ColCount());
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || child->parent() != this)
            return -1;
        const auto *cell = static_cast<const CellAccessible *>(child);
        return cell->row() * grid()->ColCount() + cell->col();
    }
    QAccessibleInterface *focusChild() const override
    {
        return grid()->hasFocus() ? cell(grid()->Col(), grid()->Row()) : nullptr;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint at = grid()->CellAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
        return at.x() < 0 ? nullptr : cell(at.x(), at.y());
    }

    // Made on first asking and kept, so that a screen reader gets the same object for a cell
    // each time.
    QAccessibleInterface *cell(int col, int row) const
    {
        const qint64 key = (qint64(row) << 32) | quint32(col);
        auto found = m_cells.constFind(key);
        if (found != m_cells.cend())
            return QAccessible::accessibleInterface(found.value());
        auto *made = new CellAccessible(const_cast<GridAccessible *>(this), col, row);
        m_cells.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

private:
    mutable QHash<qint64, QAccessible::Id> m_cells;
};

TDrawGrid *CellAccessible::grid() const
{
    return m_table->grid();
}

bool CellAccessible::isValid() const
{
    return m_table->isValid() && m_col < grid()->ColCount() && m_row < grid()->RowCount();
}

QWindow *CellAccessible::window() const
{
    return m_table->window();
}

QAccessibleInterface *CellAccessible::parent() const
{
    return m_table;
}

QString CellAccessible::text(QAccessible::Text t) const
{
    const TDrawGrid::CellWords words = grid()->DescribeCell(m_col, m_row);
    if (t == QAccessible::Name)
        return words.name;
    if (t == QAccessible::Description)
        return words.description;
    return {};
}

QRect CellAccessible::rect() const
{
    const QRect inViewport = grid()->CellRect(m_col, m_row);
    return inViewport.isEmpty() ? QRect() : QRect(grid()->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
}

QAccessible::State CellAccessible::state() const
{
    QAccessible::State state;
    state.focusable = m_row > 0 && m_col > 0;
    state.focused = grid()->hasFocus() && grid()->Col() == m_col && grid()->Row() == m_row;
    state.invisible = grid()->CellRect(m_col, m_row).isEmpty();
    return state;
}

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TDrawGrid") && object && object->isWidgetType())
        return new GridAccessible(static_cast<TDrawGrid *>(object));
    return nullptr;
}

} // namespace

void InstallDrawGridAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void AnnounceFocusedCell(TDrawGrid &grid)
{
    if (!QAccessible::isActive())
        return;
    auto *table = static_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(&grid));
    if (!table)
        return;
    QAccessibleEvent event(table->cell(grid.Col(), grid.Row()), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
