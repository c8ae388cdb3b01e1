#pragma once

#include "platform/ui/DataLink.h"

#include <QPlainTextEdit>

// A data-aware memo: shows a text field of the current row and writes every change the user makes
// into the field, putting the table into edit mode on the first one.
class TDBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TDBMemo(QWidget *parent = nullptr);

    void SetDataSource(TDataSource *source);
    TDataSource *DataSource() const { return m_link.DataSource(); }
    void SetDataField(const QString &name);
    QString DataField() const { return m_link.DataField(); }

    // The most characters the user may enter; 0 leaves only the field's own width as the limit.
    void SetMaxLength(int length);
    int MaxLength() const { return m_maxLength; }

private:
    int effectiveMaxLength() const;
    void showField();
    void writeUserChange();
    bool dropTextBeyondMaxLength();

    TFieldDataLink m_link;
    int m_maxLength = 0;
    bool m_showing = false;
};
