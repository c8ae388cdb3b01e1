// Many workstations booking at once on one database. Each workstation is a separate process that
// books, changes and deletes at random through the booking windows on two resources and two dates,
// so that most of what they try overlaps. Afterwards no two stored bookings may overlap, and every
// attempt must be accounted for: what each workstation says it stored is what the database holds.
//
// The test command runs a short form. QUORVEL_STRESS_PROCESSES and QUORVEL_STRESS_ATTEMPTS make it
// longer (scripts/stress.sh); the figures of a run are printed at its end.
//
// On PostgreSQL it also shows that a booking waits only for bookings of the same resource and date.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

constexpr int TimeoutMs = 600000;
constexpr int Dates = 2;
const double FirstDate = TimeValue::fromDate(QDate(2031, 5, 12));

int setting(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

QString locationArgument(const DatabaseLocation &location)
{
    return location.engine == EngineKind::SQLite ? location.directory : location.url.toString();
}

int minuteOf(const QVariant &time)
{
    const double value = FieldValue::asFloat(time);
    return int(std::lround((value - std::floor(value)) * 1440));
}

struct Booking
{
    int sequence;
    int resourceID;
    int day;
    int start;
    int end;
    QString reservedBy;
};

QList<Booking> storedBookings(TProgramDataForm &data)
{
    TQuery &query = data.ScheduleQuery;
    query.Close();
    query.Clear();
    query.Add(QStringLiteral("Select * From \"Schedule.db\""));
    query.Open();
    QList<Booking> bookings;
    for (query.First(); !query.Eof(); query.Next())
        bookings << Booking{FieldValue::asInteger(query.FieldValue("Sequence")),
                            FieldValue::asInteger(query.FieldValue("ResourceID")),
                            int(std::floor(FieldValue::asFloat(query.FieldValue("ScheduleDate")))),
                            minuteOf(query.FieldValue("StartTime")), minuteOf(query.FieldValue("EndTime")),
                            FieldValue::asString(query.FieldValue("ReservedBy"))};
    query.Close();
    return bookings;
}

// The pairs of stored bookings that share a resource, a date and some minute.
QStringList conflicts(const QList<Booking> &bookings)
{
    QStringList found;
    for (qsizetype i = 0; i < bookings.size(); ++i)
        for (qsizetype j = i + 1; j < bookings.size(); ++j) {
            const Booking &a = bookings.at(i);
            const Booking &b = bookings.at(j);
            if (a.resourceID == b.resourceID && a.day == b.day && a.start < b.end && b.start < a.end)
                found << QStringLiteral("%1 and %2").arg(a.sequence).arg(b.sequence);
        }
    return found;
}

QString nextLine(QProcess &process)
{
    while (!process.canReadLine())
        if (!process.waitForReadyRead(TimeoutMs))
            return QStringLiteral("<no answer: %1>").arg(process.errorString());
    return QString::fromUtf8(process.readLine()).trimmed();
}

// What one workstation reported at its end.
struct Report
{
    QMap<QString, int> counts;
    int stored() const { return counts.value("inserted") + counts.value("changed"); }
};

Report parseReport(const QString &line)
{
    Report report;
    static const QRegularExpression pair(QStringLiteral("(\\w+)=(\\d+)"));
    for (const QRegularExpressionMatch &match : pair.globalMatch(line))
        report.counts.insert(match.captured(1), match.captured(2).toInt());
    return report;
}

class Site
{
public:
    Site()
    {
        for (const char *name : {"Room", "Van"}) {
            TTable &resources = data.ResourceTable;
            resources.Append();
            resources.SetFieldValue("Description", QString::fromLatin1(name));
            resources.Post();
            resourceIDs << resources.FieldValue("ResourceID").toInt();
        }
    }

    void addUser(const QString &id)
    {
        TTable &users = data.UserSettingsTable;
        users.Append();
        users.SetFieldValue("UserID", id);
        users.SetFieldValue("UserName", id);
        users.SetFieldValue("SecurityID", 1);
        users.Post();
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    QList<int> resourceIDs;
};

// True while some connection to the database waits for a booking lock.
bool waitingForBookingLock(TDatabase &observer)
{
    QSqlQuery query = observer.exec(QStringLiteral(
        "SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND NOT granted "
        "AND database = (SELECT oid FROM pg_database WHERE datname = current_database())"));
    return query.next() && query.value(0).toInt() > 0;
}

std::unique_ptr<QProcess> startProcess(const QString &program, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(program, arguments);
    return process;
}

} // namespace

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    void workstationsBookingAtOnceLoseAndDoubleBookNothing()
    {
        const int processes = setting("QUORVEL_STRESS_PROCESSES", 4);
        const int attempts = setting("QUORVEL_STRESS_ATTEMPTS", 60);
        Site site;
        QStringList users;
        for (int i = 1; i <= processes; ++i) {
            users << QStringLiteral("WS%1").arg(i);
            site.addUser(users.last());
        }

        QElapsedTimer clock;
        clock.start();
        std::vector<std::unique_ptr<QProcess>> workstations;
        for (int i = 0; i < processes; ++i)
            workstations.push_back(startProcess(
                QStringLiteral(STRESS_WORKSTATION),
                {locationArgument(site.site.database.location()), users.at(i), QString::number(1000 + i),
                 QString::number(attempts), QString::number(FirstDate, 'f', 0), QString::number(Dates)}));
        QList<Report> reports;
        for (auto &workstation : workstations) {
            const QString line = nextLine(*workstation);
            QVERIFY2(line.startsWith(QLatin1String("done ")), qPrintable(line));
            QVERIFY(workstation->waitForFinished(TimeoutMs));
            QCOMPARE(workstation->exitStatus(), QProcess::NormalExit);
            QCOMPARE(workstation->exitCode(), 0);
            reports << parseReport(line);
        }
        const qint64 wallMs = clock.elapsed();

        const QList<Booking> bookings = storedBookings(site.data);
        QCOMPARE(conflicts(bookings), QStringList());
        int total = 0, stored = 0, refused = 0, deleted = 0;
        for (qsizetype i = 0; i < reports.size(); ++i) {
            const Report &report = reports.at(i);
            QCOMPARE(report.counts.value("failed"), 0);
            QVERIFY(report.counts.value("attempts") >= attempts);
            const auto own = std::count_if(bookings.begin(), bookings.end(),
                                           [&](const Booking &b) { return b.reservedBy == users.at(i); });
            QCOMPARE(int(own), report.counts.value("inserted") - report.counts.value("deleted"));
            total += report.counts.value("attempts");
            stored += report.stored();
            refused += report.counts.value("refused");
            deleted += report.counts.value("deleted");
        }
        // Heavy overlap must have made both outcomes happen, or the run proved nothing.
        QVERIFY(stored > 0);
        QVERIFY(refused > 0);
        qInfo("processes=%d attempts=%d stored=%d refused=%d deleted=%d conflicts=0 wall=%.1fs", processes, total,
              stored, refused, deleted, wallMs / 1000.0);
    }

    // One workstation holds the lock of a resource and date; another resource is booked meanwhile,
    // while a booking of the held resource and date waits until the lock is let go.
    void bookingsOfOtherResourcesDoNotWait()
    {
        if (TestDatabase::engineUnderTest() != EngineKind::PostgreSQL)
            QSKIP("SQLite has one write lock for the whole file");
        Site site;
        const QString location = locationArgument(site.site.database.location());
        const QString date = QString::number(FirstDate, 'f', 0);
        TDatabase &database = site.data.ScheduleDatabase;
        // Asks on a connection of its own, outside the transaction that holds the lock.
        TDatabase observer(site.site.database.location(), QStringLiteral("Observer"));
        observer.Open();
        auto holder = std::make_unique<Transaction>(database);
        database.lockBookingSlot(site.resourceIDs.at(0), FirstDate);

        auto other = startProcess(QStringLiteral(BOOKING_RACE_HELPER),
                                  {location, QString::number(site.resourceIDs.at(1)), date, "600", "660"});
        auto same = startProcess(QStringLiteral(BOOKING_RACE_HELPER),
                                 {location, QString::number(site.resourceIDs.at(0)), date, "600", "660"});
        QCOMPARE(nextLine(*other), QStringLiteral("ready"));
        QCOMPARE(nextLine(*same), QStringLiteral("ready"));
        same->write("go\n");
        QVERIFY(same->waitForBytesWritten(TimeoutMs));
        QVERIFY(QTest::qWaitFor([&] { return waitingForBookingLock(observer); }, 30000));

        other->write("go\n");
        QCOMPARE(nextLine(*other), QStringLiteral("saved"));
        QVERIFY(!same->canReadLine());
        QVERIFY(waitingForBookingLock(observer));

        holder->commit();
        QCOMPARE(nextLine(*same), QStringLiteral("saved"));
        QVERIFY(other->waitForFinished(TimeoutMs));
        QVERIFY(same->waitForFinished(TimeoutMs));
    }

};

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
