// Booking over a range of dates: which dates are booked and which stay listed, the access rights
// of a restricted resource, for whom the bookings are made, and how the list and its buttons behave.

#include "app/MainFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleRangeFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/SpinEdit.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(MessageResult)

namespace {

double at(int hour, int minute)
{
    return (hour * 60 + minute) / 1440.0;
}

// Two users, an open room and a restricted vault, slots of 30 minutes; the logged-on user ME may
// add bookings.
class Fixture
{
public:
    Fixture()
    {
        SystemSettings = TSystemInfo();
        SystemSettings.TimeInterval = 30;
        CurrentUser = TLoginData{QStringLiteral("ME"), 1, QStringLiteral("Me Myself"), QString()};
        CurrentSecurity = TSecurityData();
        CurrentSecurity.CanAddSchedule = true;
        addUser("ME", "Me Myself");
        addUser("OTHER", "Somebody Else");
        room = addResource("Room", false);
        vault = addResource("Vault", true);
    }

    void addUser(const char *id, const char *name)
    {
        TTable &users = data.UserSettingsTable;
        users.Append();
        users.SetFieldValue("UserID", QString::fromLatin1(id));
        users.SetFieldValue("UserName", QString::fromLatin1(name));
        users.SetFieldValue("SecurityID", 1);
        users.Post();
    }

    int addResource(const char *name, bool restricted)
    {
        TTable &resources = data.ResourceTable;
        resources.Append();
        resources.SetFieldValue("Description", QString::fromLatin1(name));
        resources.SetFieldValue("Restricted", restricted);
        resources.Post();
        return resources.FieldValue("ResourceID").toInt();
    }

    void addBooking(int resource, double date, double start, double end)
    {
        TTable &schedule = data.ScheduleTable;
        schedule.Append();
        schedule.SetFieldValue("ResourceID", resource);
        schedule.SetFieldValue("ScheduleDate", date);
        schedule.SetFieldValue("StartTime", start);
        schedule.SetFieldValue("EndTime", end);
        schedule.SetFieldValue("ReservedBy", QStringLiteral("OTHER"));
        schedule.Post();
    }

    // The bookings stored now, as another workstation would read them, in the order made.
    QList<TRecord> bookings()
    {
        TTable fresh(data.ScheduleDatabase, QStringLiteral("Schedule.db"));
        fresh.Open();
        return fresh.VisibleRows(0, fresh.RecordCount());
    }

    // A booking for 10:00 to 11:00 of the resource on the dates, noted "Training".
    void fill(TScheduleRangeForm &form, int resource, const QList<double> &dates)
    {
        form.ResourceLookup->SetKeyValue(resource);
        form.SchStartTime->SetDateTime(at(10, 0));
        form.Duration->SetValue(60);
        form.UpdateEndTime();
        form.Memo1->setPlainText(QStringLiteral("Training"));
        for (double date : dates) {
            form.EventDatePicker->SetDateTime(date);
            QTest::mouseClick(form.AddBtn, Qt::LeftButton);
        }
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    const double monday = TimeValue::fromDate(QDate(2030, 3, 4));
    int room = 0;
    int vault = 0;
};

QStringList listed(const TScheduleRangeForm &form)
{
    QStringList dates;
    for (int i = 0; i < form.ListBox1->count(); ++i)
        dates << form.ListBox1->item(i)->text();
    return dates;
}

} // namespace

class TestScheduleRangeForm : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowOpensTheWindow()
    {
        Fixture site;
        TMainForm main;
        ModalScript windows([](QDialog &) { return int(QDialog::Rejected); });
        main.RangeofDates1->trigger();
        QCOMPARE(windows.shown, QStringList{"TScheduleRangeForm"});
    }

