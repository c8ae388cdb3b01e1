#include "platform/db/Record.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"

TRecord::TRecord(const TableDef *table, QVector<QVariant> values)
    : m_table(table), m_values(std::move(values))
{
    m_values.resize(m_table->fields.size());
}

int TRecord::fieldIndex(const QString &name) const
{
    if (!m_table)
        return -1;
    for (int i = 0; i < m_table->fields.size(); ++i)
        if (m_table->fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TRecord::FieldValue(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return m_values.at(i);
}

bool TRecord::FieldIsNull(const QString &name) const
{
    return FieldValue::isNull(FieldValue(name));
}

void TRecord::SetFieldValue(const QString &name, const QVariant &value)
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    m_values[i] = value;
}
