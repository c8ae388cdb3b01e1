// Date and time pickers: day counts in and out, the user's changes to one part of the value, and
// the calendar's dropped-down state with its close-up.

#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTest>

namespace {

double day(int y, int m, int d)
{
    return TimeValue::fromDate(QDate(y, m, d));
}

double clock(int h, int m, int s = 0)
{
    return (h * 3600 + m * 60 + s) / 86400.0;
}

// A shown, active picker with the focus.
std::unique_ptr<TDateTimePicker> shownPicker(TDateTimePicker::Kind kind, double value)
{
    auto picker = std::make_unique<TDateTimePicker>(kind);
    picker->SetDateTime(value);
    picker->show();
    QApplication::setActiveWindow(picker.get());
    picker->setFocus();
    return picker;
}

} // namespace

class TestDateTimePicker : public QObject
{
    Q_OBJECT

private slots:
    void valuesComeBackExactly_data()
    {
        QTest::addColumn<bool>("dateKind");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("date") << true << day(2004, 3, 5) << "03/05/2004";
        QTest::newRow("date with a time") << true << day(2004, 12, 31) + clock(10, 30) << "12/31/2004";
        QTest::newRow("the day count's first day") << true << 0.0 << "12/30/1899";
        QTest::newRow("time") << false << clock(10, 0) << "10:00:00 AM";
        QTest::newRow("the end of the day") << false << 0.9999 << "11:59:51 PM";
        QTest::newRow("time with a date") << false << day(2004, 3, 5) + clock(13, 15, 30) << "1:15:30 PM";
    }

    void valuesComeBackExactly()
    {
        QFETCH(bool, dateKind);
        QFETCH(double, value);
        QFETCH(QString, shown);
        TDateTimePicker picker(dateKind ? TDateTimePicker::Kind::Date : TDateTimePicker::Kind::Time);
        QSignalSpy changes(&picker, &TDateTimePicker::changed);
        picker.SetDateTime(value);
        QCOMPARE(picker.DateTime(), value);
        QCOMPARE(picker.text(), shown);
        QCOMPARE(picker.Date() + picker.Time(), value);
        QCOMPARE(changes.count(), 0);
    }

    void theDatePickerChangesOnlyTheDate()
    {
        auto picker = shownPicker(TDateTimePicker::Kind::Date, day(2004, 3, 5) + clock(9, 45));
        QSignalSpy changes(picker.get(), &TDateTimePicker::changed);
        QTest::keyClick(picker.get(), Qt::Key_Up);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(picker->text(), QStringLiteral("04/05/2004"));
        QCOMPARE(picker->DateTime(), day(2004, 4, 5) + clock(9, 45));
    }

    void theTimePickerChangesOnlyTheTime()
    {
        auto picker = shownPicker(TDateTimePicker::Kind::Time, day(2004, 3, 5) + clock(9, 45));
        QSignalSpy changes(picker.get(), &TDateTimePicker::changed);
        QTest::keyClick(picker.get(), Qt::Key_Up);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(picker->text(), QStringLiteral("10:45:00 AM"));
        QCOMPARE(picker->DateTime(), day(2004, 3, 5) + clock(10, 45));
    }

    void theCalendarIsDroppedDownUntilItClosesUp()
    {
        auto picker = shownPicker(TDateTimePicker::Kind::Date, day(2004, 3, 5));
        QList<bool> droppedDownAtChange;
        int closeUps = 0;
        connect(picker.get(), &TDateTimePicker::changed, [&] { droppedDownAtChange << picker->DroppedDown(); });
        connect(picker.get(), &TDateTimePicker::closeUp, [&] {
            ++closeUps;
            QVERIFY(!picker->DroppedDown());
        });
        QVERIFY(!picker->DroppedDown());
        QTest::mouseClick(picker.get(), Qt::LeftButton, {}, QPoint(picker->width() - 6, picker->height() / 2));
        QCalendarWidget *calendar = picker->calendarWidget();
        QVERIFY(calendar->isVisible());
        QVERIFY(picker->DroppedDown());

        calendar->setSelectedDate(QDate(2004, 3, 17));
        QCOMPARE(picker->DateTime(), day(2004, 3, 17));
        QCOMPARE(closeUps, 0);
        QTest::keyClick(calendar->focusWidget() ? calendar->focusWidget() : calendar, Qt::Key_Return);
        QVERIFY(!calendar->isVisible());
        QVERIFY(!picker->DroppedDown());
        QCOMPARE(closeUps, 1);
        QVERIFY(!droppedDownAtChange.isEmpty());
        QVERIFY(droppedDownAtChange.first());
        QCOMPARE(picker->DateTime(), day(2004, 3, 17));
    }
};

QTEST_MAIN(TestDateTimePicker)
#include "tst_datetimepicker.moc"
