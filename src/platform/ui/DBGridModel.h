#pragma once

#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/db/Record.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QTimer>

// The rows of a table object as a table model for a data-aware grid: one column per chosen field
// (derived lookup fields included), the rows through the table's filter in its browse order.
// Rows are read in pages only when a view asks for them, so a table of a million rows opens at
// once; they are read again whenever the table's rows change. Counting every row of such a table
// takes longer than showing its first screen, so the rows are first counted only some way ahead,
// and all of them once the view has been painted (or sooner, as the view scrolls towards the end
// of those counted). The row being edited shows the edit buffer, and an edited cell is written
// into it.
class TDBGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TDBGridModel(QObject *parent = nullptr);

    void SetDataSource(TDataSource *source);
    TDataSource *DataSource() const { return m_source; }
    TTable *ActiveTable() const;
    void AddColumn(const QString &fieldName, const QString &heading);
    QString ColumnField(int column) const { return m_columns.at(column).field; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool ReadOnly() const { return m_readOnly; }

    // The stored row shown in a grid row; invalid when it cannot be read.
    TRecord RecordAt(int row) const;
    // The grid row of the table's current row; -1 when it has none (empty, or inserting). The
    // rows counted grow to take it in.
    int CurrentRow();
    // Rows read from the table so far.
    int RowsRead() const { return m_rowsRead; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    struct Column
    {
        QString field;
        QString heading;
    };

    void tableChanged();
    void reset();
    int rowsAhead();
    void countAll();
    void growTo(int rowCount);
    const QList<TRecord> &page(int pageNumber) const;
    bool isRowBeingEdited(const TRecord &record) const;
    FieldKind kindOf(int column) const;
    QVariant cellValue(const TRecord &record, int column) const;
    void reportAfterPainting(const QString &message) const;

    QPointer<TDataSource> m_source;
    QList<Column> m_columns;
    bool m_readOnly = true;
    const TTable *m_shownTable = nullptr;   // only compared: the table the rows were read from
    quint64 m_shownVersion = 0;
    int m_rowCount = 0;   // rows counted so far
    bool m_allCounted = true;
    QTimer m_countAllTimer;
    mutable QHash<int, QList<TRecord>> m_pages;
    mutable int m_rowsRead = 0;
    mutable bool m_errorPending = false;
};
