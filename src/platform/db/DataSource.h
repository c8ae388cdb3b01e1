#pragma once

#include <QObject>
#include <QPointer>

class TTable;

// Joins data-aware controls to a table object: controls bind to a data source, and the source
// passes on the table's change notifications.
class TDataSource : public QObject
{
    Q_OBJECT

public:
    explicit TDataSource(TTable *dataSet = nullptr, QObject *parent = nullptr);
    TTable *DataSet() const { return m_dataSet; }
    void SetDataSet(TTable *dataSet);

signals:
    void dataChanged();
    void fieldChanged(const QString &name);

private:
    QPointer<TTable> m_dataSet;
};
