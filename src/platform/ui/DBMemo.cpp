#include "platform/ui/DBMemo.h"

#include "platform/db/FieldValue.h"
#include "platform/ui/Handlers.h"

#include <QScopedValueRollback>
#include <algorithm>

TDBMemo::TDBMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ConnectHandler(&m_link, &TFieldDataLink::changed, this, &TDBMemo::showField);
    ConnectHandler(this, &QPlainTextEdit::textChanged, this, &TDBMemo::writeUserChange);
}

void TDBMemo::SetDataSource(TDataSource *source)
{
    m_link.SetDataSource(source);
}

void TDBMemo::SetDataField(const QString &name)
{
    m_link.SetDataField(name);
}

void TDBMemo::SetMaxLength(int length)
{
    m_maxLength = std::max(0, length);
}

int TDBMemo::effectiveMaxLength() const
{
    const int width = m_link.Width();
    if (m_maxLength > 0 && width > 0)
        return std::min(m_maxLength, width);
    return std::max(m_maxLength, width);
}

void TDBMemo::showField()
{
    const QString shown = FieldValue::asString(m_link.Value());
    if (toPlainText() == shown)
        return;
    QScopedValueRollback showing(m_showing, true);
    setPlainText(shown);
}

// The characters beyond the limit are the ones just typed or pasted, just before the cursor.
bool TDBMemo::dropTextBeyondMaxLength()
{
    const int limit = effectiveMaxLength();
    const int excess = limit > 0 ? int(toPlainText().size()) - limit : 0;
    if (excess <= 0)
        return false;
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    if (cursor.position() < excess)
        cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, excess);
    cursor.removeSelectedText();
    return true;
}

void TDBMemo::writeUserChange()
{
    if (m_showing || dropTextBeyondMaxLength())
        return;
    if (!m_link.Write(toPlainText()))
        showField();
}
