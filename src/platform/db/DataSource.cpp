#include "platform/db/DataSource.h"

#include "platform/db/Table.h"

TDataSource::TDataSource(TTable *dataSet, QObject *parent) : QObject(parent)
{
    SetDataSet(dataSet);
}

void TDataSource::SetDataSet(TTable *dataSet)
{
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    if (m_dataSet) {
        connect(m_dataSet, &TTable::changed, this, &TDataSource::dataChanged);
        connect(m_dataSet, &TTable::fieldChanged, this, &TDataSource::fieldChanged);
    }
    emit dataChanged();
}
