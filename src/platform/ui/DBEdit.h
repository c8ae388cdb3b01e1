#pragma once

#include "platform/ui/DataLink.h"

#include <QLineEdit>

class QRegularExpressionValidator;

// A data-aware edit box: shows a field of the current row and writes what the user types into the
// field as it is typed, putting the table into edit mode on the first keystroke. Characters that
// the field's kind cannot hold are refused as they are typed; a text that is not yet a whole value
// (a lone "-") is not written and gives way to the field's value when the box loses the focus.
// textChanged() is the box's change event: it follows both typing and moves of the table.
class TDBEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TDBEdit(QWidget *parent = nullptr);

    void SetDataSource(TDataSource *source);
    TDataSource *DataSource() const { return m_link.DataSource(); }
    void SetDataField(const QString &name);
    QString DataField() const { return m_link.DataField(); }

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void writeTypedText(const QString &text);
    void applyFieldLimits();

    TFieldDataLink m_link;
    QRegularExpressionValidator *m_validator;
};
