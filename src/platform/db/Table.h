#pragma once

#include "platform/db/Record.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <functional>
#include <optional>

class TDatabase;

// A table object: one table of the database browsed row by row in the order of an index, with a
// current row that every window bound to it shares, an edit buffer for insert and edit, events
// that record rules hang on, an optional per-row filter and derived lookup fields.
//
// Rows are read lazily in small pages around the current row (keyset paging on the index order), so
// a table of a million rows opens at once and memory stays small whatever its size.
class TTable : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };

    using Event = std::function<void(TTable &)>;
    using Filter = std::function<bool(const TRecord &)>;

    TTable(TDatabase &database, const QString &tableName, QObject *parent = nullptr);
    ~TTable() override;

    const TableDef &definition() const { return *m_def; }
    QString TableName() const { return m_def->name; }

    void Open();
    void Close();
    bool Active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    // Reads the rows again from the database, staying on the current row where it still exists.
    void Refresh();

    // Browse order: a secondary index name, or empty for the primary index.
    void SetIndexName(const QString &indexName);
    QString IndexName() const { return m_indexName; }

    // Navigation.
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool IsEmpty() const { return m_position < 0 && m_state != State::Insert; }
    // Rows that the filter lets through (all rows when it is off).
    int RecordCount();
    // Moves to the row whose index fields equal the key (the primary key for the primary index);
    // returns false and stays when there is none that the filter lets through.
    bool FindKey(const QVariantList &key);
    // Moves to that row or, when there is none, the first row after it in index order.
    void FindNearest(const QVariantList &key);

    // Fields of the current row, or of the edit buffer while inserting or editing.
    QStringList FieldNames() const;
    QVariant FieldValue(const QString &name) const;
    bool FieldIsNull(const QString &name) const;
    void SetFieldValue(const QString &name, const QVariant &value);
    TRecord CurrentRecord() const;
    bool Modified() const { return m_modified; }

    // Editing.
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();

    // Events. A handler that throws abandons the operation (the state stays as it was).
    Event BeforeEdit;
    Event BeforePost;
    Event BeforeDelete;
    Event OnNewRecord;

    // The per-row filter and its switch. Switching it on again re-applies the filter.
    void SetFilter(Filter filter);
    void SetFiltered(bool on);
    bool Filtered() const { return m_filtered; }

    // A derived field: the value of resultField in the row of lookupTable whose lookupKeyField
    // equals this table's keyField (through lookupTable's filter), cut to width characters; empty
    // when there is no such row.
    void AddLookupField(const QString &name, const QString &keyField, TTable *lookupTable,
                        const QString &lookupKeyField, const QString &resultField, int width);
    // The visible row of this table whose field equals value (cached until the table changes).
    std::optional<TRecord> LookupRecord(const QString &field, const QVariant &value);

signals:
    // The current row, its values or the state changed: data-aware controls re-read.
    void changed();
    // One field of the edit buffer was set.
    void fieldChanged(const QString &name);

private:
    struct LookupField
    {
        QString name;
        QString keyField;
        TTable *table;
        QString lookupKeyField;
        QString resultField;
        int width;
    };
    struct Page
    {
        QList<TRecord> rows;   // rows the filter lets through, in browse order
        bool reachedEnd = false;
    };
    enum class Direction { Forward, Backward };

    void requireActive() const;
    void requireEditing() const;
    void finishEditingBeforeMove();
    bool passes(const TRecord &record) const;
    QStringList orderFields() const;
    QString orderExpression(const QString &field) const;
    QVariant orderValue(const TRecord &record, const QString &field) const;
    QString selectList() const;
    TRecord recordFromQuery(class QSqlQuery &query) const;
    QList<TRecord> readRows(class QSqlQuery &query) const;
    Page fetch(Direction direction, const QVariantList *boundary, bool inclusive, int wanted) const;
    QVariantList boundaryOf(const TRecord &record) const;
    QVariantList keyBoundary(const QVariantList &key) const;
    void showFound(const Page &page);
    std::optional<TRecord> fetchByPrimaryKey(const QVariant &key) const;
    void showPageAt(const Page &page, bool atFirst, bool atLast);
    void positionOn(const TRecord &record);
    void positionAfterRemoval(const TRecord &removed);
    QVariant writeInsert();
    QVariant writeUpdate();
    void checkWidths() const;
    void invalidateCaches();
    const LookupField *lookupField(const QString &name) const;
    QVariant lookupValue(const LookupField &lookup, const TRecord &record);
    const TRecord *currentRow() const;
    void notify();

    TDatabase &m_database;
    const TableDef *m_def;
    QString m_indexName;
    State m_state = State::Inactive;

    // The window of rows read so far around the current row.
    QList<TRecord> m_rows;
    int m_position = -1;
    bool m_rowsStartAtFirst = false;
    bool m_rowsEndAtLast = false;
    bool m_bof = true;
    bool m_eof = true;

    TRecord m_editBuffer;
    QVariant m_editKey;                 // primary key of the row being edited
    QSet<int> m_modifiedFields;
    bool m_modified = false;

    Filter m_filter;
    bool m_filtered = false;
    QList<LookupField> m_lookups;
    QHash<QString, std::optional<TRecord>> m_lookupCache;   // "FIELD\x1fvalue" -> row

    // ---- rows seen without moving the current row: grids and lookup lists ----
public:
    // Up to `count` rows that the filter lets through, from visible row number `first` (0 is the
    // first row) in browse order.
    QList<TRecord> VisibleRows(int first, int count);
    // How many rows the filter lets through from visible row number `first` on, counting no
    // further than `limit`: a view of a large table learns how far it may scroll without counting
    // every row.
    int CountVisibleRows(int first, int limit);
    // The value of a field or derived field of a row read with VisibleRows.
    QVariant RecordFieldValue(const TRecord &record, const QString &name);
    // Makes the stored row with the record's primary key the current row, finishing an edit as any
    // move does; returns false and stays when that row is gone or the filter hides it.
    bool GotoRecord(const TRecord &record);
    // Visible row number of the current row in browse order; -1 when there is none.
    int CurrentRowNumber();
    // Changes whenever rows may have been added, removed, changed or reordered, so that a view
    // holding rows knows to read them again.
    quint64 RowsVersion() const { return m_rowsVersion; }

private:
    // Walks the rows the filter lets through in browse order until visit returns false.
    void walkVisibleRows(const std::function<bool(const TRecord &)> &visit) const;
    QString orderByList() const;

    quint64 m_rowsVersion = 0;
};
