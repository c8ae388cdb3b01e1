// A workstation killed outright in the middle of a change that writes many rows: afterwards the
// database is sound by the engine's own check, each change is there whole or not at all, and the
// killed program no longer shows among the running ones.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"
#include "platform/db/Sessions.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int Kills = 8;
constexpr int TimeoutMs = 60000;
const double FirstDate = TimeValue::fromDate(QDate(2032, 1, 5));
const QString Victim = QStringLiteral("victim");

QString locationArgument(const DatabaseLocation &location)
{
    return location.engine == EngineKind::SQLite ? location.directory : location.url.toString();
}

int count(TProgramDataForm &data, const QString &sql, const QueryParams &params = {})
{
    TQuery &query = data.ScheduleQuery;
    OpenQuery(query, {sql}, params);
    const int result = FieldValue::asInteger(query.FieldValue(QStringLiteral("Total")));
    CloseQuery(query);
    return result;
}

// The engine's own check of its files: SQLite's integrity check, and on PostgreSQL the check of
// every index of the database against its table.
QStringList integrityProblems(TDatabase &database)
{
    QStringList problems;
    if (database.engine() == EngineKind::SQLite) {
        QSqlQuery check = database.exec(QStringLiteral("PRAGMA integrity_check"));
        while (check.next())
            if (check.value(0).toString() != QLatin1String("ok"))
                problems << check.value(0).toString();
        return problems;
    }
    if (!database.exec(QStringLiteral("SELECT 1 FROM pg_extension WHERE extname = 'amcheck'")).next())
        database.exec(QStringLiteral("CREATE EXTENSION amcheck"));
    QStringList indexes;
    {
        QSqlQuery names = database.exec(QStringLiteral(
            "SELECT c.oid::regclass::text FROM pg_index i JOIN pg_class c ON c.oid = i.indexrelid "
            "JOIN pg_am a ON a.oid = c.relam JOIN pg_namespace n ON n.oid = c.relnamespace "
            "WHERE a.amname = 'btree' AND n.nspname = 'public'"));
        while (names.next())
            indexes << names.value(0).toString();
    }
    for (const QString &index : indexes) {
        try {
            database.exec(QStringLiteral("SELECT bt_index_check(?::regclass, true)"), {index});
        } catch (const EDatabaseError &error) {
            problems << index + QLatin1String(": ") + error.message();
        }
    }
    return problems;
}

QStringList runningPrograms(TDatabase &database)
{
    TSessions sessions(database);
    QStringList names;
    for (const TSessions::Entry &entry : sessions.Connected())
        names << entry.UserName;
    return names;
}

class Site
{
public:
    Site()
    {
        TTable &resources = data.ResourceTable;
        resources.Append();
        resources.SetFieldValue("Description", QStringLiteral("Hall"));
        resources.Post();
        hall = resources.FieldValue("ResourceID").toInt();

        TTable &users = data.UserSettingsTable;
        users.Append();
        users.SetFieldValue("UserID", QStringLiteral("R0"));
        users.SetFieldValue("UserName", QStringLiteral("Renamed often"));
        users.SetFieldValue("SecurityID", 1);
        users.Post();
        for (int i = 0; i < UserBookings; ++i)
            ExecQuery(data.ScheduleQuery,
                      {QStringLiteral("Insert Into \"Schedule.db\" (ResourceID, ScheduleDate, StartTime, EndTime, "
                                      "ReservedBy, ModifiedBy) Values (:ResourceID, :Day, :Start, :End, :User, :User)")},
                      {{"ResourceID", hall}, {"Day", FieldValue::date(FirstDate - 1 - i)},
                       {"Start", FieldValue::time(480 / 1440.0)}, {"End", FieldValue::time(540 / 1440.0)},
                       {"User", QStringLiteral("R0")}});
        ExecQuery(data.RestrictQuery,
                  {QStringLiteral("Insert Into \"Restrict.db\" (ResourceID, UserID) Values (:ResourceID, :User)")},
                  {{"ResourceID", hall}, {"User", QStringLiteral("R0")}});
    }

    static constexpr int UserBookings = 30;
    TestSite site;
    TProgramDataForm &data = site.data();
    int hall = 0;
};

