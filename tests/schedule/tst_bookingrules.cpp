// The conflict rule, the atomic save of a booking and the restricted-resource rules, on a real
// database.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "data/ResourceAccess.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "schedule/ProgramConst.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

double clock(int h, int m, int s = 0) { return ((h * 60 + m) * 60 + s) / 86400.0; }

const double Day = TimeValue::fromDate(QDate(2024, 1, 10));
constexpr int Room = 7;

struct Site
{
    TestSite site;

    Site()
    {
        SystemSettings = TSystemInfo();
        CurrentSecurity = TSecurityData();
        CurrentUser = TLoginData();
        CurrentUser.UserID = QStringLiteral("MJONES");
    }

    TProgramDataForm &data() { return site.data(); }

    void startBooking(int resourceID, double date, const QVariant &start, const QVariant &end)
    {
        TTable &schedule = data().ScheduleTable;
        schedule.Insert();
        schedule.SetFieldValue("ResourceID", resourceID);
        schedule.SetFieldValue("ScheduleDate", date);
        schedule.SetFieldValue("StartTime", start);
        schedule.SetFieldValue("EndTime", end);
        schedule.SetFieldValue("ReservedBy", CurrentUser.UserID);
    }

    int book(int resourceID, double date, const QVariant &start, const QVariant &end)
    {
        startBooking(resourceID, date, start, end);
        data().ScheduleTable.Post();
        return data().ScheduleTable.FieldValue("Sequence").toInt();
    }

    int bookingCount()
    {
        data().ScheduleTable.Refresh();
        return data().ScheduleTable.RecordCount();
    }

    int addResource(bool restricted, bool allowViewing)
    {
        TTable &resources = data().ResourceTable;
        resources.Insert();
        resources.SetFieldValue("Description", "Room");
        resources.SetFieldValue("Restricted", restricted);
        resources.SetFieldValue("AllowViewing", allowViewing);
        resources.Post();
        return resources.FieldValue("ResourceID").toInt();
    }

    void listUser(const QVariant &resourceID, const QString &userID)
    {
        TTable &restrict = data().RestrictTable;
        restrict.Insert();
        restrict.SetFieldValue("ResourceID", resourceID);
        restrict.SetFieldValue("UserID", userID);
        restrict.Post();
    }
};

} // namespace

