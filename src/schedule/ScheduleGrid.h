#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The in-memory table behind every schedule view and grid report: column 0 holds the slot times,
// row 0 the headings, every further column one resource on one date. A cell that was never written
// reads as the empty string. Cells outside the current size are kept, so a column the owner hides by
// shrinking the grid shows its old cells again when the grid grows.
class ScheduleGrid
{
public:
    explicit ScheduleGrid(int columnCount = 0, int rowCount = 0);

    int ColCount() const { return m_columnCount; }
    int RowCount() const { return m_rowCount; }
    void SetColCount(int count);
    void SetRowCount(int count);

    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString &text);
    // Sets every cell of the column from firstRow to the last row to the same text.
    void FillColumn(int column, int firstRow, const QString &text);

private:
    int m_columnCount = 0;
    int m_rowCount = 0;
    QList<QStringList> m_columns;
};

// A cell holds four fields joined by ";": the date (short date text), the booking's Sequence (-1 for
// none), the ResourceID (-1 in the time column) and the text to show, which may itself hold ";".
inline const QString ContinuationMarker = QStringLiteral("%*%");   // a booked cell with no text of its own

QString MakeCellText(int sequence, int resourceID, const QString &text, double date);
// The same with the date already as short date text, for writing many cells of one date.
QString MakeCellText(int sequence, int resourceID, const QString &text, const QString &dateText);
// Takes the next field off the front of rest. Without a ";" the field is all of rest and rest stays.
QString NextCellField(QString &rest);
double CellDate(const QString &cell);       // 0 when the cell has no date
int CellSequence(const QString &cell);      // -1 when the cell has none
int CellResourceID(const QString &cell);    // -1 when the cell has none
QString CellText(const QString &cell);
