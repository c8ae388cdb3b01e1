#include "platform/db/Query.h"

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/SqlText.h"

#include <QSqlQuery>
#include <QSqlRecord>

TQuery::TQuery(TDatabase &database) : m_database(database) {}

void TQuery::Clear()
{
    Close();
    Unprepare();
    m_lines.clear();
    m_params.clear();
}

void TQuery::Add(const QString &line)
{
    Unprepare();
    m_lines << line;
}

void TQuery::SetText(const QString &text)
{
    Clear();
    m_lines = text.split(QLatin1Char('\n'));
}

void TQuery::SetParam(const QString &name, const QVariant &value)
{
    m_params.insert(name.toUpper(), value);
}

void TQuery::Prepare()
{
    if (m_prepared)
        return;
    const SqlText::Translated translated = SqlText::translate(Text());
    m_preparedSql = translated.sql;
    m_parameterOrder = translated.parameterNames;
    m_prepared = true;
}

void TQuery::Unprepare()
{
    m_prepared = false;
    m_preparedSql.clear();
    m_parameterOrder.clear();
}

void TQuery::Open()
{
    run(true);
}

void TQuery::ExecSQL()
{
    run(false);
}

void TQuery::ForEachRow(const std::function<void(const QSqlQuery &row)> &visit)
{
    QSqlQuery query = execute();
    while (query.next())
        visit(query);
}

QSqlQuery TQuery::execute()
{
    Close();
    Prepare();
    QVariantList bindings;
    for (const QString &name : m_parameterOrder) {
        if (!m_params.contains(name.toUpper()))
            throw EDatabaseError(QStringLiteral("No value given for the parameter %1").arg(name));
        bindings << FieldValue::paramToStorage(m_database.engine(), m_params.value(name.toUpper()));
    }
    return m_database.exec(m_preparedSql, bindings);
}

void TQuery::run(bool returnsRows)
{
    QSqlQuery query = execute();
    m_rowsAffected = query.numRowsAffected();
    if (!returnsRows)
        return;
    const QSqlRecord record = query.record();
    QVector<const FieldDef *> kinds;
    for (int c = 0; c < record.count(); ++c) {
        m_columns << record.fieldName(c);
        m_columnIndex.insert(record.fieldName(c), c);
        m_columnIndex.insert(record.fieldName(c).toUpper(), c);
        kinds << Schema::findField(record.fieldName(c));
    }
    while (query.next()) {
        QVector<QVariant> row(record.count());
        for (int c = 0; c < record.count(); ++c) {
            const QVariant value = query.value(c);
            row[c] = kinds[c] ? FieldValue::fromStorage(kinds[c]->kind, value)
                              : (FieldValue::isNull(value) ? QVariant() : value);
        }
        m_rows << row;
    }
    m_active = true;
    m_position = 0;
}

void TQuery::Close()
{
    m_active = false;
    m_columns.clear();
    m_columnIndex.clear();
    m_rows.clear();
    m_position = 0;
}

void TQuery::First()
{
    m_position = 0;
}

void TQuery::Next()
{
    if (m_position < m_rows.size())
        ++m_position;
}

bool TQuery::Eof() const
{
    return m_position >= m_rows.size();
}

// Callers mostly spell a column as the engine names it, which is found without changing its case.
int TQuery::columnIndex(const QString &name) const
{
    if (const auto exact = m_columnIndex.constFind(name); exact != m_columnIndex.constEnd())
        return *exact;
    return m_columnIndex.value(name.toUpper(), -1);
}

bool TQuery::HasField(const QString &name) const
{
    return columnIndex(name) >= 0;
}

QVariant TQuery::FieldValue(const QString &name) const
{
    if (!m_active)
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    const int column = columnIndex(name);
    if (column < 0)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    if (Eof())
        return QVariant();
    return m_rows.at(m_position).at(column);
}
