// Creating a Quorvel database: the schema and its first rows, the refusals that keep an existing
// database, the demo site, and the data module opening what was created.

#include "data/DatabaseSetup.h"
#include "data/LargeSite.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QTest>
#include <functional>

namespace {

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EDatabaseError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

int count(TDatabase &database, const QString &table, const QString &where = QString(), const QVariantList &values = {})
{
    QSqlQuery query = database.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\" %2").arg(table, where), values);
    query.next();
    return query.value(0).toInt();
}

QStringList tableNames(TDatabase &database)
{
    QStringList names = database.connection().tables();
    names.sort();
    return names;
}

// One field of the row with this key, as a table object reads it.
QVariant fieldOf(TDatabase &database, const QString &table, const QString &field, const QVariantList &key)
{
    TTable rows(database, table);
    rows.Open();
    if (!rows.FindKey(key))
        return QStringLiteral("<missing>");
    return rows.FieldValue(field);
}

} // namespace

class TestDatabaseSetup : public QObject
{
    Q_OBJECT

private slots:
    void initCreatesTheTablesAndTheFirstRows()
    {
        TestDatabase place;
        QVERIFY(!DatabaseSetup::Exists(place.location()));
        DatabaseSetup::Init(place.location());
        QVERIFY(DatabaseSetup::Exists(place.location()));

        TDatabase database(place.location());
        database.Open();
        QVERIFY(database.SchemaExists());
        QCOMPARE(count(database, "Settings"), 1);
        QCOMPARE(count(database, "Security"), 1);
        QCOMPARE(count(database, "User"), 1);
        for (const char *empty : {"Type", "Resource", "Schedule", "Restrict"})
            QCOMPARE(count(database, empty), 0);
        QSqlQuery version = database.exec(QStringLiteral("SELECT \"Version\" FROM \"QuorvelSchema\""));
        QVERIFY(version.next());
        QCOMPARE(version.value(0).toInt(), Schema::Version);

        // The master profile is number 0 with every right; the built-in account has an empty
        // password, so that the first log-on needs none.
        for (const char *right : {"Supervisor", "CanChangeSystem", "CanAddUser", "CanPackDatabase", "CanViewSecurity",
                                  "CanAddType", "CanAddResource", "CanAddSchedule", "CanAddOtherSchedule"})
            QCOMPARE(fieldOf(database, "Security", right, {0}), QVariant(true));
        QCOMPARE(fieldOf(database, "User", "SecurityID", {"Supervisor"}), QVariant(0));
        QCOMPARE(fieldOf(database, "User", "UserPassword", {"Supervisor"}), QVariant(""));

        // Profiles added later are numbered from 1: the identity never hands out the master's 0.
        TTable security(database, "Security");
        security.Open();
        security.Insert();
        security.SetFieldValue("Description", "Staff");
        security.Post();
        QCOMPARE(security.FieldValue("SecurityID"), QVariant(1));
    }

    // The settings row holds the program's defaults, stored in fields of their own kinds.
    void initialSettingsAreTheDefaults()
    {
        TestSite site;
        SystemSettings.TimeInterval = 0;
        LoadSystemSettings();
        const TSystemInfo defaults;
        const TSystemInfo &s = SystemSettings;
        QCOMPARE(s.DisableLogin, defaults.DisableLogin);
        QCOMPARE(s.AutoLogon, defaults.AutoLogon);
        QCOMPARE(s.TimeInterval, defaults.TimeInterval);
        QCOMPARE(s.WorkHoursStart, defaults.WorkHoursStart);
        QCOMPARE(s.WorkHoursEnd, defaults.WorkHoursEnd);
        QCOMPARE(s.InUseColor, defaults.InUseColor);
        QCOMPARE(s.FreeColor, defaults.FreeColor);
        QCOMPARE(s.NoWorkColor, defaults.NoWorkColor);
        QCOMPARE(s.DefaultDays, defaults.DefaultDays);
        QCOMPARE(s.PrintStartTime, defaults.PrintStartTime);
        QCOMPARE(s.PrintEndTime, defaults.PrintEndTime);
        QCOMPARE(s.PrintInUseColor, defaults.PrintInUseColor);
        QCOMPARE(s.PrintFreeColor, defaults.PrintFreeColor);
        QCOMPARE(s.PrintNoWorkColor, defaults.PrintNoWorkColor);
        QCOMPARE(s.Landscape, defaults.Landscape);
        QCOMPARE(s.DefaultFontSize, defaults.DefaultFontSize);
        QCOMPARE(s.DefaultFooter, defaults.DefaultFooter);
        QCOMPARE(s.ScheduleDots, defaults.ScheduleDots);
        QCOMPARE(s.ScheduleEndTime, defaults.ScheduleEndTime);
        QCOMPARE(s.ScheduleReservedBy, defaults.ScheduleReservedBy);
        QCOMPARE(s.ScheduleNotes, defaults.ScheduleNotes);
    }