    // Days are counted from a Monday; "taken" days already have a booking of the room at 10:00.
    void scheduleBooksTheFreeDatesAndKeepsTheOthers_data()
    {
        QTest::addColumn<QList<int>>("days");
        QTest::addColumn<QList<int>>("taken");
        QTest::addColumn<QList<int>>("booked");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("the second date taken") << QList<int>{0, 1, 2} << QList<int>{1} << QList<int>{0, 2}
                                               << QStringList{"03/05/2030"};
        QTest::newRow("all free") << QList<int>{0, 1} << QList<int>{} << QList<int>{0, 1} << QStringList{};
        QTest::newRow("the same date twice") << QList<int>{3, 3} << QList<int>{} << QList<int>{3}
                                             << QStringList{"03/07/2030"};
    }

    void scheduleBooksTheFreeDatesAndKeepsTheOthers()
    {
        QFETCH(QList<int>, days);
        QFETCH(QList<int>, taken);
        QFETCH(QList<int>, booked);
        QFETCH(QStringList, left);
        Fixture site;
        for (int day : taken)
            site.addBooking(site.room, site.monday + day, at(10, 0), at(11, 0));
        MessageBoxRecorder boxes;
        TScheduleRangeForm form;
        QList<double> dates;
        for (int day : days)
            dates << site.monday + day;
        site.fill(form, site.room, dates);
        QTest::mouseClick(form.ScheduleBtn, Qt::LeftButton);

        const QList<TRecord> made = site.bookings().mid(taken.size());
        QCOMPARE(made.size(), booked.size());
        for (int i = 0; i < made.size(); ++i) {
            const TRecord &booking = made.at(i);
            QCOMPARE(booking.FieldValue("ScheduleDate").toDouble(), site.monday + booked.at(i));
            QCOMPARE(booking.FieldValue("ResourceID").toInt(), site.room);
            QCOMPARE(booking.FieldValue("ReservedBy").toString(), QStringLiteral("ME"));
            QCOMPARE(booking.FieldValue("StartTime").toDouble(), at(10, 0));
            QCOMPARE(booking.FieldValue("EndTime").toDouble(), at(11, 0));
            QCOMPARE(booking.FieldValue("Notes").toString(), QStringLiteral("Training"));
            QCOMPARE(booking.FieldValue("ModifiedBy").toString(), QStringLiteral("ME"));
        }
        QCOMPARE(listed(form), left);
        QCOMPARE(site.data.ScheduleTable.state(), TTable::State::Browse);   // nothing left pending
        QCOMPARE(boxes.shown.size(), 1);
        if (left.isEmpty()) {
            QCOMPARE(boxes.texts(), QStringList{"The Resource Has Been Scheduled For The Selected Dates"});
            QCOMPARE(boxes.shown.first().icon, MessageIcon::Information);
            QCOMPARE(form.result(), int(QDialog::Accepted));
        } else {
            QCOMPARE(boxes.texts(),
                     QStringList{"The Resource Is Already Scheduled For Some Of The Dates Your Requested"});
            QCOMPARE(boxes.shown.first().icon, MessageIcon::Error);
            QCOMPARE(form.result(), int(QDialog::Rejected));
        }
    }

