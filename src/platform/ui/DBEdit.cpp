#include "platform/ui/DBEdit.h"

#include "platform/ui/FieldText.h"
#include "platform/ui/Handlers.h"

#include <QRegularExpressionValidator>

TDBEdit::TDBEdit(QWidget *parent)
    : QLineEdit(parent), m_validator(new QRegularExpressionValidator(this))
{
    ConnectHandler(&m_link, &TFieldDataLink::changed, this, &TDBEdit::showField);
    ConnectHandler(this, &QLineEdit::textEdited, this, &TDBEdit::writeTypedText);
}

void TDBEdit::SetDataSource(TDataSource *source)
{
    m_link.SetDataSource(source);
    applyFieldLimits();
}

void TDBEdit::SetDataField(const QString &name)
{
    m_link.SetDataField(name);
    applyFieldLimits();
}

void TDBEdit::applyFieldLimits()
{
    const int width = m_link.Width();
    setMaxLength(width > 0 ? width : 32767);
    const QRegularExpression pattern = FieldText::inputPattern(m_link.Kind());
    m_validator->setRegularExpression(pattern);
    setValidator(pattern.pattern().isEmpty() ? nullptr : m_validator);
    showField();
}

void TDBEdit::showField()
{
    const QString shown = FieldText::display(m_link.Kind(), m_link.Value());
    if (text() != shown)
        setText(shown);
}

void TDBEdit::writeTypedText(const QString &text)
{
    const std::optional<QVariant> value = FieldText::parse(m_link.Kind(), text);
    if (value && !m_link.Write(*value))
        showField();
}

void TDBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!FieldText::parse(m_link.Kind(), text()))
        showField();
}
