#pragma once

#include "platform/ui/DataLink.h"

#include <QComboBox>

// A lookup list: lists the rows of a lookup table (through its filter, in its browse order) by one
// field and stands for the key field of the chosen row, its KeyValue. Bound to a field of another
// table (SetDataSource, SetDataField) it shows that field's key and writes the user's choice into
// it, putting that table into edit mode; unbound it only holds the KeyValue. Whenever the key
// changes the lookup table moves to its row, so that controls bound to the lookup table show the
// chosen row.
class TDBLookupComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TDBLookupComboBox(QWidget *parent = nullptr);

    void SetDataSource(TDataSource *source);
    TDataSource *DataSource() const { return m_link.DataSource(); }
    void SetDataField(const QString &name);
    QString DataField() const { return m_link.DataField(); }

    void SetListSource(TDataSource *source);
    TDataSource *ListSource() const { return m_listSource; }
    void SetKeyField(const QString &name);
    QString KeyField() const { return m_keyField; }
    void SetListField(const QString &name);
    QString ListField() const { return m_listField; }

    // Null when nothing is chosen. A key that no listed row has is kept and shows nothing.
    QVariant KeyValue() const { return m_keyValue; }
    void SetKeyValue(const QVariant &value);

    // A read-only list shows its value but does not open or change.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool ReadOnly() const { return m_readOnly; }

    void showPopup() override;
    void hidePopup() override;

signals:
    // The KeyValue changed, by the user, by the program or by a move of the bound table.
    void keyValueChanged();
    // The list closed, after the user's choice (if any) has been taken.
    void closeUp();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    TTable *listTable() const;
    void listSourceChanged();
    void reloadList();
    void showBoundField();
    void showKeyValue();
    void takeKey(const QVariant &value);
    void userChose(int index);
    void moveListTableToKey();

    TFieldDataLink m_link;
    QPointer<TDataSource> m_listSource;
    QString m_keyField;
    QString m_listField;
    QVariant m_keyValue;
    const TTable *m_listedTable = nullptr;   // only compared: the table the items were read from
    quint64 m_listedVersion = 0;
    bool m_readOnly = false;
};
