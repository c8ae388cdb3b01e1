#include "schedule/ScheduleGrid.h"

#include "platform/db/TimeValue.h"

#include <algorithm>

namespace {

QString fieldAt(const QString &cell, int index)
{
    QString rest = cell;
    QString field;
    for (int i = 0; i <= index; ++i)
        field = NextCellField(rest);
    return field;
}

int numberField(const QString &cell, int index)
{
    const QString field = fieldAt(cell, index);
    return field.isEmpty() ? -1 : field.toInt();
}

} // namespace

ScheduleGrid::ScheduleGrid(int columnCount, int rowCount)
{
    SetColCount(columnCount);
    SetRowCount(rowCount);
}

void ScheduleGrid::SetColCount(int count)
{
    m_columnCount = std::max(0, count);
}

void ScheduleGrid::SetRowCount(int count)
{
    m_rowCount = std::max(0, count);
}

QString ScheduleGrid::Cell(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_columns.size())
        return QString();
    return m_columns.at(column).value(row);
}

void ScheduleGrid::SetCell(int column, int row, const QString &text)
{
    if (column < 0 || row < 0)
        return;
    if (column >= m_columns.size())
        m_columns.resize(column + 1);
    QStringList &cells = m_columns[column];
    if (row >= cells.size())
        cells.resize(row + 1);
    cells[row] = text;
}

void ScheduleGrid::FillColumn(int column, int firstRow, const QString &text)
{
    if (column < 0 || firstRow < 0 || firstRow >= m_rowCount)
        return;
    if (column >= m_columns.size())
        m_columns.resize(column + 1);
    QStringList &cells = m_columns[column];
    if (cells.size() < m_rowCount)
        cells.resize(m_rowCount);
    std::fill(cells.begin() + firstRow, cells.begin() + m_rowCount, text);
}

QString MakeCellText(int sequence, int resourceID, const QString &text, double date)
{
    return MakeCellText(sequence, resourceID, text, TimeValue::toShortDateText(date));
}

QString MakeCellText(int sequence, int resourceID, const QString &text, const QString &dateText)
{
    return dateText + QLatin1Char(';') + QString::number(sequence) + QLatin1Char(';') + QString::number(resourceID)
        + QLatin1Char(';') + text;
}

QString NextCellField(QString &rest)
{
    const qsizetype separator = rest.indexOf(QLatin1Char(';'));
    if (separator < 0)
        return rest;
    const QString field = rest.left(separator);
    rest.remove(0, separator + 1);
    return field;
}

double CellDate(const QString &cell)
{
    const QString field = fieldAt(cell, 0);
    return field.isEmpty() ? 0.0 : TimeValue::fromShortDateText(field);
}

int CellSequence(const QString &cell)
{
    return numberField(cell, 1);
}

int CellResourceID(const QString &cell)
{
    return numberField(cell, 2);
}

QString CellText(const QString &cell)
{
    QString rest = cell;
    for (int i = 0; i < 3; ++i)
        NextCellField(rest);
    return rest;
}
