#pragma once

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

class QSqlQuery;
class TDatabase;

// A query object: SQL held as lines, prepared, then opened (a Select, walked row by row) or
// executed. Values are never written into the SQL text: they are named parameters (:name) set with
// SetParam. A result is fetched whole when the query opens, so other statements may run on the same
// connection while it is walked.
class TQuery
{
public:
    explicit TQuery(TDatabase &database);

    // The statement.
    void Clear();
    void Add(const QString &line);
    void SetText(const QString &text);
    QString Text() const { return m_lines.join(QLatin1Char('\n')); }

    void SetParam(const QString &name, const QVariant &value);

    void Prepare();
    void Unprepare();
    bool Prepared() const { return m_prepared; }

    void Open();       // runs a statement that returns rows and moves to the first row
    void ExecSQL();    // runs a statement that returns none
    // Runs a Select and hands each row to visit as it arrives, keeping none: for results too large
    // to be held. The row's values are in the order of the select list and as the engine stores
    // them (FieldValue::fromStorage reads them). No other statement may run while it walks.
    void ForEachRow(const std::function<void(const QSqlQuery &row)> &visit);
    void Close();
    bool Active() const { return m_active; }
    int RowsAffected() const { return m_rowsAffected; }

    // Walking the result.
    void First();
    void Next();
    bool Eof() const;
    bool IsEmpty() const { return m_rows.isEmpty(); }
    int RecordCount() const { return int(m_rows.size()); }

    // The current row's value of a column (any letter case); null when the field is empty.
    QVariant FieldValue(const QString &name) const;
    bool HasField(const QString &name) const;

private:
    void run(bool returnsRows);
    QSqlQuery execute();
    int columnIndex(const QString &name) const;

    TDatabase &m_database;
    QStringList m_lines;
    QHash<QString, QVariant> m_params;   // by upper-case name
    QString m_preparedSql;
    QStringList m_parameterOrder;
    bool m_prepared = false;
    bool m_active = false;
    int m_rowsAffected = 0;
    QStringList m_columns;
    QHash<QString, int> m_columnIndex;   // name, as given and in upper case -> column
    QVector<QVector<QVariant>> m_rows;
    int m_position = 0;
};
