// Loading one resource's bookings of one date into a column of the schedule grid, from a real
// database.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/TimeValue.h"
#include "schedule/ProgramConst.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

double clock(int h, int m, int s = 0) { return ((h * 60 + m) * 60 + s) / 86400.0; }

const double Day = TimeValue::fromDate(QDate(2024, 1, 10));

struct Site
{
    TestSite site;
    int room = 0;
    int otherRoom = 0;

    explicit Site(int interval)
    {
        SystemSettings = TSystemInfo();
        SystemSettings.TimeInterval = interval;
        CurrentUser = TLoginData();
        CurrentUser.UserID = QStringLiteral("Supervisor");
        addUser("ALICE", "Alice Martin");
        room = addResource("Room 1", "Meeting Room One");
        otherRoom = addResource("Room 2", QVariant());
    }

    TProgramDataForm &data() { return site.data(); }

    void addUser(const QString &id, const QString &name)
    {
        TTable &users = data().UserSettingsTable;
        users.Insert();
        users.SetFieldValue("UserID", id);
        users.SetFieldValue("UserName", name);
        users.SetFieldValue("SecurityID", 1);
        users.Post();
    }

    int addResource(const QString &shortName, const QVariant &longName)
    {
        TTable &resources = data().ResourceTable;
        resources.Insert();
        resources.SetFieldValue("Description", shortName);
        resources.SetFieldValue("DescriptionL", longName);
        resources.Post();
        return resources.FieldValue("ResourceID").toInt();
    }

    int book(int resourceID, double date, const QVariant &start, const QVariant &end,
             const QString &reservedBy = QStringLiteral("ALICE"), const QString &notes = QString())
    {
        TTable &schedule = data().ScheduleTable;
        schedule.Insert();
        schedule.SetFieldValue("ResourceID", resourceID);
        schedule.SetFieldValue("ScheduleDate", date);
        schedule.SetFieldValue("StartTime", start);
        schedule.SetFieldValue("EndTime", end);
        schedule.SetFieldValue("ReservedBy", reservedBy);
        schedule.SetFieldValue("Notes", notes);
        schedule.Post();
        return schedule.FieldValue("Sequence").toInt();
    }

    ScheduleGrid fill(bool withNotes, bool dateHeader = true)
    {
        ScheduleGrid grid(3, SlotRowCount());
        FillScheduleColumn(1, room, withNotes, grid, Day, dateHeader);
        return grid;
    }
};

// Rows 1 and below of the column: "" for free slots, otherwise the text shown, and which booking.
struct ColumnContents
{
    QMap<int, QString> texts;
    QMap<int, int> sequences;
};

ColumnContents bookedRows(const ScheduleGrid &grid, int column, int resourceID)
{
    ColumnContents contents;
    for (int row = 1; row < grid.RowCount(); ++row) {
        const QString cell = grid.Cell(column, row);
        if (CellResourceID(cell) != resourceID || CellDate(cell) != Day)
            contents.texts.insert(row, QStringLiteral("<wrong cell %1>").arg(cell));
        else if (CellSequence(cell) != -1 || !CellText(cell).isEmpty()) {
            contents.texts.insert(row, CellText(cell));
            contents.sequences.insert(row, CellSequence(cell));
        }
    }
    return contents;
}

} // namespace

class TestScheduleColumns : public QObject
{
    Q_OBJECT

private slots:
    void resourceWithoutBookings()
    {
        Site site(60);
        site.book(site.room, Day + 1, clock(10, 0), clock(11, 0));
        site.book(site.otherRoom, Day, clock(10, 0), clock(11, 0));
        const ScheduleGrid grid = site.fill(false);
        QVERIFY(bookedRows(grid, 1, site.room).texts.isEmpty());
        QCOMPARE(grid.Cell(1, 0), MakeCellText(-1, site.room, "01/10/2024", Day));
        QCOMPARE(grid.Cell(2, 5), QString());
    }

