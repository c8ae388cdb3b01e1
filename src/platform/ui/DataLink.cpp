#include "platform/ui/DataLink.h"

#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/ui/Handlers.h"

#include <QScopedValueRollback>

TFieldDataLink::TFieldDataLink(QObject *parent) : QObject(parent)
{
}

void TFieldDataLink::SetDataSource(TDataSource *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        ConnectHandler(m_source, &TDataSource::dataChanged, this, &TFieldDataLink::notifyUnlessWriting);
        ConnectHandler(m_source, &TDataSource::fieldChanged, this, &TFieldDataLink::fieldWritten);
        ConnectHandler(m_source, &QObject::destroyed, this, &TFieldDataLink::changed);
    }
    emit changed();
}

void TFieldDataLink::SetDataField(const QString &name)
{
    m_field = name;
    emit changed();
}

TTable *TFieldDataLink::ActiveTable() const
{
    TTable *table = m_source ? m_source->DataSet() : nullptr;
    return table && table->Active() && !m_field.isEmpty() ? table : nullptr;
}

const FieldDef *TFieldDataLink::fieldDef() const
{
    const TTable *table = m_source ? m_source->DataSet() : nullptr;
    return table ? table->definition().field(m_field) : nullptr;
}

FieldKind TFieldDataLink::Kind() const
{
    const FieldDef *def = fieldDef();
    return def ? def->kind : FieldKind::String;
}

int TFieldDataLink::Width() const
{
    const FieldDef *def = fieldDef();
    return def && def->kind == FieldKind::String ? def->width : 0;
}

QVariant TFieldDataLink::Value() const
{
    const TTable *table = ActiveTable();
    return table ? table->FieldValue(m_field) : QVariant();
}

bool TFieldDataLink::Write(const QVariant &value)
{
    TTable *table = ActiveTable();
    if (!table)
        return false;
    try {
        QScopedValueRollback writing(m_writing, true);
        if (table->state() == TTable::State::Browse)
            table->Edit();
        table->SetFieldValue(m_field, value);
    } catch (...) {
        emit changed();
        throw;
    }
    return true;
}

void TFieldDataLink::notifyUnlessWriting()
{
    if (!m_writing)
        emit changed();
}

void TFieldDataLink::fieldWritten(const QString &name)
{
    if (name.compare(m_field, Qt::CaseInsensitive) == 0)
        notifyUnlessWriting();
}
