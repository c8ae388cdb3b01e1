// Query objects: the statement as lines, named parameters, the open/walk/close pattern and the
// dialect both engines accept, on the demo site's tables.

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Query.h"
#include "platform/db/TimeValue.h"
#include "SharedDatabase.h"

#include <QTest>

namespace {

double clock(int h, int m) { return (h * 60 + m) / 1440.0; }
const double Day = TimeValue::fromDate(QDate(2004, 3, 5));
SharedDatabase shared;

// An open connection on a database holding only the initial rows and the given bookings.
class Bookings
{
public:
    Bookings()
    {
        shared.reset();
        database.Open();
    }

    void add(int resource, double date, double start, double end, const QString &reservedBy)
    {
        database.exec(QStringLiteral("INSERT INTO \"Schedule\" (\"ResourceID\", \"ScheduleDate\", \"StartTime\", "
                                     "\"EndTime\", \"ReservedBy\") VALUES (?, ?, ?, ?, ?)"),
                      {resource, FieldValue::toStorage(database.engine(), FieldKind::Date, date),
                       FieldValue::toStorage(database.engine(), FieldKind::Time, start),
                       FieldValue::toStorage(database.engine(), FieldKind::Time, end), reservedBy});
    }

    TDatabase database{shared.location()};
};

QStringList column(TQuery &query, const QString &field)
{
    QStringList values;
    for (query.First(); !query.Eof(); query.Next())
        values << FieldValue::asString(query.FieldValue(field), QStringLiteral("<null>"));
    return values;
}

} // namespace