    // Without replace, a database that is there (whole, in part, or someone else's) is refused and
    // left exactly as it was; with replace, a Quorvel database starts afresh.
    void existingTablesAreKeptUnlessReplaced_data()
    {
        QTest::addColumn<QString>("present");
        QTest::newRow("a Quorvel database") << "quorvel";
        QTest::newRow("part of one") << "part";
        QTest::newRow("another program's tables") << "other";
    }

    void existingTablesAreKeptUnlessReplaced()
    {
        QFETCH(QString, present);
        TestDatabase place;
        {
            TDatabase database(place.location());
            database.Open(true);
            if (present == QLatin1String("quorvel")) {
                DatabaseSetup::Init(place.location());
                database.exec(QStringLiteral("INSERT INTO \"Type\" (\"Description\") VALUES ('Rooms')"));
            } else if (present == QLatin1String("part")) {
                database.exec(QStringLiteral("CREATE TABLE \"Type\" (\"TypeID\" integer, \"Description\" varchar(40))"));
                database.exec(QStringLiteral("INSERT INTO \"Type\" VALUES (1, 'Rooms')"));
            } else {
                database.exec(QStringLiteral("CREATE TABLE \"Other\" (\"Description\" varchar(40))"));
                database.exec(QStringLiteral("INSERT INTO \"Other\" VALUES ('Rooms')"));
            }
        }
        const QString kept = present == QLatin1String("other") ? QStringLiteral("Other") : QStringLiteral("Type");
        TDatabase database(place.location());
        database.Open();
        const QStringList before = tableNames(database);

        const QString refusal = errorOf([&] { DatabaseSetup::Init(place.location()); });
        QVERIFY2(refusal.contains(QLatin1String("it was left as it is")), qPrintable(refusal));
        QVERIFY2(refusal.contains(place.location().describe()), qPrintable(refusal));
        QCOMPARE(tableNames(database), before);
        QCOMPARE(count(database, kept), 1);

        DatabaseSetup::Init(place.location(), true);
        QVERIFY(DatabaseSetup::Exists(place.location()));
        QCOMPARE(count(database, "Type"), 0);
        QCOMPARE(count(database, "User"), 1);
        if (present == QLatin1String("other"))
            QCOMPARE(count(database, "Other"), 1);   // only Quorvel's own tables are replaced
    }

    // Replacing drops the old tables and creates the new ones as one unit: when creating fails,
    // the old database is still there with its data.
    void failedReplaceKeepsTheOldDatabase()
    {
        TestDatabase place;
        DatabaseSetup::Init(place.location());
        TDatabase database(place.location());
        database.Open();
        database.exec(QStringLiteral("INSERT INTO \"Type\" (\"Description\") VALUES ('Rooms')"));
        // Creating the new tables will fail: another program's table has taken the name of one of
        // Quorvel's indexes.
        database.exec(QStringLiteral("DROP INDEX \"IScheduleDate\""));
        database.exec(QStringLiteral("CREATE TABLE \"IScheduleDate\" (\"x\" integer)"));

        QVERIFY_THROWS_EXCEPTION(EDatabaseError, DatabaseSetup::Init(place.location(), true));
        QVERIFY(DatabaseSetup::Exists(place.location()));
        QCOMPARE(count(database, "Type"), 1);
        QCOMPARE(count(database, "User"), 1);
    }

    void postgresqlDatabaseIsCreatedWhenMissing()
    {
        if (TestDatabase::engineUnderTest() != EngineKind::PostgreSQL)
            QSKIP("SQLite creates its file when it opens it");
        TestDatabase server;
        DatabaseLocation fresh = server.location();
        fresh.url.setPath(fresh.url.path() + QStringLiteral("_created"));
        QVERIFY(!DatabaseSetup::Exists(fresh));
        DatabaseSetup::Init(fresh);
        QVERIFY(DatabaseSetup::Exists(fresh));
        TDatabase admin(server.location());
        admin.Open();
        admin.exec(QStringLiteral("DROP DATABASE \"%1\" WITH (FORCE)").arg(fresh.databaseName()));

        DatabaseLocation quoted = server.location();
        quoted.url.setPath(QStringLiteral("/quorvel\"; DROP"));
        QVERIFY(errorOf([&] { DatabaseSetup::Init(quoted); }).contains(QLatin1String("is not a database name")));
    }

