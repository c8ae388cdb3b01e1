#pragma once

#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/db/Schema.h"

#include <QObject>
#include <QPointer>
#include <QVariant>


// Ties one data-aware control to one field of the table behind a data source: tells the control
// when to show the field again, and writes what the user enters, putting the table into edit mode
// on the first change.
class TFieldDataLink : public QObject
{
    Q_OBJECT

public:
    explicit TFieldDataLink(QObject *parent = nullptr);

    void SetDataSource(TDataSource *source);
    TDataSource *DataSource() const { return m_source; }
    void SetDataField(const QString &name);
    QString DataField() const { return m_field; }

    // The bound table while it is open and a field is named; null otherwise.
    TTable *ActiveTable() const;
    // Derived lookup fields count as text.
    FieldKind Kind() const;
    // Characters a text field holds; 0 when unlimited.
    int Width() const;
    // The field of the current row or edit buffer; null when not bound.
    QVariant Value() const;
    // Returns false when not bound. When the table refuses (an event handler or a value it cannot
    // take), the control is told to show the field again and the error goes on to the caller.
    bool Write(const QVariant &value);

signals:
    // The field may show another value: another row, another state, or a write by someone else.
    void changed();

private:
    void notifyUnlessWriting();
    void fieldWritten(const QString &name);
    const FieldDef *fieldDef() const;

    QPointer<TDataSource> m_source;
    QString m_field;
    bool m_writing = false;
};
