#pragma once

#include "platform/ui/DataLink.h"

#include <QCheckBox>

// A data-aware check box: ticked when the field of the current row is true. A click by the user
// stores true or false at once (the text "True" or "False" in a text field), putting the table into
// edit mode. An empty field shows unticked.
class TDBCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit TDBCheckBox(const QString &text = QString(), QWidget *parent = nullptr);

    void SetDataSource(TDataSource *source);
    TDataSource *DataSource() const { return m_link.DataSource(); }
    void SetDataField(const QString &name);
    QString DataField() const { return m_link.DataField(); }

private:
    void showField();
    void writeClick(bool checked);

    TFieldDataLink m_link;
};