    void bookingCoversItsSlots_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("30: on slot starts") << 30 << clock(10, 0) << clock(11, 0) << QList<int>{21, 22};
        QTest::newRow("30: inside slots") << 30 << clock(10, 10) << clock(10, 50) << QList<int>{22};
        QTest::newRow("60: shorter than a slot") << 60 << clock(10, 15) << clock(10, 20) << QList<int>{12};
        QTest::newRow("60: no length") << 60 << clock(10, 0) << clock(10, 0) << QList<int>{11};
        QTest::newRow("15: seconds cut") << 15 << clock(10, 0, 45) << clock(10, 30, 50) << QList<int>{41, 42};
        QTest::newRow("60: 23:00 to 23:59") << 60 << clock(23, 0) << clock(23, 59) << QList<int>{24};
        QTest::newRow("60: 23:30 to 23:59 shows nowhere") << 60 << clock(23, 30) << clock(23, 59) << QList<int>{};
        QTest::newRow("7: last slot") << 7 << clock(23, 55) << clock(23, 59) << QList<int>{206};
        QTest::newRow("1440: whole day") << 1440 << 0.0 << EndOfDayTime << QList<int>{1};
        QTest::newRow("60: morning") << 60 << 0.0 << clock(3, 0) << QList<int>{1, 2, 3};
    }

    void bookingCoversItsSlots()
    {
        QFETCH(int, interval);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(QList<int>, rows);
        Site site(interval);
        const int sequence = site.book(site.room, Day, start, end);
        const ColumnContents contents = bookedRows(site.fill(false), 1, site.room);
        QCOMPARE(contents.texts.keys(), rows);
        for (int row : rows) {
            QCOMPARE(contents.texts.value(row), row == rows.first() ? QStringLiteral("Alice Martin") : ContinuationMarker);
            QCOMPARE(contents.sequences.value(row), sequence);
        }
    }

    void namesOfReservingUsers_data()
    {
        QTest::addColumn<QString>("reservedBy");
        QTest::addColumn<QString>("shown");
        QTest::newRow("stored case") << "ALICE" << "Alice Martin";
        QTest::newRow("other case") << "alice" << "Alice Martin";
        QTest::newRow("no such user") << "GONE" << "User Deleted";
        QTest::newRow("nobody") << "" << "User Deleted";
    }

    void namesOfReservingUsers()
    {
        QFETCH(QString, reservedBy);
        QFETCH(QString, shown);
        Site site(60);
        site.book(site.room, Day, clock(9, 0), clock(10, 0), reservedBy);
        QCOMPARE(CellText(site.fill(false).Cell(1, 10)), shown);
    }

    void bookingWithoutTimesShowsNowhere_data()
    {
        QTest::addColumn<QVariant>("start");
        QTest::addColumn<QVariant>("end");
        QTest::newRow("no start") << QVariant() << QVariant(clock(11, 0));
        QTest::newRow("no end") << QVariant(clock(10, 0)) << QVariant();
        QTest::newRow("neither") << QVariant() << QVariant();
    }

    void bookingWithoutTimesShowsNowhere()
    {
        QFETCH(QVariant, start);
        QFETCH(QVariant, end);
        Site site(60);
        site.book(site.room, Day, start, end);
        const int shown = site.book(site.room, Day, clock(14, 0), clock(15, 0));
        const ColumnContents contents = bookedRows(site.fill(true), 1, site.room);
        QCOMPARE(contents.sequences.values(), QList<int>{shown});
    }

    void laterBookingOverwritesSharedSlots()
    {
        Site site(30);
        const int late = site.book(site.room, Day, clock(11, 0), clock(11, 30), "GONE");
        const int early = site.book(site.room, Day, clock(10, 0), clock(12, 0));
        const ColumnContents contents = bookedRows(site.fill(false), 1, site.room);
        QCOMPARE(contents.texts.values(),
                 (QStringList{"Alice Martin", ContinuationMarker, "User Deleted", ContinuationMarker}));
        QCOMPARE(contents.sequences.values(), (QList<int>{early, early, late, early}));
    }

    void notesColumn()
    {
        Site site(60);
        const int withNotes = site.book(site.room, Day, clock(9, 0), clock(11, 0), "ALICE", "Agenda; budget;");
        const int without = site.book(site.room, Day, clock(13, 0), clock(14, 0), "ALICE", QString());
        const ScheduleGrid grid = site.fill(true);
        const ColumnContents notes = bookedRows(grid, 2, site.room);
        QCOMPARE(notes.texts.keys(), (QList<int>{10, 11, 14}));
        QCOMPARE(notes.texts.values(), (QStringList{"Agenda; budget;", ContinuationMarker, ContinuationMarker}));
        QCOMPARE(notes.sequences.values(), (QList<int>{withNotes, withNotes, without}));
        QCOMPARE(grid.Cell(2, 0), MakeCellText(-1, site.room, "Notes", Day));
        QCOMPARE(bookedRows(grid, 1, site.room).texts.keys(), (QList<int>{10, 11, 14}));
    }

    void rebuildClearsTheColumnButNotItsHeadingNeighbours()
    {
        Site site(60);
        site.book(site.room, Day, clock(9, 0), clock(10, 0));
        ScheduleGrid grid = site.fill(false);
        grid.SetCell(2, 10, "left alone");
        TTable &schedule = site.data().ScheduleTable;
        schedule.First();
        schedule.Delete();
        FillScheduleColumn(1, site.room, false, grid, Day, true);
        QVERIFY(bookedRows(grid, 1, site.room).texts.isEmpty());
        QCOMPARE(grid.Cell(2, 10), QStringLiteral("left alone"));
    }

    // A range of days read with one query holds exactly what loading each day on its own gives:
    // overlaps, bookings just outside the range, other resources, missing users, a booking without
    // a start.
    void daysHoldWhatEachDayLoadsOnItsOwn()
    {
        Site site(30);
        site.book(site.room, Day, clock(9, 0), clock(10, 30));
        site.book(site.room, Day, clock(9, 30), clock(10, 0), QStringLiteral("GONE"));
        site.book(site.room, Day + 2, clock(23, 30), clock(23, 59), QStringLiteral("alice"));
        site.book(site.room, Day + 2, QVariant(), clock(9, 0));
        site.book(site.room, Day - 1, clock(9, 0), clock(10, 0));
        site.book(site.room, Day + 4, clock(9, 0), clock(10, 0));
        site.book(site.otherRoom, Day + 1, clock(9, 0), clock(10, 0));
        const int days = 4;
        ScheduleGrid together(days + 1, SlotRowCount());
        ScheduleGrid apart(days + 1, SlotRowCount());
        FillScheduleDays(1, site.room, together, Day, days);
        for (int day = 0; day < days; ++day)
            FillScheduleColumn(day + 1, site.room, false, apart, Day + day, true);
        for (int col = 1; col <= days; ++col)
            for (int row = 0; row < apart.RowCount(); ++row)
                QCOMPARE(together.Cell(col, row), apart.Cell(col, row));
        QCOMPARE(CellText(together.Cell(1, 20)), QStringLiteral("User Deleted"));
        QCOMPARE(CellText(together.Cell(3, 48)), QStringLiteral("Alice Martin"));
    }

    void resourceHeadingAndDescriptions()
    {
        Site site(60);
        QCOMPARE(site.fill(false, false).Cell(1, 0), MakeCellText(-1, site.room, "Room 1", Day));
        QCOMPARE(ResourceDescription(false, site.room), QStringLiteral("Room 1"));
        QCOMPARE(ResourceDescription(true, site.room), QStringLiteral("Meeting Room One"));
        QCOMPARE(ResourceDescription(true, site.otherRoom), QString());
        QCOMPARE(ResourceDescription(false, 9999), QString());
    }
};

QTEST_MAIN(TestScheduleColumns)
#include "tst_schedulecolumns.moc"