    void aRestrictedResourceNeedsTheRight_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::newRow("user not listed") << false;
        QTest::newRow("user listed") << true;
    }

    void aRestrictedResourceNeedsTheRight()
    {
        QFETCH(bool, listed);
        Fixture site;
        if (listed)
            site.data.AllowedResources << QString::number(site.vault);
        MessageBoxRecorder boxes;
        TScheduleRangeForm form;
        site.fill(form, site.vault, {site.monday, site.monday + 1});
        QTest::mouseClick(form.ScheduleBtn, Qt::LeftButton);

        QCOMPARE(site.bookings().size(), listed ? 2 : 0);
        QCOMPARE(::listed(form).size(), listed ? 0 : 2);
        if (!listed) {
            QCOMPARE(boxes.texts(), QStringList{"Your Access Rights Do Not Allow You To Schedule This Resource"});
            QCOMPARE(boxes.shown.first().icon, MessageIcon::Error);
        }
    }

    void bookingsAreForTheCurrentUserUnlessBookingForOthersIsAllowed_data()
    {
        QTest::addColumn<bool>("forOthers");
        QTest::addColumn<QString>("reservedBy");
        QTest::newRow("without the right") << false << "ME";
        QTest::newRow("booking for others allowed") << true << "OTHER";
    }

    void bookingsAreForTheCurrentUserUnlessBookingForOthersIsAllowed()
    {
        QFETCH(bool, forOthers);
        QFETCH(QString, reservedBy);
        Fixture site;
        CurrentSecurity.CanAddOtherSchedule = forOthers;
        MessageBoxRecorder boxes;
        TScheduleRangeForm form;
        QCOMPARE(form.ReservedByLookup->KeyValue().toString(), QStringLiteral("ME"));
        QCOMPARE(form.ReservedByLookup->isEnabled(), forOthers);
        QCOMPARE(form.ReservedByLookup->ReadOnly(), !forOthers);
        // A choice only reaches the list when the list lets the user make one.
        if (!form.ReservedByLookup->ReadOnly())
            form.ReservedByLookup->SetKeyValue(QStringLiteral("OTHER"));
        site.fill(form, site.room, {site.monday});
        QTest::mouseClick(form.ScheduleBtn, Qt::LeftButton);

        QCOMPARE(site.bookings().size(), 1);
        QCOMPARE(site.bookings().first().FieldValue("ReservedBy").toString(), reservedBy);
    }

    void theListAndItsButtons()
    {
        Fixture site;
        MessageBoxRecorder boxes;
        TScheduleRangeForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Schedule Range Of Dates"));
        QCOMPARE(form.Duration->Value(), 30);
        QCOMPARE(form.EventDatePicker->Date(), TimeValue::today());
        QVERIFY(!form.DeleteBtn->isEnabled());
        QVERIFY(!form.ScheduleBtn->isEnabled());
        QVERIFY(!form.InfoBtn->isEnabled());

        // Sorted as text: January 2005 comes before December 2004.
        for (const QDate &date : {QDate(2004, 12, 31), QDate(2005, 1, 5)}) {
            form.EventDatePicker->SetDateTime(TimeValue::fromDate(date));
            QTest::mouseClick(form.AddBtn, Qt::LeftButton);
        }
        QCOMPARE(listed(form), (QStringList{"01/05/2005", "12/31/2004"}));
        QCOMPARE(form.ListBox1->currentRow(), 0);
        QVERIFY(form.DeleteBtn->isEnabled());
        QVERIFY(!form.ScheduleBtn->isEnabled());   // no resource yet

        form.ResourceLookup->SetKeyValue(site.room);
        QVERIFY(form.InfoBtn->isEnabled());
        QVERIFY(form.ScheduleBtn->isEnabled());

        boxes.answerNext(MessageResult::No);
        boxes.answerNext(MessageResult::Yes);
        QTest::mouseClick(form.DeleteBtn, Qt::LeftButton);
        QCOMPARE(listed(form).size(), 2);
        QTest::mouseClick(form.DeleteBtn, Qt::LeftButton);
        QCOMPARE(listed(form), QStringList{"12/31/2004"});
        QCOMPARE(boxes.texts().first(), QStringLiteral("Are You User You Want To Delete This Date?"));
        QCOMPARE(boxes.shown.first().icon, MessageIcon::Question);

        boxes.answerNext(MessageResult::Yes);
        QTest::mouseClick(form.DeleteBtn, Qt::LeftButton);
        QVERIFY(listed(form).isEmpty());
        QVERIFY(!form.DeleteBtn->isEnabled());
        QVERIFY(!form.ScheduleBtn->isEnabled());
    }
};

QTEST_MAIN(TestScheduleRangeForm)
#include "tst_schedulerangeform.moc"