class TestQuery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { shared.create(); }
    void cleanupTestCase() { shared.drop(); }

    // The pattern every routine follows: close, clear, add lines, prepare, open, walk, close, unprepare.
    void statementLinesAreJoinedAndWalked()
    {
        Bookings site;
        site.add(7, Day, clock(13, 0), clock(14, 0), "MJONES");
        site.add(7, Day, clock(9, 0), clock(10, 30), "TBROWN");
        site.add(7, Day + 1, clock(9, 0), clock(10, 0), "MJONES");
        site.add(8, Day, clock(8, 0), clock(9, 0), "MJONES");
        TQuery query(site.database);
        query.Close();
        query.Clear();
        query.Add(QStringLiteral("Select * From \"Schedule.db\""));
        query.Add(QStringLiteral("Where ResourceID = :ResourceID and"));
        query.Add(QStringLiteral("ScheduleDate = :ScheduleDate"));
        query.Add(QStringLiteral("Order By StartTime"));
        query.SetParam(QStringLiteral("resourceid"), 7);
        query.SetParam(QStringLiteral("SCHEDULEDATE"), FieldValue::date(Day));
        query.Prepare();
        QVERIFY(query.Prepared());
        query.Open();
        QVERIFY(query.Active());
        QCOMPARE(query.RecordCount(), 2);
        QCOMPARE(column(query, "ReservedBy"), (QStringList{"TBROWN", "MJONES"}));
        query.First();
        QCOMPARE(query.FieldValue("starttime"), QVariant(clock(9, 0)));
        QCOMPARE(query.FieldValue("EndTime"), QVariant(clock(10, 30)));
        QCOMPARE(query.FieldValue("ScheduleDate"), QVariant(Day));
        QCOMPARE(query.FieldValue("Notes"), QVariant());
        query.Close();
        QVERIFY(!query.Active());
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, query.FieldValue("ReservedBy"));
        query.Unprepare();
        QVERIFY(!query.Prepared());

        // The same object runs again with another value.
        query.SetParam(QStringLiteral("ResourceID"), 8);
        query.Open();
        QCOMPARE(column(query, "ReservedBy"), (QStringList{"MJONES"}));
    }

    void everySpellingOfATableIsTheSameTable_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("resource.DB") << "Select * From \"resource.DB\"";
        QTest::newRow("Resource.Db") << "Select * From \"Resource.Db\"";
        QTest::newRow("Resource.db unquoted") << "Select * From Resource.db";
        QTest::newRow("lower case, no extension") << "select * from resource";
    }

    void everySpellingOfATableIsTheSameTable()
    {
        QFETCH(QString, sql);
        Bookings site;
        site.database.exec(QStringLiteral("INSERT INTO \"Resource\" (\"Description\", \"Capacity\") VALUES ('Van', 8)"));
        TQuery query(site.database);
        query.SetText(sql);
        query.Open();
        QCOMPARE(query.RecordCount(), 1);
        QCOMPARE(query.FieldValue("description"), QVariant("Van"));
        QCOMPARE(query.FieldValue("CAPACITY"), QVariant(8));
        QVERIFY(query.HasField("DescriptionL"));
        QVERIFY(!query.HasField("Nothing"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, query.FieldValue("Nothing"));
    }

    void userIdsMatchInAnyCaseAndPasswordsExactly_data()
    {
        QTest::addColumn<QString>("userID");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("found");
        QTest::newRow("as stored") << "MJones" << "Secret" << true;
        QTest::newRow("lower case") << "mjones" << "Secret" << true;
        QTest::newRow("upper case") << "MJONES" << "Secret" << true;
        QTest::newRow("password in other case") << "mjones" << "secret" << false;
        QTest::newRow("empty password") << "Supervisor" << "" << true;
        QTest::newRow("empty password as a null string") << "supervisor" << QString() << true;
        QTest::newRow("unknown") << "nobody" << "" << false;
    }

    void userIdsMatchInAnyCaseAndPasswordsExactly()
    {
        QFETCH(QString, userID);
        QFETCH(QString, password);
        QFETCH(bool, found);
        Bookings site;
        site.database.exec(QStringLiteral("INSERT INTO \"User\" (\"UserID\", \"UserPassword\") VALUES ('MJones', 'Secret')"));
        TQuery query(site.database);
        query.Add(QStringLiteral("Select * From \"User.db\" Where Upper(userid) = Upper(:id) and UserPassword = :pw"));
        query.SetParam("id", userID);
        query.SetParam("pw", password);
        query.Open();
        QCOMPARE(!query.IsEmpty(), found);
    }

    void quotedNumberMatchesAnIntegerField()
    {
        Bookings site;
        site.add(12, Day, clock(9, 0), clock(10, 0), "A");
        site.add(120, Day, clock(9, 0), clock(10, 0), "B");
        TQuery query(site.database);
        query.Add(QStringLiteral("Delete From \"Schedule.db\" Where ResourceID = :id"));
        query.SetParam("id", QStringLiteral("12"));
        query.ExecSQL();
        QCOMPARE(query.RowsAffected(), 1);
        query.SetText(QStringLiteral("Select * From Schedule"));
        query.Open();
        QCOMPARE(column(query, "ReservedBy"), QStringList{"B"});
    }

    // Times and dates compare in time order on both engines, including the minute boundaries that
    // overlap tests depend on.
    void timesAndDatesCompareInTimeOrder_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("touching the end") << clock(10, 0) << clock(11, 0) << QStringList{"early", "late"};
        QTest::newRow("one minute later") << clock(10, 1) << clock(11, 0) << QStringList{"late"};
        QTest::newRow("before ten") << clock(0, 0) << clock(9, 59) << QStringList{"early"};
        QTest::newRow("the evening") << clock(20, 0) << clock(23, 59) << QStringList{};
    }

    void timesAndDatesCompareInTimeOrder()
    {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(QStringList, found);
        Bookings site;
        site.add(1, Day, clock(9, 0), clock(10, 0), "early");
        site.add(1, Day, clock(10, 0), clock(11, 30), "late");
        site.add(1, Day - 1, clock(9, 0), clock(10, 0), "day before");
        site.add(1, Day + 1, clock(9, 0), clock(10, 0), "day after");
        TQuery query(site.database);
        query.Add(QStringLiteral("Select * From Schedule Where ScheduleDate >= :day And ScheduleDate <= :day"));
        query.Add(QStringLiteral("and StartTime <= :to and EndTime >= :from Order By StartTime"));
        query.SetParam("day", FieldValue::date(Day));
        query.SetParam("from", FieldValue::time(from));
        query.SetParam("to", FieldValue::time(to));
        query.Open();
        QCOMPARE(column(query, "ReservedBy"), found);
    }

    void updateSetsOneFieldWhereTheConditionHolds()
    {
        Bookings site;
        site.add(1, Day, clock(9, 0), clock(10, 0), "OLD");
        site.add(2, Day, clock(9, 0), clock(10, 0), "OLD");
        site.add(3, Day, clock(9, 0), clock(10, 0), "OTHER");
        TQuery query(site.database);
        query.Add(QStringLiteral("Update \"Schedule.db\" Set ReservedBy = :new Where ReservedBy = :old"));
        query.SetParam("new", QStringLiteral("NEW"));
        query.SetParam("old", QStringLiteral("OLD"));
        query.ExecSQL();
        QCOMPARE(query.RowsAffected(), 2);
        query.SetText(QStringLiteral("Select ReservedBy From Schedule Order By ResourceID"));
        query.Open();
        QCOMPARE(column(query, "ReservedBy"), (QStringList{"NEW", "NEW", "OTHER"}));
    }

    // The program's routines run a second statement while walking the rows of a first one (a user
    // lookup inside a walk over bookings).
    void otherStatementsMayRunWhileWalking()
    {
        Bookings site;
        for (int resource = 1; resource <= 3; ++resource)
            site.add(resource, Day, clock(9, 0), clock(10, 0), "MJONES");
        TQuery bookings(site.database);
        TQuery lookup(site.database);
        bookings.SetText(QStringLiteral("Select * From Schedule Order By ResourceID"));
        bookings.Open();
        QStringList walked;
        for (bookings.First(); !bookings.Eof(); bookings.Next()) {
            lookup.SetText(QStringLiteral("Select * From \"User.db\" Where Upper(UserID) = Upper(:id)"));
            lookup.SetParam("id", bookings.FieldValue("ReservedBy"));
            lookup.Open();
            lookup.Close();
            walked << bookings.FieldValue("ResourceID").toString();
        }
        QCOMPARE(walked, (QStringList{"1", "2", "3"}));
    }

    void walkingPastTheEndStaysAtTheEnd()
    {
        Bookings site;
        TQuery query(site.database);
        query.SetText(QStringLiteral("Select * From Schedule"));
        query.Open();
        QVERIFY(query.IsEmpty());
        QVERIFY(query.Eof());
        query.Next();
        QVERIFY(query.Eof());
        QCOMPARE(query.FieldValue("ReservedBy"), QVariant());
    }

    void statementErrorsReachTheCaller_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("setParam");
        QTest::newRow("parameter without a value") << "Select * From Schedule Where ResourceID = :id" << false;
        QTest::newRow("unknown table") << "Select * From \"Nothing.db\"" << true;
        QTest::newRow("syntax") << "Select * Fromm Schedule" << true;
        QTest::newRow("unterminated text") << "Select * From Schedule Where Notes = 'x" << true;
    }

    void statementErrorsReachTheCaller()
    {
        QFETCH(QString, sql);
        QFETCH(bool, setParam);
        Bookings site;
        TQuery query(site.database);
        query.SetText(sql);
        if (setParam)
            query.SetParam("unused", 1);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, query.Open());
        QVERIFY(!query.Active());
        // The connection goes on working.
        query.SetText(QStringLiteral("Select * From Schedule"));
        query.Open();
        QVERIFY(query.IsEmpty());
    }

    // A value typed by a user is only ever a value.
    void parameterValuesAreNeverSql_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("double quote") << "a\"b";
        QTest::newRow("single quote") << "o'neil";
        QTest::newRow("comment") << "x' -- ";
        QTest::newRow("second statement") << "x'; DELETE FROM \"User\"; --";
        QTest::newRow("always true") << "' OR '1'='1";
        QTest::newRow("parameter lookalike") << ":id";
    }

    void parameterValuesAreNeverSql()
    {
        QFETCH(QString, value);
        Bookings site;
        TQuery query(site.database);
        query.SetText(QStringLiteral("Select * From \"User.db\" Where Upper(UserID) = Upper(:id)"));
        query.SetParam("id", value);
        query.Open();
        QVERIFY(query.IsEmpty());
        query.SetText(QStringLiteral("Update \"User.db\" Set UserName = :name Where UserID = :id"));
        query.SetParam("name", value);
        query.SetParam("id", QStringLiteral("Supervisor"));
        query.ExecSQL();
        query.SetText(QStringLiteral("Select * From \"User.db\""));
        query.Open();
        QCOMPARE(query.RecordCount(), 1);
        QCOMPARE(query.FieldValue("UserName"), QVariant(value));
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
