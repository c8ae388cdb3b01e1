// Day counts since 30 December 1899 and their bridge to Qt's dates, times and the short date text.

#include "platform/db/TimeValue.h"

#include <QTest>

class TestTimeValue : public QObject
{
    Q_OBJECT

private slots:
    void datesAreWholeDaysFromTheEpoch_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("days");
        QTest::newRow("epoch") << QDate(1899, 12, 30) << 0.0;
        QTest::newRow("day before") << QDate(1899, 12, 29) << -1.0;
        QTest::newRow("1900 starts on day 2") << QDate(1900, 1, 1) << 2.0;
        QTest::newRow("leap day 2004") << QDate(2004, 2, 29) << 38046.0;
        QTest::newRow("5 March 2004") << QDate(2004, 3, 5) << 38051.0;
        QTest::newRow("2100") << QDate(2100, 12, 31) << 73415.0;
    }

    void datesAreWholeDaysFromTheEpoch()
    {
        QFETCH(QDate, date);
        QFETCH(double, days);
        QCOMPARE(TimeValue::fromDate(date), days);
        QCOMPARE(TimeValue::toDate(days), date);
        // The time of day never moves the date.
        QCOMPARE(TimeValue::toDate(days + 0.9999), date);
    }

    void timesAreFractionsOfADay_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QTime>("time");
        QTest::newRow("midnight") << 0.0 << QTime(0, 0);
        QTest::newRow("one minute") << 1.0 / 1440 << QTime(0, 1);
        QTest::newRow("noon on a date") << 38051.5 << QTime(12, 0);
        QTest::newRow("9:30") << 570.0 / 1440 << QTime(9, 30);
        QTest::newRow("0.9999") << 0.9999 << QTime(23, 59, 51, 360);
        // A value a hair below midnight stays on the same day rather than wrapping to 00:00.
        QTest::newRow("just below midnight") << 0.99999999999 << QTime(23, 59, 59, 999);
    }

    void timesAreFractionsOfADay()
    {
        QFETCH(double, days);
        QFETCH(QTime, time);
        QCOMPARE(TimeValue::toTime(days), time);
        if (days < 1.0 && time.msec() == 0)
            QCOMPARE(TimeValue::fromTime(time), days);
    }

    void dateTimesRoundToTheMillisecondAcrossMidnight()
    {
        const double date = TimeValue::fromDate(QDate(2004, 3, 5));
        QCOMPARE(TimeValue::toDateTime(date + 13.5 / 24), QDateTime(QDate(2004, 3, 5), QTime(13, 30)));
        QCOMPARE(TimeValue::toDateTime(date + 1 - 1e-10), QDateTime(QDate(2004, 3, 6), QTime(0, 0)));
        const QDateTime stamp(QDate(2026, 12, 10), QTime(8, 15, 30, 250));
        QCOMPARE(TimeValue::toDateTime(TimeValue::fromDateTime(stamp)), stamp);
    }

    void invalidQtValuesCountAsZero()
    {
        QCOMPARE(TimeValue::fromDate(QDate()), 0.0);
        QCOMPARE(TimeValue::fromTime(QTime()), 0.0);
    }

    void shortDateText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("days");
        QTest::newRow("leading zeros") << "03/05/2004" << 38051.0;
        QTest::newRow("without leading zeros") << "3/5/2004" << 38051.0;
        QTest::newRow("spaces around") << " 12/31/2100 " << 73415.0;
        QTest::newRow("month 13") << "13/01/2004" << 0.0;
        QTest::newRow("day-month order") << "31/12/2004" << 0.0;
        QTest::newRow("two-digit year") << "03/05/04" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("words") << "tomorrow" << 0.0;
    }

    void shortDateText()
    {
        QFETCH(QString, text);
        QFETCH(double, days);
        QCOMPARE(TimeValue::fromShortDateText(text), days);
        if (days != 0.0)
            QCOMPARE(TimeValue::fromShortDateText(TimeValue::toShortDateText(days)), days);
    }

    void shortDateTextHasLeadingZerosAndIgnoresTheTime()
    {
        QCOMPARE(TimeValue::toShortDateText(38051.75), QStringLiteral("03/05/2004"));
        QCOMPARE(TimeValue::toShortDateText(0), QStringLiteral("12/30/1899"));
    }
};

QTEST_GUILESS_MAIN(TestTimeValue)
#include "tst_timevalue.moc"