// Each change either happened whole or not at all.
QString halfDone(TProgramDataForm &data, const QString &kind)
{
    if (kind == QLatin1String("range")) {
        const int incomplete = count(data, QStringLiteral("Select Count(*) As Total From \"Schedule.db\" Where ScheduleDate >= "
                                                          ":First and (EndTime Is Null or ReservedBy Is Null)"),
                                     {{"First", FieldValue::date(FirstDate)}});
        return incomplete == 0 ? QString() : QStringLiteral("%1 bookings stored in part").arg(incomplete);
    }
    if (kind == QLatin1String("rename")) {
        TQuery &query = data.UserSettingsQuery;
        OpenQuery(query, {QStringLiteral("Select UserID From \"User.db\" Where UserID Like 'R%'")}, {});
        QStringList ids;
        for (; !query.Eof(); query.Next())
            ids << FieldValue::asString(query.FieldValue("UserID"));
        CloseQuery(query);
        if (ids.size() != 1)
            return QStringLiteral("users %1").arg(ids.join(QLatin1Char(',')));
        const QueryParams user = {{"User", ids.first()}};
        const int reserved = count(data, QStringLiteral("Select Count(*) As Total From \"Schedule.db\" Where ReservedBy = :User"), user);
        const int modified = count(data, QStringLiteral("Select Count(*) As Total From \"Schedule.db\" Where ModifiedBy = :User"), user);
        const int allowed = count(data, QStringLiteral("Select Count(*) As Total From \"Restrict.db\" Where UserID = :User"), user);
        if (reserved == Site::UserBookings && modified == Site::UserBookings && allowed == 1)
            return QString();
        return QStringLiteral("%1 has %2 bookings, modified %3, allowed %4").arg(ids.first()).arg(reserved).arg(modified).arg(allowed);
    }
    const int orphans =
        count(data, QStringLiteral("Select Count(*) As Total From \"Schedule.db\" Where ResourceID Not In "
                                   "(Select ResourceID From \"Resource.db\")"))
        + count(data, QStringLiteral("Select Count(*) As Total From \"Restrict.db\" Where ResourceID Not In "
                                     "(Select ResourceID From \"Resource.db\")"));
    return orphans == 0 ? QString() : QStringLiteral("%1 rows of deleted resources left").arg(orphans);
}

} // namespace

class TestCrash : public QObject
{
    Q_OBJECT

private slots:
    void killedMidChangeLeavesAllOrNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("range booking") << QStringLiteral("range");
        QTest::newRow("rename of a user") << QStringLiteral("rename");
        QTest::newRow("deletion of a resource") << QStringLiteral("delete");
    }

    void killedMidChangeLeavesAllOrNothing()
    {
        QFETCH(QString, kind);
        Site site;
        TDatabase &database = site.data.ScheduleDatabase;
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (int kill = 0; kill < Kills; ++kill) {
            const QString where = QStringLiteral("kill %1 of seed %2").arg(kill).arg(seed);
            QProcess workstation;
            workstation.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            workstation.start(QStringLiteral(CRASH_WORKSTATION),
                              {locationArgument(site.site.database.location()), kind, Victim,
                               QString::number(FirstDate, 'f', 0)});
            // Killed after a random number of finished rounds, at whatever point the next one is.
            const int rounds = int(random.bounded(3));
            for (int line = 0; line <= rounds; ++line) {
                while (!workstation.canReadLine())
                    QVERIFY2(workstation.waitForReadyRead(TimeoutMs), qPrintable(where));
                QCOMPARE(workstation.readLine().trimmed(), line == 0 ? QByteArray("registered") : QByteArray("round"));
            }
            workstation.kill();
            QVERIFY(workstation.waitForFinished(TimeoutMs));
            QCOMPARE(workstation.exitStatus(), QProcess::CrashExit);

            QCOMPARE(integrityProblems(database), QStringList());
            const QString problem = halfDone(site.data, kind);
            QVERIFY2(problem.isEmpty(), qPrintable(where + QLatin1String(": ") + problem));
            // The server notices a dead client's connection a moment after the process is gone.
            QTRY_VERIFY2_WITH_TIMEOUT(!runningPrograms(database).contains(Victim), qPrintable(where), TimeoutMs);
        }
    }
};

QTEST_MAIN(TestCrash)
#include "tst_crash.moc"
