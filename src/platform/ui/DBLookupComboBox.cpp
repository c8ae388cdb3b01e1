#include "platform/ui/DBLookupComboBox.h"

#include "platform/db/DataSource.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Table.h"
#include "platform/ui/FieldText.h"
#include "platform/ui/Handlers.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QWheelEvent>

TDBLookupComboBox::TDBLookupComboBox(QWidget *parent) : QComboBox(parent)
{
    ConnectHandler(&m_link, &TFieldDataLink::changed, this, &TDBLookupComboBox::showBoundField);
    ConnectHandler(this, &QComboBox::activated, this, &TDBLookupComboBox::userChose);
}

void TDBLookupComboBox::SetDataSource(TDataSource *source)
{
    m_link.SetDataSource(source);
}

void TDBLookupComboBox::SetDataField(const QString &name)
{
    m_link.SetDataField(name);
}

void TDBLookupComboBox::SetListSource(TDataSource *source)
{
    if (m_listSource)
        disconnect(m_listSource, nullptr, this, nullptr);
    m_listSource = source;
    if (m_listSource)
        ConnectHandler(m_listSource, &TDataSource::dataChanged, this, &TDBLookupComboBox::listSourceChanged);
    reloadList();
}

void TDBLookupComboBox::SetKeyField(const QString &name)
{
    m_keyField = name;
    reloadList();
}

void TDBLookupComboBox::SetListField(const QString &name)
{
    m_listField = name;
    reloadList();
}

TTable *TDBLookupComboBox::listTable() const
{
    TTable *table = m_listSource ? m_listSource->DataSet() : nullptr;
    return table && table->Active() && !m_keyField.isEmpty() && !m_listField.isEmpty() ? table : nullptr;
}

// The list table moves whenever a window browses it; its rows are read again only when they changed.
void TDBLookupComboBox::listSourceChanged()
{
    const TTable *table = listTable();
    if (table != m_listedTable || (table && table->RowsVersion() != m_listedVersion))
        reloadList();
}

void TDBLookupComboBox::reloadList()
{
    clear();
    TTable *table = listTable();
    m_listedTable = table;
    if (table) {
        m_listedVersion = table->RowsVersion();
        const FieldDef *listDef = table->definition().field(m_listField);
        const FieldKind listKind = listDef ? listDef->kind : FieldKind::String;
        for (const TRecord &row : table->VisibleRows(0, table->RecordCount()))
            addItem(FieldText::display(listKind, table->RecordFieldValue(row, m_listField)),
                    table->RecordFieldValue(row, m_keyField));
    }
    showKeyValue();
}

void TDBLookupComboBox::showKeyValue()
{
    setCurrentIndex(FieldValue::isNull(m_keyValue) ? -1 : findData(m_keyValue));
}

void TDBLookupComboBox::SetKeyValue(const QVariant &value)
{
    takeKey(value);
}

void TDBLookupComboBox::showBoundField()
{
    if (m_link.DataSource())
        takeKey(m_link.Value());
}

void TDBLookupComboBox::takeKey(const QVariant &value)
{
    const QVariant key = FieldValue::isNull(value) ? QVariant() : value;
    if (key == m_keyValue)
        return;
    m_keyValue = key;
    showKeyValue();
    moveListTableToKey();
    emit keyValueChanged();
}

void TDBLookupComboBox::userChose(int index)
{
    const QVariant key = itemData(index);
    m_link.Write(key);
    takeKey(key);
}

// A pending edit of the list table is left alone: moving would post or cancel it.
void TDBLookupComboBox::moveListTableToKey()
{
    TTable *table = listTable();
    if (!table || table->state() != TTable::State::Browse || FieldValue::isNull(m_keyValue))
        return;
    if (const std::optional<TRecord> row = table->LookupRecord(m_keyField, m_keyValue))
        table->GotoRecord(*row);
}

void TDBLookupComboBox::showPopup()
{
    if (!m_readOnly)
        QComboBox::showPopup();
}

// The choice is taken after the popup hides, so the close-up is announced once it has been.
void TDBLookupComboBox::hidePopup()
{
    const bool wasOpen = view()->isVisible();
    QComboBox::hidePopup();
    if (wasOpen)
        QMetaObject::invokeMethod(this, &TDBLookupComboBox::closeUp, Qt::QueuedConnection);
}

void TDBLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    if (m_readOnly)
        event->ignore();
    else
        QComboBox::keyPressEvent(event);
}

void TDBLookupComboBox::wheelEvent(QWheelEvent *event)
{
    if (m_readOnly)
        event->ignore();
    else
        QComboBox::wheelEvent(event);
}
