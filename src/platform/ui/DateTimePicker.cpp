#include "platform/ui/DateTimePicker.h"

#include "platform/db/TimeValue.h"
#include "platform/ui/Handlers.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QScopedValueRollback>
#include <cmath>

TDateTimePicker::TDateTimePicker(Kind kind, QWidget *parent) : QDateTimeEdit(parent), m_kind(kind)
{
    // Universal time has no daylight-saving gaps, so every day count is a time the edit can show.
    setTimeSpec(Qt::UTC);
    if (kind == Kind::Date) {
        setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
        setCalendarPopup(true);
        watchCalendar();
    } else {
        setDisplayFormat(QStringLiteral("h:mm:ss AP"));
    }
    SetDateTime(TimeValue::today());
    ConnectHandler(this, &QDateTimeEdit::dateTimeChanged, this, &TDateTimePicker::takeUserChange);
}

void TDateTimePicker::watchCalendar()
{
    m_calendarPopup = calendarWidget()->window();
    m_calendarPopup->installEventFilter(this);
}

void TDateTimePicker::SetDateTime(double value)
{
    m_value = value;
    QScopedValueRollback showing(m_showing, true);
    QDateTime shown = TimeValue::toDateTime(value);
    shown.setTimeSpec(Qt::UTC);
    setDateTime(shown);
}

double TDateTimePicker::Date() const
{
    return std::floor(m_value);
}

double TDateTimePicker::Time() const
{
    return m_value - std::floor(m_value);
}

void TDateTimePicker::takeUserChange(const QDateTime &shown)
{
    if (m_showing)
        return;
    if (m_kind == Kind::Date)
        m_value = TimeValue::fromDate(shown.date()) + Time();
    else
        m_value = Date() + TimeValue::fromTime(shown.time());
    emit changed();
}

bool TDateTimePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_calendarPopup)
        return QDateTimeEdit::eventFilter(watched, event);
    if (event->type() == QEvent::Show) {
        m_droppedDown = true;
    } else if (event->type() == QEvent::Hide && m_droppedDown) {
        m_droppedDown = false;
        emit closeUp();
    }
    return QDateTimeEdit::eventFilter(watched, event);
}
