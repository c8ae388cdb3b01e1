#include "platform/ui/DBCheckBox.h"

#include "platform/db/FieldValue.h"
#include "platform/ui/Handlers.h"

TDBCheckBox::TDBCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent)
{
    ConnectHandler(&m_link, &TFieldDataLink::changed, this, &TDBCheckBox::showField);
    ConnectHandler(this, &QCheckBox::clicked, this, &TDBCheckBox::writeClick);
}

void TDBCheckBox::SetDataSource(TDataSource *source)
{
    m_link.SetDataSource(source);
}

void TDBCheckBox::SetDataField(const QString &name)
{
    m_link.SetDataField(name);
}

void TDBCheckBox::showField()
{
    setChecked(FieldValue::asBoolean(m_link.Value()));
}

void TDBCheckBox::writeClick(bool checked)
{
    const QVariant value = m_link.Kind() == FieldKind::Logical
        ? QVariant(checked)
        : QVariant(checked ? QStringLiteral("True") : QStringLiteral("False"));
    if (!m_link.Write(value))
        showField();
}
