// Time-slot arithmetic: truncation, the mapping between times and grid rows, and the end time and
// duration rules of the booking editors.

#include "data/ProgramConst.h"
#include "platform/db/TimeValue.h"
#include "schedule/ProgramConst.h"

#include <QLocale>
#include <QTest>

namespace {

double clock(int h, int m, int s = 0, int ms = 0)
{
    return (((h * 60 + m) * 60 + s) * 1000 + ms) / TimeValue::MillisecondsPerDay;
}

double minutes(int m) { return m / 1440.0; }

void useInterval(int interval)
{
    SystemSettings = TSystemInfo();
    SystemSettings.TimeInterval = interval;
}

} // namespace

class TestTimeSlots : public QObject
{
    Q_OBJECT

private slots:
    void truncToMinute_data()
    {
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("expected");
        QTest::newRow("seconds dropped") << clock(10, 29, 59) << clock(10, 29);
        QTest::newRow("never rounded up") << clock(10, 29, 59, 600) << clock(10, 29);
        QTest::newRow("whole minute") << clock(10, 30) << clock(10, 30);
        QTest::newRow("date dropped") << 38051.0 + clock(12, 0, 30) << clock(12, 0);
        QTest::newRow("last millisecond") << clock(23, 59, 59, 999) << clock(23, 59);
        QTest::newRow("editor's end of day") << EndOfDayTime << clock(23, 59);
        QTest::newRow("half a millisecond before midnight") << 1.0 - 0.4 / TimeValue::MillisecondsPerDay << 0.0;
        QTest::newRow("minus one day") << -1.0 << 0.0;
        QTest::newRow("negative uses its size") << -clock(6, 15, 10) << clock(6, 15);
    }

    void truncToMinute()
    {
        QFETCH(double, time);
        QFETCH(double, expected);
        QCOMPARE(TruncToMinute(time), expected);
    }

