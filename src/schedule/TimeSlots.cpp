#include "schedule/TimeSlots.h"

#include "data/ProgramConst.h"
#include "platform/db/TimeValue.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 MillisecondsPerDay = qint64(TimeValue::MillisecondsPerDay);
constexpr int MillisecondsPerMinute = 60000;

QString withoutTimeZone(const QString &format)
{
    QString result;
    bool inLiteral = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            inLiteral = !inLiteral;
        if (!inLiteral && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.simplified();
}

} // namespace

int SlotMinutes()
{
    return std::clamp(SystemSettings.TimeInterval, MinTimeInterval, MaxTimeInterval);
}

double TruncToMinute(double t)
{
    const qint64 milliseconds = std::llround(std::abs(t) * TimeValue::MillisecondsPerDay) % MillisecondsPerDay;
    const int minutes = int(milliseconds / MillisecondsPerMinute);
    return minutes / 1440.0;
}

double SlotStartTime(int row)
{
    const int slot = row > 0 ? row - 1 : row;
    return double(slot * SlotMinutes()) / 1440.0;
}

int SlotOfTime(double t)
{
    const int before = int(t / (SlotMinutes() / 1440.0));
    return SlotStartTime(before + 1) < t ? before + 2 : before + 1;
}

int SlotRowCount()
{
    return int(std::nearbyint(1440.0 / SlotMinutes())) + 1;
}

int ShownRowOfTime(double t, int rowCount)
{
    return std::min(SlotOfTime(t), rowCount - 1);
}

double TimeOfDayNow()
{
    const double now = TimeValue::now();
    return now - std::floor(now);
}

bool TimeNotAfter(double a, double b)
{
    return TruncToMinute(a) <= TruncToMinute(b);
}

double EndTimeFor(double start, int durationMinutes)
{
    const QTime startTime = TimeValue::toTime(start);
    const QTime endTime = startTime.addSecs(qint64(durationMinutes) * 60);
    return startTime > endTime ? EndOfDayTime : TimeValue::fromTime(endTime);
}

int ClampDuration(int minutes)
{
    return std::clamp(minutes, SlotMinutes(), MaxDurationMinutes);
}

int BookingDuration(double start, double end)
{
    return ClampDuration(int(std::lround((end - start) * 1440.0)));
}

double RangeInitialStart(double now)
{
    const QTime time = TimeValue::toTime(now);
    const int minute = time.minute() / SlotMinutes() * SlotMinutes();
    return TimeValue::fromTime(QTime(time.hour(), minute));
}

QString LongTimeText(double time)
{
    const QLocale locale;
    return locale.toString(TimeValue::toTime(time), withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}