class TestBookingRules : public QObject
{
    Q_OBJECT

private slots:
    void conflictsWithTenToEleven_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<bool>("free");
        QTest::newRow("the same times") << clock(10, 0) << clock(11, 0) << false;
        QTest::newRow("right after") << clock(11, 0) << clock(12, 0) << true;
        QTest::newRow("right before") << clock(9, 0) << clock(10, 0) << true;
        QTest::newRow("one minute into its start is tolerated") << clock(9, 0) << clock(10, 1) << true;
        QTest::newRow("two minutes into its start") << clock(9, 0) << clock(10, 2) << false;
        QTest::newRow("one minute before its end") << clock(10, 59) << clock(12, 0) << false;
        QTest::newRow("inside") << clock(10, 15) << clock(10, 45) << false;
        QTest::newRow("starting while it runs") << clock(10, 30) << clock(11, 30) << false;
        QTest::newRow("enclosing") << clock(9, 0) << clock(12, 0) << false;
        QTest::newRow("same start minute, later seconds") << clock(10, 0, 59) << clock(10, 30) << false;
        QTest::newRow("no length at its start") << clock(10, 0) << clock(10, 0) << false;
        QTest::newRow("seconds into its end minute") << clock(11, 0, 59) << clock(12, 0) << true;
        QTest::newRow("seconds do not widen the tolerance") << clock(9, 59, 59) << clock(10, 1, 59) << true;
        QTest::newRow("ending inside, started before") << clock(9, 30) << clock(10, 30) << false;
    }

    void conflictsWithTenToEleven()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(bool, free);
        Site site;
        const int existing = site.book(Room, Day, clock(10, 0), clock(11, 0));
        QCOMPARE(ScheduleIsFree(-1, Room, Day, start, end), free);
        // A booking never conflicts with itself, nor with other resources or dates.
        QVERIFY(ScheduleIsFree(existing, Room, Day, start, end));
        QVERIFY(ScheduleIsFree(-1, Room + 1, Day, start, end));
        QVERIFY(ScheduleIsFree(-1, Room, Day + 1, start, end));
    }

    void bookingWithoutTimesCountsAsMidnight_data()
    {
        QTest::addColumn<QVariant>("storedStart");
        QTest::addColumn<QVariant>("storedEnd");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<bool>("free");
        QTest::newRow("no start: at midnight") << QVariant() << QVariant(clock(1, 0)) << 0.0 << clock(0, 30) << false;
        QTest::newRow("no start: while it runs") << QVariant() << QVariant(clock(1, 0)) << clock(0, 30) << clock(2, 0) << false;
        QTest::newRow("no start: after it") << QVariant() << QVariant(clock(1, 0)) << clock(1, 0) << clock(2, 0) << true;
        QTest::newRow("no times: at midnight") << QVariant() << QVariant() << 0.0 << clock(1, 0) << false;
        QTest::newRow("no times: later") << QVariant() << QVariant() << clock(10, 0) << clock(11, 0) << true;
        QTest::newRow("no end: enclosed") << QVariant(clock(10, 0)) << QVariant() << clock(9, 0) << clock(12, 0) << false;
    }

    void bookingWithoutTimesCountsAsMidnight()
    {
        QFETCH(QVariant, storedStart);
        QFETCH(QVariant, storedEnd);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(bool, free);
        Site site;
        site.book(Room, Day, storedStart, storedEnd);
        QCOMPARE(ScheduleIsFree(-1, Room, Day, start, end), free);
    }

    void savingAFreeBookingStoresItCutToTheMinute()
    {
        Site site;
        site.book(Room, Day, clock(10, 0), clock(11, 0));
        site.startBooking(Room, Day, clock(11, 0, 40), clock(12, 30, 59));
        QVERIFY(SaveBookingIfFree(-1));
        TTable &schedule = site.data().ScheduleTable;
        QCOMPARE(schedule.state(), TTable::State::Browse);
        QCOMPARE(schedule.FieldValue("StartTime").toDouble(), clock(11, 0));
        QCOMPARE(schedule.FieldValue("EndTime").toDouble(), clock(12, 30));
        QCOMPARE(schedule.FieldValue("ModifiedBy").toString(), QStringLiteral("MJONES"));
        QCOMPARE(site.bookingCount(), 2);
        QVERIFY(!site.data().ScheduleDatabase.inTransaction());
    }

    void savingAnOverlapWritesNothingAndKeepsEditing()
    {
        Site site;
        site.book(Room, Day, clock(10, 0), clock(11, 0));
        site.startBooking(Room, Day, clock(10, 30), clock(11, 30));
        QVERIFY(!SaveBookingIfFree(-1));
        TTable &schedule = site.data().ScheduleTable;
        QCOMPARE(schedule.state(), TTable::State::Insert);
        QVERIFY(!site.data().ScheduleDatabase.inTransaction());
        // The user moves the booking and saves again.
        schedule.SetFieldValue("StartTime", clock(11, 0));
        QVERIFY(SaveBookingIfFree(-1));
        QCOMPARE(site.bookingCount(), 2);
    }

    void resavingABookingIsNotAConflictWithItself()
    {
        Site site;
        const int sequence = site.book(Room, Day, clock(10, 0), clock(11, 0));
        site.book(Room, Day, clock(11, 0), clock(12, 0));
        TTable &schedule = site.data().ScheduleTable;
        QVERIFY(schedule.FindKey({sequence}));
        schedule.Edit();
        schedule.SetFieldValue("Notes", "moved nowhere");
        QVERIFY(SaveBookingIfFree(sequence));
        schedule.Edit();
        schedule.SetFieldValue("EndTime", clock(11, 30));
        QVERIFY(!SaveBookingIfFree(sequence));
        schedule.Cancel();
        QVERIFY(schedule.FindKey({sequence}));
        QCOMPARE(schedule.FieldValue("EndTime").toDouble(), clock(11, 0));
        QCOMPARE(schedule.FieldValue("Notes").toString(), QStringLiteral("moved nowhere"));
    }

    void savingWithoutABookingBeingEditedIsRefused()
    {
        Site site;
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, SaveBookingIfFree(-1));
    }

    void visibilityAndBookingRights_data()
    {
        QTest::addColumn<bool>("restricted");
        QTest::addColumn<bool>("allowViewing");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("supervisor");
        QTest::addColumn<bool>("canAddResource");
        QTest::addColumn<bool>("sees");
        QTest::addColumn<bool>("mayBook");
        QTest::newRow("open") << false << false << false << false << false << true << true;
        QTest::newRow("open, viewable") << false << true << false << false << false << true << true;
        QTest::newRow("restricted, viewable") << true << true << false << false << false << true << false;
        QTest::newRow("restricted, hidden") << true << false << false << false << false << false << false;
        QTest::newRow("restricted, listed") << true << false << true << false << false << true << true;
        QTest::newRow("restricted, viewable, listed") << true << true << true << false << false << true << true;
        QTest::newRow("supervisor") << true << false << false << true << false << true << true;
        QTest::newRow("resource maintainer") << true << false << false << false << true << true << true;
    }

    // What the rules say, and what the filtered resources table shows to the same user.
    void visibilityAndBookingRights()
    {
        QFETCH(bool, restricted);
        QFETCH(bool, allowViewing);
        QFETCH(bool, listed);
        QFETCH(bool, supervisor);
        QFETCH(bool, canAddResource);
        QFETCH(bool, sees);
        QFETCH(bool, mayBook);
        Site site;
        const int resource = site.addResource(restricted, allowViewing);
        site.listUser(resource, listed ? QStringLiteral("MJONES") : QStringLiteral("TBROWN"));
        CurrentSecurity.Supervisor = supervisor;
        CurrentSecurity.CanAddResource = canAddResource;
        LoadAllowedResources(QStringLiteral("MJONES"));

        QCOMPARE(IsResourceVisible(restricted, allowViewing, resource), sees);
        QCOMPARE(CanScheduleResource(resource), mayBook);
        QCOMPARE(MayUseRestricted(resource), listed || supervisor || canAddResource);
        TTable &resources = site.data().ResourceTable;
        resources.SetFiltered(true);
        QCOMPARE(resources.RecordCount(), sees ? 1 : 0);
        QCOMPARE(resources.FindKey({QStringLiteral("Room")}), sees);
    }

    void unknownResourceMayBeBooked()
    {
        Site site;
        QVERIFY(CanScheduleResource(4242));
    }

    void allowedResourcesAreReadAtLogon()
    {
        Site site;
        const int first = site.addResource(true, false);
        const int second = site.addResource(true, false);
        const int third = site.addResource(true, false);
        site.listUser(first, "MJONES");
        site.listUser(second, "mjones");
        site.listUser(third, "TBROWN");
        site.listUser(QVariant(), "MJONES");
        LoadAllowedResources(QStringLiteral("mjones"));
        const QSet<QString> allowed(site.data().AllowedResources.cbegin(), site.data().AllowedResources.cend());
        QCOMPARE(site.data().AllowedResources.size(), 2);
        QCOMPARE(allowed, (QSet<QString>{QString::number(first), QString::number(second)}));

        // Listed after logging on: only the next logon lets the user book it.
        site.listUser(third, "MJONES");
        QVERIFY(!MayUseRestricted(third));
        QVERIFY(!CanScheduleResource(third));
        LoadAllowedResources(QStringLiteral("MJONES"));
        QVERIFY(CanScheduleResource(third));
    }
};

QTEST_MAIN(TestBookingRules)
#include "tst_bookingrules.moc"