    void sqliteDatabaseInAMissingDirectoryIsAClearError()
    {
        if (TestDatabase::engineUnderTest() != EngineKind::SQLite)
            QSKIP("only SQLite keeps its database in a directory");
        TestDatabase place;
        const DatabaseLocation nowhere = DatabaseLocation::parse(place.location().directory + QStringLiteral("/no/such/dir"));
        const QString error = errorOf([&] { DatabaseSetup::Init(nowhere); });
        QVERIFY2(error.contains(nowhere.describe()), qPrintable(error));
        QVERIFY(!QFile::exists(nowhere.sqliteFilePath()));
    }

    void demoSiteIsBelievable()
    {
        TestDatabase place;
        DatabaseSetup::Init(place.location());
        TDatabase database(place.location());
        database.Open();
        DatabaseSetup::SeedDemo(database, QStringLiteral("workstation.user.with.a.long.name"));

        QCOMPARE(count(database, "Security"), 5);
        QCOMPARE(count(database, "Type"), 3);
        QCOMPARE(count(database, "Resource"), 12);
        QCOMPARE(count(database, "Resource", "WHERE \"Restricted\" = ?", {FieldValue::toStorage(database.engine(), FieldKind::Logical, true)}), 2);
        QCOMPARE(count(database, "Resource", "WHERE \"AllowViewing\" = ?", {FieldValue::toStorage(database.engine(), FieldKind::Logical, true)}), 1);
        QCOMPARE(count(database, "Restrict"), 3);
        QVERIFY(count(database, "Schedule") > 20);

        // The person at the workstation logs straight in with every right.
        QCOMPARE(fieldOf(database, "Settings", "AutoLogon", {1}), QVariant(true));
        QCOMPARE(fieldOf(database, "Settings", "TimeInterval", {1}), QVariant(30));
        QCOMPARE(fieldOf(database, "User", "SecurityID", {"workstation.user.wit"}), QVariant(0));

        // Bookings: weekdays of this week and the next, inside the working day, none overlapping
        // another booking of the same resource, each for an account that exists.
        const double monday = TimeValue::fromDate(QDate::currentDate().addDays(1 - QDate::currentDate().dayOfWeek()));
        TTable bookings(database, "Schedule");
        bookings.Open();
        QList<TRecord> seen;
        for (bookings.First(); !bookings.Eof(); bookings.Next()) {
            const TRecord row = bookings.CurrentRecord();
            const double date = row.FieldValue("ScheduleDate").toDouble();
            const double start = row.FieldValue("StartTime").toDouble();
            const double end = row.FieldValue("EndTime").toDouble();
            QVERIFY(date >= monday && date < monday + 14);
            QVERIFY(TimeValue::toDate(date).dayOfWeek() <= 5);
            QVERIFY(start >= 8.0 / 24 - 1e-9 && start < end && end <= 18.0 / 24 + 1e-9);
            QCOMPARE(count(database, "User", "WHERE \"UserID\" = ?", {row.FieldValue("ReservedBy")}), 1);
            for (const TRecord &other : std::as_const(seen))
                QVERIFY(other.FieldValue("ResourceID") != row.FieldValue("ResourceID")
                        || other.FieldValue("ScheduleDate") != row.FieldValue("ScheduleDate")
                        || other.FieldValue("EndTime").toDouble() <= start
                        || other.FieldValue("StartTime").toDouble() >= end);
            seen << row;
        }
    }

    void demoGivesNoSecondAccountToAKnownUser_data()
    {
        QTest::addColumn<QString>("workstationUser");
        QTest::addColumn<int>("accounts");
        QTest::newRow("none") << "" << 6;
        QTest::newRow("a demo account in other case") << "mjones" << 6;
        QTest::newRow("the built-in account") << "SUPERVISOR" << 6;
        QTest::newRow("someone new") << "kate" << 7;
    }

    void demoGivesNoSecondAccountToAKnownUser()
    {
        QFETCH(QString, workstationUser);
        QFETCH(int, accounts);
        TestDatabase place;
        DatabaseSetup::Init(place.location());
        TDatabase database(place.location());
        database.Open();
        DatabaseSetup::SeedDemo(database, workstationUser);
        QCOMPARE(count(database, "User"), accounts);
    }

