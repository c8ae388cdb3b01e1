#pragma once

#include <QDateTimeEdit>

// A date picker (short date format "MM/dd/yyyy", with a drop-down calendar) or a time picker
// (hours, minutes, seconds). Its value is a day count, as the program holds times: the date
// picker changes only the date part, the time picker only the time of day, and a value set by the
// program reads back exactly.
class TDateTimePicker : public QDateTimeEdit
{
    Q_OBJECT

public:
    enum class Kind { Date, Time };

    explicit TDateTimePicker(Kind kind = Kind::Date, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    double DateTime() const { return m_value; }
    // Does not raise changed(): that tells of the user's changes only.
    void SetDateTime(double value);
    double Date() const;
    double Time() const;
    // True while the calendar is open. The calendar's date follows the keyboard and the mouse
    // while it is open, so windows wait for closeUp() before acting on the date.
    bool DroppedDown() const { return m_droppedDown; }

signals:
    void changed();
    void closeUp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeUserChange(const QDateTime &shown);
    void watchCalendar();

    Kind m_kind;
    QObject *m_calendarPopup = nullptr;
    double m_value = 0.0;
    bool m_showing = false;
    bool m_droppedDown = false;
};
