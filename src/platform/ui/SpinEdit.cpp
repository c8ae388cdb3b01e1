#include "platform/ui/SpinEdit.h"

#include "platform/ui/Handlers.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QStyleOptionSpinBox>
#include <algorithm>
#include <climits>

TSpinEdit::TSpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    lineEdit()->setText(QStringLiteral("0"));
    ConnectHandler(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::changed);
}

int TSpinEdit::Value() const
{
    bool isNumber = false;
    const int value = lineEdit()->text().trimmed().toInt(&isNumber);
    return isNumber ? value : m_minValue;
}

int TSpinEdit::clamped(qint64 value) const
{
    const qint64 low = limited() ? m_minValue : INT_MIN;
    const qint64 high = limited() ? std::max(m_minValue, m_maxValue) : INT_MAX;
    return int(std::max(low, std::min(high, value)));
}

void TSpinEdit::SetValue(int value)
{
    const QString text = QString::number(clamped(value));
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void TSpinEdit::SetMinValue(int value)
{
    m_minValue = value;
}

void TSpinEdit::SetMaxValue(int value)
{
    m_maxValue = value;
}

void TSpinEdit::stepBy(int steps)
{
    SetValue(clamped(qint64(Value()) + qint64(steps) * m_increment));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    if (!limited())
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (Value() < m_maxValue)
        enabled |= StepUpEnabled;
    if (Value() > m_minValue)
        enabled |= StepDownEnabled;
    return enabled;
}

// Digits and a sign only, nine digits at most so that every text is a whole number that fits.
QValidator::State TSpinEdit::validate(QString &input, int &) const
{
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?\\d{0,9}$"));
    return wholeNumber.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

void TSpinEdit::focusOutEvent(QFocusEvent *event)
{
    QAbstractSpinBox::focusOutEvent(event);
    SetValue(Value());
}

QSize TSpinEdit::sizeHint() const
{
    ensurePolished();
    QString widest = QStringLiteral("88888");
    for (int bound : {m_minValue, m_maxValue})
        if (QString::number(bound).size() > widest.size())
            widest = QString::number(bound);
    const QSize content(fontMetrics().horizontalAdvance(widest) + 2, lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}