    // The large site at a small scale: its counts, a full first type on the busy day, restricted
    // resources with their users, no two bookings of a resource overlapping, and keys that the
    // program can go on handing out.
    void largeSiteHoldsWhatItPromises()
    {
        TestDatabase place;
        DatabaseSetup::Init(place.location());
        TDatabase database(place.location());
        database.Open();
        const double scale = 0.02;
        LargeSite::Seed(database, scale, QStringLiteral("kate"));
        const LargeSite::Size size = LargeSite::SizeAt(scale);

        QCOMPARE(count(database, "Resource"), size.resources);
        QCOMPARE(count(database, "Type"), size.types);
        QCOMPARE(count(database, "User"), size.users + 2);   // with Supervisor and the workstation user
        const int bookings = count(database, "Schedule");
        QVERIFY2(bookings > size.bookings * 0.9 && bookings <= size.bookings, qPrintable(QString::number(bookings)));

        const QVariant busy = FieldValue::toStorage(database.engine(), FieldKind::Date, TimeValue::fromDate(LargeSite::BusyDay()));
        QSqlQuery bigType = database.exec(QStringLiteral(
            "SELECT COUNT(*) FROM \"Schedule\" s JOIN \"Resource\" r ON r.\"ResourceID\" = s.\"ResourceID\" "
            "JOIN \"Type\" t ON t.\"TypeID\" = r.\"TypeID\" WHERE t.\"Description\" = ? AND s.\"ScheduleDate\" = ?"),
            {LargeSite::BigTypeName(), busy});
        bigType.next();
        QCOMPARE(bigType.value(0).toInt(), size.bigTypeResources * 8);

        const QVariant yes = FieldValue::toStorage(database.engine(), FieldKind::Logical, true);
        const int restricted = count(database, "Resource", "WHERE \"Restricted\" = ?", {yes});
        QVERIFY(restricted > 0);
        QCOMPARE(count(database, "Restrict"), restricted * 5);
        QCOMPARE(count(database, "Schedule", "s WHERE NOT EXISTS (SELECT 1 FROM \"User\" u WHERE u.\"UserID\" = s.\"ReservedBy\")"), 0);

        QSqlQuery overlaps = database.exec(QStringLiteral(
            "SELECT COUNT(*) FROM \"Schedule\" a JOIN \"Schedule\" b ON a.\"ResourceID\" = b.\"ResourceID\" "
            "AND a.\"ScheduleDate\" = b.\"ScheduleDate\" AND a.\"Sequence\" < b.\"Sequence\" "
            "AND a.\"StartTime\" < b.\"EndTime\" AND b.\"StartTime\" < a.\"EndTime\""));
        overlaps.next();
        QCOMPARE(overlaps.value(0).toInt(), 0);

        TTable resources(database, "Resource");
        resources.Open();
        resources.Insert();
        resources.SetFieldValue("Description", QStringLiteral("One more"));
        resources.Post();
        QCOMPARE(resources.FieldValue("ResourceID").toInt(), size.resources + 1);
    }

    // The data module opens what Init created; what it cannot open is named in its message.
    void dataModuleOpensTheCreatedDatabase()
    {
        TestSite site(true);
        TProgramDataForm &data = site.data();
        for (TTable *table : {&data.UserSettingsTable, &data.SecurityTable, &data.SettingsTable, &data.TypeTable,
                              &data.ResourceTable, &data.ScheduleTable, &data.RestrictTable})
            QVERIFY2(table->Active() && !table->IsEmpty(), qPrintable(table->TableName()));
        // The derived fields: names of 20 characters at most, empty for an account that is gone.
        TTable &bookings = data.ScheduleTable;
        QCOMPARE(bookings.FieldValue("ReservedName").toString(),
                 fieldOf(data.ScheduleDatabase, "User", "UserName", {bookings.FieldValue("ReservedBy")}).toString().left(20));
        QVERIFY(!bookings.FieldValue("ResourceName").toString().isEmpty());
        QVERIFY(bookings.FieldValue("ResourceName").toString().size() <= 20);
        data.ScheduleDatabase.exec(QStringLiteral("DELETE FROM \"User\" WHERE \"UserID\" = ?"), {bookings.FieldValue("ReservedBy")});
        bookings.Refresh();
        QCOMPARE(bookings.FieldValue("ReservedName"), QVariant());
    }

    void dataModuleNamesWhatItCannotOpen()
    {
        TestDatabase place;
        TProgramDataForm missing(place.location());
        const QString noDatabase = errorOf([&] { missing.DataModuleCreate(); });
        QVERIFY2(noDatabase.contains(place.location().describe()), qPrintable(noDatabase));

        place.init();
        {
            TDatabase database(place.location());
            database.Open();
            database.exec(QStringLiteral("DROP TABLE \"Restrict\""));
        }
        TProgramDataForm partial(place.location());
        const QString noTable = errorOf([&] { partial.DataModuleCreate(); });
        QVERIFY2(noTable.contains(QLatin1String("Restrict")) && noTable.contains(place.location().describe()),
                 qPrintable(noTable));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseSetup)
#include "tst_databasesetup.moc"
