#pragma once

#include "platform/db/Schema.h"

#include <QVariant>
#include <QVector>

// The values of one row of a table, in the table's field order; a null field is an invalid
// QVariant. Filters receive the row they decide on as a record.
class TRecord
{
public:
    TRecord() = default;
    TRecord(const TableDef *table, QVector<QVariant> values);

    bool IsValid() const { return m_table != nullptr; }
    QVariant FieldValue(const QString &name) const;   // any letter case; throws when unknown
    bool FieldIsNull(const QString &name) const;
    void SetFieldValue(const QString &name, const QVariant &value);

    const QVector<QVariant> &values() const { return m_values; }
    const TableDef *table() const { return m_table; }
    int fieldIndex(const QString &name) const;   // -1 when unknown

private:
    const TableDef *m_table = nullptr;
    QVector<QVariant> m_values;
};