    void slotOfTime_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("row");
        QTest::newRow("30: on a slot start") << 30 << clock(10, 0) << 21;
        QTest::newRow("30: inside a slot goes to the next") << 30 << clock(10, 10) << 22;
        QTest::newRow("30: midnight") << 30 << 0.0 << 1;
        QTest::newRow("60: last minute is past the last row") << 60 << clock(23, 59) << 25;
        QTest::newRow("60: last slot") << 60 << clock(23, 0) << 24;
        QTest::newRow("60: a second into a slot") << 60 << clock(10, 0, 1) << 12;
        QTest::newRow("15: on a slot start") << 15 << clock(10, 15) << 42;
        QTest::newRow("15: a minute later") << 15 << clock(10, 16) << 43;
        QTest::newRow("7: second slot") << 7 << clock(0, 7) << 2;
        QTest::newRow("7: inside the second slot") << 7 << clock(0, 8) << 3;
        QTest::newRow("7: last slot start 23:55") << 7 << clock(23, 55) << 206;
        QTest::newRow("7: after the last slot start") << 7 << clock(23, 56) << 207;
        QTest::newRow("1440: midnight") << 1440 << 0.0 << 1;
        QTest::newRow("1440: any later time") << 1440 << clock(0, 1) << 2;
    }

    void slotOfTime()
    {
        QFETCH(int, interval);
        QFETCH(double, time);
        QFETCH(int, row);
        useInterval(interval);
        QCOMPARE(SlotOfTime(time), row);
    }

    void everySlotStartMapsBackToItsRow_data()
    {
        QTest::addColumn<int>("interval");
        for (int interval : {1, 7, 15, 30, 60, 90, 1440})
            QTest::addRow("%d", interval) << interval;
    }

    // Slot starts are fractions like 7/1440 that a double cannot hold exactly: the mapping must
    // still be exact on every row of the grid.
    void everySlotStartMapsBackToItsRow()
    {
        QFETCH(int, interval);
        useInterval(interval);
        for (int row = 1; row < SlotRowCount(); ++row) {
            const double start = SlotStartTime(row);
            QCOMPARE(start, minutes((row - 1) * interval));
            QCOMPARE(SlotOfTime(start), row);
            QCOMPARE(SlotOfTime(TruncToMinute(start)), row);
            QCOMPARE(SlotOfTime(start + clock(0, 0, 0, 1)), row + 1);
        }
        QCOMPARE(SlotStartTime(0), 0.0);
        QCOMPARE(SlotStartTime(1), 0.0);
    }

    void slotRowCount_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("rows");
        QTest::newRow("60") << 60 << 25;
        QTest::newRow("30") << 30 << 49;
        QTest::newRow("15") << 15 << 97;
        QTest::newRow("7 rounds 205.7 up") << 7 << 207;
        QTest::newRow("1440") << 1440 << 2;
        QTest::newRow("576: half goes to even 2") << 576 << 3;
        QTest::newRow("960: half goes to even 2") << 960 << 3;
        QTest::newRow("0 is taken as 1") << 0 << 1441;
        QTest::newRow("more than a day is taken as a day") << 5000 << 2;
    }

    void slotRowCount()
    {
        QFETCH(int, interval);
        QFETCH(int, rows);
        useInterval(interval);
        QCOMPARE(SlotRowCount(), rows);
    }

    void timeNotAfterComparesMinutes_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<bool>("notAfter");
        QTest::newRow("same minute, later seconds") << clock(10, 0, 45) << clock(10, 0, 10) << true;
        QTest::newRow("equal") << clock(10, 0) << clock(10, 0) << true;
        QTest::newRow("earlier") << clock(9, 59, 59) << clock(10, 0) << true;
        QTest::newRow("a minute later") << clock(10, 1) << clock(10, 0, 59) << false;
    }

    void timeNotAfterComparesMinutes()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(bool, notAfter);
        QCOMPARE(TimeNotAfter(a, b), notAfter);
    }

    void endTime_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("duration");
        QTest::addColumn<double>("end");
        QTest::newRow("within the day") << clock(10, 0) << 60 << clock(11, 0);
        QTest::newRow("seconds of the start kept") << clock(10, 0, 30) << 30 << clock(10, 30, 30);
        QTest::newRow("date of the start dropped") << 38051.0 + clock(10, 0) << 90 << clock(11, 30);
        QTest::newRow("to the last minute") << clock(22, 59) << 60 << clock(23, 59);
        QTest::newRow("landing on midnight") << clock(23, 0) << 60 << EndOfDayTime;
        QTest::newRow("wrapping past midnight") << clock(23, 0) << 120 << EndOfDayTime;
        QTest::newRow("a whole day ends at the start") << clock(22, 0) << 1440 << clock(22, 0);
        QTest::newRow("a whole day from midnight") << 0.0 << 1440 << 0.0;
    }

    void endTime()
    {
        QFETCH(double, start);
        QFETCH(int, duration);
        QFETCH(double, end);
        QCOMPARE(EndTimeFor(start, duration), end);
    }

    void durations_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<int>("duration");
        QTest::newRow("an hour and a half") << 30 << clock(10, 0) << clock(11, 30) << 90;
        QTest::newRow("shorter than a slot") << 30 << clock(10, 0) << clock(10, 10) << 30;
        QTest::newRow("empty booking") << 15 << clock(10, 0) << clock(10, 0) << 15;
        QTest::newRow("end before start") << 60 << clock(10, 0) << clock(9, 0) << 60;
        QTest::newRow("up to the end of the day") << 60 << 0.0 << EndOfDayTime << 1440;
    }

    void durations()
    {
        QFETCH(int, interval);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(int, duration);
        useInterval(interval);
        QCOMPARE(BookingDuration(start, end), duration);
    }

    void clampDuration()
    {
        useInterval(30);
        QCOMPARE(ClampDuration(0), 30);
        QCOMPARE(ClampDuration(-5), 30);
        QCOMPARE(ClampDuration(45), 45);
        QCOMPARE(ClampDuration(1440), 1440);
        QCOMPARE(ClampDuration(2000), 1440);
    }

    void rangeInitialStart_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("now");
        QTest::addColumn<double>("start");
        QTest::newRow("15") << 15 << 45000.0 + clock(10, 37, 21, 500) << clock(10, 30);
        QTest::newRow("7") << 7 << 45000.0 + clock(10, 37) << clock(10, 35);
        QTest::newRow("1 keeps the minute") << 1 << clock(10, 37, 59) << clock(10, 37);
        QTest::newRow("60") << 60 << clock(10, 59, 59) << clock(10, 0);
        QTest::newRow("90 is the top of the hour") << 90 << clock(23, 45) << clock(23, 0);
    }

    void rangeInitialStart()
    {
        QFETCH(int, interval);
        QFETCH(double, now);
        QFETCH(double, start);
        useInterval(interval);
        QCOMPARE(RangeInitialStart(now), start);
    }

    void longTimeTextHasNoTimeZone_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("C") << "C" << "14:30:00";
        QTest::newRow("en_US") << "en_US" << "2:30:00 PM";
        QTest::newRow("de_DE") << "de_DE" << "14:30:00";
    }

    void longTimeTextHasNoTimeZone()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        const QLocale previous;
        QLocale::setDefault(QLocale(locale));
        const QString shown = LongTimeText(clock(14, 30));
        QLocale::setDefault(previous);
        QCOMPARE(shown, text);
    }
};

QTEST_GUILESS_MAIN(TestTimeSlots)
#include "tst_timeslots.moc"
