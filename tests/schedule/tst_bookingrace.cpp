// Two workstations saving overlapping bookings of one resource on one date at the same moment:
// exactly one of them may store its booking. Each workstation is a separate process on the same
// database; both prepare their booking, and only when both are ready are they told to save. The
// day already holds many bookings elsewhere in the day, so that reading them takes long enough
// for the two saves to overlap if nothing kept them apart.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

constexpr int Rounds = 30;
constexpr int Room = 3;
constexpr int EarlyBookings = 3000;
constexpr int TimeoutMs = 60000;
const double Day = TimeValue::fromDate(QDate(2024, 1, 10));
constexpr int RaceFrom = 600;   // the racing bookings start at or after 10:00

QString locationArgument(const DatabaseLocation &location)
{
    return location.engine == EngineKind::SQLite ? location.directory : location.url.toString();
}

void runStatement(TQuery &query, const QString &sql, const QList<QPair<QString, QVariant>> &params)
{
    query.Close();
    query.Clear();
    query.Add(sql);
    for (const auto &[name, value] : params)
        query.SetParam(name, value);
    query.ExecSQL();
}

// Bookings from 01:00 to 02:00, far from the racing ones.
void fillTheEarlyMorning(TProgramDataForm &data)
{
    Transaction transaction(data.ScheduleDatabase);
    for (int i = 0; i < EarlyBookings; ++i)
        runStatement(data.ScheduleQuery,
                     QStringLiteral("Insert Into \"Schedule.db\" (ResourceID, ScheduleDate, StartTime, EndTime) "
                                    "Values (:ResourceID, :Day, :Start, :End)"),
                     {{"ResourceID", Room}, {"Day", FieldValue::date(Day)},
                      {"Start", FieldValue::time(60 / 1440.0)}, {"End", FieldValue::time(120 / 1440.0)}});
    transaction.commit();
}

void removeRacingBookings(TProgramDataForm &data)
{
    runStatement(data.ScheduleQuery,
                 QStringLiteral("Delete From \"Schedule.db\" Where ResourceID = :ResourceID and StartTime >= :From"),
                 {{"ResourceID", Room}, {"From", FieldValue::time(RaceFrom / 1440.0)}});
}

std::unique_ptr<QProcess> startWorkstation(const DatabaseLocation &location, int startMinute, int endMinute)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(BOOKING_RACE_HELPER),
                   {locationArgument(location), QString::number(Room), QString::number(Day, 'f', 0),
                    QString::number(startMinute), QString::number(endMinute)});
    return process;
}

QString nextLine(QProcess &process)
{
    while (!process.canReadLine())
        if (!process.waitForReadyRead(TimeoutMs))
            return QStringLiteral("<no answer: %1>").arg(process.errorString());
    return QString::fromUtf8(process.readLine()).trimmed();
}

// The start minutes of the racing bookings stored.
QList<int> storedStarts(TProgramDataForm &data)
{
    TQuery &query = data.ScheduleQuery;
    query.Close();
    query.Clear();
    query.Add(QStringLiteral("Select * From \"Schedule.db\" Where ResourceID = :ResourceID and StartTime >= :From"));
    query.SetParam(QStringLiteral("ResourceID"), Room);
    query.SetParam(QStringLiteral("From"), FieldValue::time(RaceFrom / 1440.0));
    query.Open();
    QList<int> starts;
    for (query.First(); !query.Eof(); query.Next())
        starts << int(std::lround(query.FieldValue("StartTime").toDouble() * 1440));
    query.Close();
    return starts;
}

} // namespace

class TestBookingRace : public QObject
{
    Q_OBJECT

private slots:
    void exactlyOneOfTwoOverlappingSavesSucceeds()
    {
        TestSite site;
        const DatabaseLocation &location = site.database.location();
        fillTheEarlyMorning(site.data());
        for (int round = 0; round < Rounds; ++round) {
            auto first = startWorkstation(location, RaceFrom, RaceFrom + 60);         // 10:00 to 11:00
            auto second = startWorkstation(location, RaceFrom + 30, RaceFrom + 90);   // 10:30 to 11:30
            QCOMPARE(nextLine(*first), QStringLiteral("ready"));
            QCOMPARE(nextLine(*second), QStringLiteral("ready"));
            // Both are told at once: written straight through to both pipes before either answer.
            first->write("go\n");
            second->write("go\n");
            QVERIFY(first->waitForBytesWritten(TimeoutMs));
            QVERIFY(second->waitForBytesWritten(TimeoutMs));
            const QString firstOutcome = nextLine(*first);
            const QString secondOutcome = nextLine(*second);
            QVERIFY(first->waitForFinished(TimeoutMs));
            QVERIFY(second->waitForFinished(TimeoutMs));
            QCOMPARE(first->exitCode(), 0);
            QCOMPARE(second->exitCode(), 0);
            QStringList outcomes = {firstOutcome, secondOutcome};
            outcomes.sort();
            QCOMPARE(outcomes, (QStringList{"refused", "saved"}));
            QCOMPARE(storedStarts(site.data()), QList<int>{firstOutcome == "saved" ? RaceFrom : RaceFrom + 30});
            removeRacingBookings(site.data());
        }
    }
};

QTEST_MAIN(TestBookingRace)
#include "tst_bookingrace.moc"
